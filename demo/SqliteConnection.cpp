#include "SqliteConnection.h"

#include <sqlite3.h>

namespace qelvan::demo {

namespace {

[[noreturn]] void fail(sqlite3* connection, std::string_view what)
{
    throw SqliteError(std::string(what) + ": " + sqlite3_errmsg(connection));
}

} // namespace

SqliteStatement::SqliteStatement(sqlite3* connection, std::string_view sql)
    : m_connection(connection)
{
    if (sqlite3_prepare_v2(connection, sql.data(), static_cast<int>(sql.size()), &m_statement, nullptr)
        != SQLITE_OK) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        fail(connection, "cannot prepare \"" + std::string(sql) + "\"");
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_connection(other.m_connection), m_statement(other.m_statement)
{
    other.m_statement = nullptr;
}

void SqliteStatement::bind(int index, std::string_view text)
{
    if (sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT)
        != SQLITE_OK)
        fail(m_connection, "cannot bind a parameter");
}

void SqliteStatement::bind(int index, double value)
{
    if (sqlite3_bind_double(m_statement, index, value) != SQLITE_OK)
        fail(m_connection, "cannot bind a parameter");
}

void SqliteStatement::bindNull(int index)
{
    if (sqlite3_bind_null(m_statement, index) != SQLITE_OK)
        fail(m_connection, "cannot bind a parameter");
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(m_connection, "statement failed");
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(m_statement);
}

std::string SqliteStatement::columnName(int column) const
{
    const char* name = sqlite3_column_name(m_statement, column);
    return name ? name : "";
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

double SqliteStatement::number(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

std::string SqliteStatement::text(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return data ? std::string(data, static_cast<size_t>(sqlite3_column_bytes(m_statement, column))) : std::string();
}

SqliteConnection::SqliteConnection(const std::string& path, Mode mode)
{
    const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY
                                             : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(path.c_str(), &m_connection, flags | SQLITE_OPEN_URI, nullptr) != SQLITE_OK) {
        const std::string message = "cannot open " + path + ": "
            + (m_connection ? sqlite3_errmsg(m_connection) : "out of memory");
        sqlite3_close(m_connection);
        m_connection = nullptr;
        throw SqliteError(message);
    }
}

SqliteConnection::~SqliteConnection()
{
    sqlite3_close(m_connection);
}

void SqliteConnection::exec(const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(m_connection, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : sqlite3_errmsg(m_connection);
        sqlite3_free(error);
        throw SqliteError(message + " (in \"" + sql + "\")");
    }
}

SqliteStatement SqliteConnection::prepare(std::string_view sql)
{
    return SqliteStatement(m_connection, sql);
}

} // namespace qelvan::demo

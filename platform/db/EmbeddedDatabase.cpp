#include "db/EmbeddedDatabase.h"

#include "db/AsciiText.h"
#include "db/OracleDialect.h"
#include "db/RemoteObjects.h"

#include <qelvan/backends.h>

#include <cstring>

namespace qelvan::db {

namespace {

bool contains(const std::string& upperText, const char* word) { return upperText.find(word) != std::string::npos; }

// SQLite's affinity rules, with dates (stored as ISO text) read as text and
// the remaining numeric declarations (NUMBER, DECIMAL) as floating point.
ColumnType declaredType(const char* decl)
{
    if (!decl || !*decl)
        return ColumnType::Unknown;
    const std::string t = asciiUpper(decl);
    if (contains(t, "INT"))
        return ColumnType::Integer;
    if (contains(t, "CHAR") || contains(t, "CLOB") || contains(t, "TEXT") || contains(t, "BLOB"))
        return ColumnType::Text;
    if (contains(t, "REAL") || contains(t, "FLOA") || contains(t, "DOUB"))
        return ColumnType::Float;
    if (contains(t, "DATE") || contains(t, "TIME"))
        return ColumnType::Text;
    return ColumnType::Float;
}

ColumnType valueType(const Cell& cell)
{
    switch (cell.index()) {
    case 1: return ColumnType::Integer;
    case 2: return ColumnType::Float;
    case 3: return ColumnType::Text;
    default: return ColumnType::Unknown;
    }
}

// True when only blanks, semicolons and comments follow.
bool onlyTrailingNoise(const char* p, const char* end)
{
    while (p < end) {
        if (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == ';' || *p == '\f') {
            ++p;
        } else if (p + 1 < end && p[0] == '-' && p[1] == '-') {
            while (p < end && *p != '\n')
                ++p;
        } else if (p + 1 < end && p[0] == '/' && p[1] == '*') {
            const char* close = p + 2;
            while (close + 1 < end && !(close[0] == '*' && close[1] == '/'))
                ++close;
            if (close + 1 >= end)
                return true;   // an unterminated comment runs to the end
            p = close + 2;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

EmbeddedDatabase::EmbeddedDatabase(const std::string& path, bool readOnly)
{
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_URI
                      | SQLITE_OPEN_NOMUTEX;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    m_connection.reset(raw);
    if (rc != SQLITE_OK)
        throw DatabaseError("Cannot open database '" + path + "': "
                            + (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)));
    sqlite3_extended_result_codes(raw, 0);
    sqlite3_busy_timeout(raw, 2000);
    if (const int frc = registerOracleFunctions(raw))
        throw DatabaseError(std::string("Cannot register the Oracle functions: ") + sqlite3_errstr(frc));
    try {
        // SQLite reads the file lazily; a file that is no database fails here.
        StatementHandle probe = prepare(raw, "SELECT 1 FROM main.sqlite_master LIMIT 1");
        run(raw, probe.get());
    } catch (const DatabaseError& e) {
        throw DatabaseError("Cannot open database '" + path + "': " + e.what());
    }
    m_links = std::make_unique<LinkAttachments>(raw);
}

EmbeddedDatabase::~EmbeddedDatabase() = default;

ResultSet EmbeddedDatabase::execute(std::string_view statement)
{
    sqlite3* db = m_connection.get();
    std::string rewritten;
    std::string_view sql = statement;
    if (std::memchr(statement.data(), '@', statement.size())) {
        RemoteRewrite r = rewriteRemoteObjects(statement);
        if (!r.links.empty()) {
            m_links->require(r.links);
            rewritten = std::move(r.statement);
            sql = rewritten;
        }
    }

    const char* tail = nullptr;
    StatementHandle owner = prepare(db, sql, &tail);
    sqlite3_stmt* stmt = owner.get();
    if (!stmt)
        throw DatabaseError("No statement to run");
    if (!onlyTrailingNoise(tail, sql.data() + sql.size()))
        throw DatabaseError("Only one statement can be run at a time");

    ResultSet result;
    const int count = sqlite3_column_count(stmt);
    result.columns.resize(size_t(count));
    bool needValueTypes = false;
    for (int i = 0; i < count; ++i) {
        Column& column = result.columns[size_t(i)];
        column.name = sqlite3_column_name(stmt, i);
        column.type = declaredType(sqlite3_column_decltype(stmt, i));
        needValueTypes = needValueTypes || column.type == ColumnType::Unknown;
    }

    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        std::vector<Cell>& row = result.rows.emplace_back();
        row.reserve(size_t(count));
        for (int i = 0; i < count; ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_INTEGER:
                row.emplace_back(std::int64_t(sqlite3_column_int64(stmt, i)));
                break;
            case SQLITE_FLOAT:
                row.emplace_back(sqlite3_column_double(stmt, i));
                break;
            case SQLITE_TEXT:
                row.emplace_back(std::in_place_type<std::string>,
                                 reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                 size_t(sqlite3_column_bytes(stmt, i)));
                break;
            case SQLITE_BLOB: {
                const auto* blob = static_cast<const char*>(sqlite3_column_blob(stmt, i));
                const int bytes = sqlite3_column_bytes(stmt, i);
                row.emplace_back(std::in_place_type<std::string>, blob ? blob : "", size_t(bytes));
                break;
            }
            default:
                row.emplace_back();
            }
        }
    }
    if (rc != SQLITE_DONE)
        throw DatabaseError(sqlite3_errmsg(db));

    if (needValueTypes) {
        for (int i = 0; i < count; ++i) {
            Column& column = result.columns[size_t(i)];
            if (column.type != ColumnType::Unknown)
                continue;
            for (const auto& row : result.rows) {
                if (row[size_t(i)].index() != 0) {
                    column.type = valueType(row[size_t(i)]);
                    break;
                }
            }
        }
    }
    return result;
}

} // namespace qelvan::db

namespace qelvan {

std::unique_ptr<Database> openEmbeddedDatabase(const std::string& path, bool readOnly)
{
    return std::make_unique<db::EmbeddedDatabase>(path, readOnly);
}

} // namespace qelvan

#pragma once
// A thin owner of an sqlite3 connection and its prepared statements, for the
// tools that write and inspect the demo databases directly.

#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace qelvan::demo {

class SqliteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SqliteStatement {
public:
    SqliteStatement(sqlite3* connection, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    SqliteStatement& operator=(SqliteStatement&&) = delete;

    /// Parameters are 1-based, as in SQLite. Text is copied.
    void bind(int index, std::string_view text);
    void bind(int index, double value);
    void bindNull(int index);

    /// Advances; true when a row is ready. Throws on any error.
    bool step();
    /// Makes the statement ready to run again, keeping its bindings.
    void reset();

    int columnCount() const;
    std::string columnName(int column) const;
    bool isNull(int column) const;
    double number(int column) const;
    std::string text(int column) const;

private:
    sqlite3* m_connection;
    sqlite3_stmt* m_statement = nullptr;
};

class SqliteConnection {
public:
    enum class Mode { ReadOnly, ReadWriteCreate };

    /// Throws SqliteError naming the file when it cannot be opened.
    SqliteConnection(const std::string& path, Mode mode);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    /// Runs one or more statements that return nothing of interest.
    void exec(const std::string& sql);
    SqliteStatement prepare(std::string_view sql);

    sqlite3* handle() const { return m_connection; }

private:
    sqlite3* m_connection = nullptr;
};

} // namespace qelvan::demo

#pragma once
// Owners for SQLite handles, kept out of the public headers.

#include <qelvan/session.h>

#include <sqlite3.h>

#include <memory>
#include <string>

namespace qelvan::db {

struct ConnectionCloser {
    void operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* stmt) const noexcept { sqlite3_finalize(stmt); }
};

using ConnectionHandle = std::unique_ptr<sqlite3, ConnectionCloser>;
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

/// Prepares the first statement of `sql`; `tail` (optional) receives the rest.
/// Throws DatabaseError with the connection's message.
inline StatementHandle prepare(sqlite3* db, std::string_view sql, const char** tail = nullptr)
{
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.data(), int(sql.size()), &raw, tail);
    StatementHandle stmt(raw);
    if (rc != SQLITE_OK)
        throw DatabaseError(sqlite3_errmsg(db));
    return stmt;
}

/// Runs a statement that returns no rows.
inline void run(sqlite3* db, sqlite3_stmt* stmt)
{
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        throw DatabaseError(sqlite3_errmsg(db));
}

} // namespace qelvan::db

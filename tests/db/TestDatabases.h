#pragma once
// Writing the databases the tests read. The backend under test opens nothing
// for writing, so fixtures are written with SQLite's own API.

#include "db/OracleDialect.h"

#include <sqlite3.h>

#include <QDir>
#include <QTemporaryDir>

#include <memory>
#include <stdexcept>
#include <string>

namespace qelvan::test {

/// Creates `file` if needed and runs `sql` (several statements) on it, with the
/// Oracle functions registered so that indexes on TRUNC(...) can be made.
inline void writeDatabase(const std::string& file, const std::string& sql)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(raw, sqlite3_close);
    if (rc != SQLITE_OK)
        throw std::runtime_error("cannot create " + file);
    if (db::registerOracleFunctions(raw) != 0)
        throw std::runtime_error("cannot register functions");
    char* error = nullptr;
    // Test files need no durability; syncing them only slows the tests.
    sqlite3_exec(raw, "PRAGMA synchronous=OFF; PRAGMA journal_mode=MEMORY;", nullptr, nullptr, nullptr);
    if (sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

/// A temporary folder that holds a test's database files.
class Folder {
public:
    std::string file(const char* name) const { return QDir(m_dir.path()).filePath(name).toStdString(); }
    std::string path() const { return m_dir.path().toStdString(); }

private:
    QTemporaryDir m_dir;
};

} // namespace qelvan::test

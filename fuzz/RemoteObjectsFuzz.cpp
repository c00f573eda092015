// Statements reach the embedded engine with Oracle link names in them
// (OWNER.OBJECT@LINK). Any text must rewrite or be refused with a
// DatabaseError; the links found must be plain, upper case and each named
// once; a text without links must stay as it was. Rewritten statements then
// run on a connection that holds a link catalog, so attaching and detaching
// links on demand meets every sequence of names the fuzzer finds.

#include "db/LinkAttachments.h"
#include "db/OracleDialect.h"
#include "db/RemoteObjects.h"
#include "db/SqliteHandle.h"

#include <qelvan/backends.h>

#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace qelvan;
using namespace qelvan::db;

namespace {

bool plainUpper(const std::string& link)
{
    if (link.empty() || !(link[0] >= 'A' && link[0] <= 'Z'))
        return false;
    return std::all_of(link.begin(), link.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' || c == '#';
    });
}

void exec(sqlite3* db, const char* sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        std::abort();
}

// Reads only: the fuzzer must not be able to change or create files.
int readOnlyActions(void*, int action, const char*, const char*, const char*, const char*)
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

// Long statements (recursive queries, huge joins) are stopped, not waited for.
int budget(void* steps)
{
    return ++*static_cast<int*>(steps) > 2000 ? 1 : 0;
}

struct Fixture {
    QTemporaryDir dir;
    sqlite3* db = nullptr;
    std::unique_ptr<LinkAttachments> links;

    Fixture()
    {
        if (!dir.isValid())
            std::abort();
        const std::string folder = dir.path().toStdString();
        // Twelve links, more than SQLite attaches at once, over two files.
        for (const char* name : {"/a.db", "/b.db"}) {
            sqlite3* link = nullptr;
            if (sqlite3_open((folder + name).c_str(), &link) != SQLITE_OK)
                std::abort();
            exec(link, "CREATE TABLE XSVXSFP0(SPDM00 TEXT, SL0000 REAL, YWRQ00 TEXT);"
                       "INSERT INTO XSVXSFP0 VALUES('11010101', 2, '2024-03-15 08:00:00'), (NULL, -1.5, 'x')");
            sqlite3_close(link);
        }
        const std::string host = folder + "/vuq.db";
        if (sqlite3_open_v2(host.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI, nullptr)
            != SQLITE_OK)
            std::abort();
        exec(db, "CREATE TABLE DB_LINKS(DB_LINK TEXT, FILE_NAME TEXT);"
                 "CREATE TABLE GSTJYGL1(SPDM00 TEXT, SPMC00 TEXT)");
        for (int i = 1; i <= 12; ++i) {
            const std::string row = "INSERT INTO DB_LINKS VALUES('LNK" + std::to_string(i) + "', '"
                                    + (i % 2 ? "a.db" : "b.db") + "')";
            exec(db, row.c_str());
        }
        exec(db, "INSERT INTO DB_LINKS VALUES('BROKEN', 'missing.db'), ('SELF', 'vuq.db')");
        if (registerOracleFunctions(db) != 0)
            std::abort();
        links = std::make_unique<LinkAttachments>(db);
    }
    ~Fixture()
    {
        links.reset();
        sqlite3_close_v2(db);
    }
};

Fixture& fixture()
{
    static Fixture f;   // its folder goes when the process ends
    return f;
}

void run(const RemoteRewrite& r)
{
    Fixture& f = fixture();
    try {
        f.links->require(r.links);
    } catch (const DatabaseError&) {
        return;
    }
    // The attachments are made; from here on the statement may only read.
    int steps = 0;
    sqlite3_set_authorizer(f.db, readOnlyActions, nullptr);
    sqlite3_progress_handler(f.db, 100, budget, &steps);
    try {
        StatementHandle stmt = prepare(f.db, r.statement);
        if (stmt) {
            int rows = 0;
            while (sqlite3_step(stmt.get()) == SQLITE_ROW && ++rows < 1000) {
            }
        }
    } catch (const DatabaseError&) {
    }
    sqlite3_progress_handler(f.db, 0, nullptr, nullptr);
    sqlite3_set_authorizer(f.db, nullptr, nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string statement(reinterpret_cast<const char*>(data), size);
    RemoteRewrite r;
    try {
        r = rewriteRemoteObjects(statement);
    } catch (const DatabaseError&) {
        return 0;
    }
    for (size_t i = 0; i < r.links.size(); ++i) {
        if (!plainUpper(r.links[i]))
            std::abort();
        if (std::find(r.links.begin() + std::ptrdiff_t(i) + 1, r.links.end(), r.links[i]) != r.links.end())
            std::abort();
    }
    if (r.links.empty() && r.statement != statement)
        std::abort();
    if (!r.links.empty())
        run(r);
    return 0;
}

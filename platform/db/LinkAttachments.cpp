#include "db/LinkAttachments.h"

#include "db/RemoteObjects.h"
#include "db/SqliteHandle.h"

#include <algorithm>
#include <filesystem>

namespace qelvan::db {

namespace {

// SQLite reads '%', '?' and '#' in a file: URI as syntax.
std::string readOnlyUri(const std::filesystem::path& file)
{
    std::string path = file.generic_string();
    if (path.empty() || path.front() != '/')
        path.insert(path.begin(), '/');
    std::string uri = "file://";
    for (char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            static const char hex[] = "0123456789ABCDEF";
            uri += '%';
            uri += hex[(static_cast<unsigned char>(c) >> 4) & 0xF];
            uri += hex[static_cast<unsigned char>(c) & 0xF];
        } else {
            uri += c;
        }
    }
    return uri + "?mode=ro";
}

} // namespace

LinkAttachments::LinkAttachments(sqlite3* connection) : m_db(connection) {}

void LinkAttachments::require(const std::vector<std::string>& links)
{
    const int limit = sqlite3_limit(m_db, SQLITE_LIMIT_ATTACHED, -1);
    if (int(links.size()) > limit)
        throw DatabaseError("The statement uses " + std::to_string(links.size())
                            + " database links; at most " + std::to_string(limit)
                            + " can be open at once");

    for (const std::string& link : links) {
        auto it = std::find(m_attached.begin(), m_attached.end(), link);
        if (it != m_attached.end()) {
            m_attached.splice(m_attached.begin(), m_attached, it);
            continue;
        }
        while (int(m_attached.size()) >= limit) {
            auto victim = std::find_if(m_attached.rbegin(), m_attached.rend(), [&](const std::string& l) {
                return std::find(links.begin(), links.end(), l) == links.end();
            });
            detach(*victim);   // one exists: fewer links are needed than can be attached
            m_attached.erase(std::next(victim).base());
        }
        attach(link);
        m_attached.push_front(link);
    }
}

std::string LinkAttachments::fileOf(const std::string& link) const
{
    StatementHandle stmt;
    try {
        stmt = prepare(m_db, "SELECT FILE_NAME FROM main.DB_LINKS WHERE UPPER(TRIM(DB_LINK))=?1 LIMIT 1");
    } catch (const DatabaseError& e) {
        throw DatabaseError("Database link '" + link + "' cannot be resolved: " + e.what());
    }
    sqlite3_bind_text(stmt.get(), 1, link.data(), int(link.size()), SQLITE_STATIC);
    const int rc = sqlite3_step(stmt.get());
    if (rc == SQLITE_DONE)
        throw DatabaseError("Unknown database link '" + link + "'");
    if (rc != SQLITE_ROW)
        throw DatabaseError("Database link '" + link + "' cannot be resolved: " + sqlite3_errmsg(m_db));
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
    if (!text || !*text)
        throw DatabaseError("Database link '" + link + "' has no file name");
    return text;
}

void LinkAttachments::attach(const std::string& link)
{
    std::filesystem::path file = std::filesystem::u8path(fileOf(link));
    if (file.is_relative()) {
        const char* host = sqlite3_db_filename(m_db, "main");
        const std::filesystem::path folder = (host && *host)
            ? std::filesystem::u8path(host).parent_path()
            : std::filesystem::current_path();
        file = folder / file;
    }
    const std::string uri = readOnlyUri(file.lexically_normal());
    const std::string sql = "ATTACH DATABASE ?1 AS \"" + linkSchemaName(link) + "\"";
    try {
        StatementHandle stmt = prepare(m_db, sql);
        sqlite3_bind_text(stmt.get(), 1, uri.data(), int(uri.size()), SQLITE_STATIC);
        run(m_db, stmt.get());
    } catch (const DatabaseError& e) {
        throw DatabaseError("Database link '" + link + "' (" + file.u8string() + "): " + e.what());
    }
    // SQLite opens the file lazily; read its schema now so that a file that is
    // no database fails here, naming the link, and does not stay attached.
    try {
        StatementHandle probe = prepare(m_db, "SELECT 1 FROM \"" + linkSchemaName(link) + "\".sqlite_master LIMIT 1");
        run(m_db, probe.get());
    } catch (const DatabaseError& e) {
        try {
            detach(link);
        } catch (const DatabaseError&) {
        }
        throw DatabaseError("Database link '" + link + "' (" + file.u8string() + "): " + e.what());
    }
}

void LinkAttachments::detach(const std::string& link)
{
    StatementHandle stmt = prepare(m_db, "DETACH DATABASE \"" + linkSchemaName(link) + "\"");
    run(m_db, stmt.get());
}

} // namespace qelvan::db

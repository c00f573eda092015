#pragma once
// Attaches link databases to an embedded connection on demand.

#include <list>
#include <string>
#include <vector>

struct sqlite3;

namespace qelvan::db {

/// Keeps the databases of recently used links attached, read-only, under
/// linkSchemaName(link). Links resolve through the host database's table
/// DB_LINKS(DB_LINK, FILE_NAME); a relative FILE_NAME is taken from the host
/// database's folder. Any number of links can be used over time: when
/// SQLite's attach limit is reached, the least recently used links that the
/// current statement does not need are detached.
class LinkAttachments {
public:
    explicit LinkAttachments(sqlite3* connection);

    /// Makes every link of `upperLinks` attached. Throws DatabaseError naming
    /// the link when it is not in DB_LINKS or its file cannot be opened, and
    /// when one statement needs more links than can be attached at once.
    void require(const std::vector<std::string>& upperLinks);

private:
    std::string fileOf(const std::string& link) const;
    void attach(const std::string& link);
    void detach(const std::string& link);

    sqlite3* m_db;
    std::list<std::string> m_attached;   // most recently used first
};

} // namespace qelvan::db

#pragma once
// The embedded backend: an SQLite file with the Oracle dialect and links.

#include "db/LinkAttachments.h"
#include "db/SqliteHandle.h"

#include <qelvan/session.h>

#include <memory>
#include <string>

namespace qelvan::db {

class EmbeddedDatabase final : public Database {
public:
    /// Throws DatabaseError when `path` cannot be opened as a database. A
    /// missing file is not created.
    EmbeddedDatabase(const std::string& path, bool readOnly);
    ~EmbeddedDatabase() override;

    /// Runs one statement; a second statement after it is refused.
    ResultSet execute(std::string_view statement) override;

private:
    ConnectionHandle m_connection;
    std::unique_ptr<LinkAttachments> m_links;
};

} // namespace qelvan::db

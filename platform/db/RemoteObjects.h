#pragma once
// Rewrites Oracle remote object names (SCHEMA.OBJECT@LINK) into names of
// attached SQLite databases.

#include <string>
#include <string_view>
#include <vector>

namespace qelvan::db {

struct RemoteRewrite {
    std::string statement;            ///< the statement to run
    std::vector<std::string> links;   ///< upper-case link names, each once, in order of use
};

/// The schema under which a link's database is attached: "@LNK1". It cannot
/// clash with "main", "temp" or a table name.
std::string linkSchemaName(const std::string& upperLink);

/// Replaces each OBJECT@LINK or SCHEMA.OBJECT@LINK outside string literals,
/// quoted identifiers and comments by "@LINK".OBJECT (the schema part is
/// dropped: the link's database holds OBJECT itself). Link names compare
/// case-insensitively. Throws DatabaseError when a link name is missing or is
/// not a plain identifier.
RemoteRewrite rewriteRemoteObjects(std::string_view statement);

} // namespace qelvan::db

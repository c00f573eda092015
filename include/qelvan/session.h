#pragma once
// The database contract between a host and the plug-in.
//
// A host hands the plug-in a Session in which it has made the database "VUQ"
// available. The plug-in only runs SELECT statements through Database::execute
// and never closes, commits or writes anything. A host may implement both
// interfaces itself (see docs/embedding.md) or use the bundled backends in
// <qelvan/backends.h>.

#include <qelvan/export.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qelvan {

/// What a result column holds. Unknown: the backend could not tell (for
/// example a column whose every value is NULL); it binds to any field type.
enum class ColumnType { Unknown, Text, Integer, Float };

struct Column {
    std::string name;   ///< as the statement names it, e.g. "SL0000"
    ColumnType type = ColumnType::Unknown;
};

/// One cell: NULL, an integer, a floating-point number or UTF-8 text.
using Cell = std::variant<std::monostate, std::int64_t, double, std::string>;

/// A whole result, read in full: the row count is always exact.
struct ResultSet {
    std::vector<Column> columns;
    std::vector<std::vector<Cell>> rows;

    /// Index of the column named `name` (ASCII case-insensitive), or -1.
    QELVAN_EXPORT int columnIndex(std::string_view name) const;
};

/// Every failure of a database or a session. what() is the database's own
/// message, in UTF-8, as the user will read it in the error box.
class QELVAN_EXPORT DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    ~DatabaseError() override;
};

/// An open database. Implementations need not be thread-safe: the plug-in
/// calls them only from the host's user-interface thread.
class QELVAN_EXPORT Database {
public:
    virtual ~Database();
    /// Runs one statement (UTF-8 text) and returns its whole result.
    /// Throws DatabaseError carrying the database's message on any failure.
    virtual ResultSet execute(std::string_view statement) = 0;
};

/// Maps database names such as "VUQ" to open databases owned by the host.
class QELVAN_EXPORT Session {
public:
    virtual ~Session();
    /// The database registered under `name`. Throws DatabaseError naming the
    /// database when the session has none by that name. The reference stays
    /// valid while the session lives and the host keeps the database open.
    virtual Database& database(std::string_view name) = 0;
};

/// A ready Session: a name-to-database map that owns what it is given.
class QELVAN_EXPORT SimpleSession final : public Session {
public:
    SimpleSession();
    ~SimpleSession() override;
    SimpleSession(const SimpleSession&) = delete;
    SimpleSession& operator=(const SimpleSession&) = delete;

    /// Registers (or replaces) `db` under `name` (names compare case-insensitively).
    void add(std::string name, std::unique_ptr<Database> db);
    Database& database(std::string_view name) override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace qelvan

#include <qelvan/session.h>

#include "db/AsciiText.h"

#include <map>

namespace qelvan {

namespace {

using db::asciiUpper;

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (asciiUpper(a[i]) != asciiUpper(b[i]))
            return false;
    return true;
}

} // namespace

int ResultSet::columnIndex(std::string_view name) const
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (equalsIgnoringCase(columns[i].name, name))
            return int(i);
    return -1;
}

DatabaseError::~DatabaseError() = default;
Database::~Database() = default;
Session::~Session() = default;

struct SimpleSession::Impl {
    std::map<std::string, std::unique_ptr<Database>> databases;   // by upper-case name
};

SimpleSession::SimpleSession() : d(std::make_unique<Impl>()) {}
SimpleSession::~SimpleSession() = default;

void SimpleSession::add(std::string name, std::unique_ptr<Database> db)
{
    if (!db)
        throw DatabaseError("No database given for '" + name + "'");
    d->databases[asciiUpper(name)] = std::move(db);
}

Database& SimpleSession::database(std::string_view name)
{
    auto it = d->databases.find(asciiUpper(name));
    if (it == d->databases.end())
        throw DatabaseError("Unknown database: " + std::string(name));
    return *it->second;
}

} // namespace qelvan

#include "Variables.h"

#include <QHash>

#include <vector>

namespace qelvan::report {

namespace {
struct Entry {
    QString name;
    QVariant value;
};

struct Store {
    std::vector<Entry> entries;
    QHash<QString, size_t> index;   // folded name -> entry
};

Store& store()
{
    static Store s;
    return s;
}

QString fold(const QString& name)
{
    return name.toCaseFolded();
}
} // namespace

void setVariable(const QString& name, const QVariant& value)
{
    Store& s = store();
    const QString key = fold(name);
    auto it = s.index.constFind(key);
    if (it != s.index.cend()) {
        s.entries[*it].value = value;
        return;
    }
    s.index.insert(key, s.entries.size());
    s.entries.push_back({name, value});
}

bool hasVariable(const QString& name)
{
    return store().index.contains(fold(name));
}

QVariant variable(const QString& name)
{
    const Store& s = store();
    auto it = s.index.constFind(fold(name));
    return it == s.index.cend() ? QVariant() : s.entries[*it].value;
}

QStringList variableNames()
{
    QStringList names;
    for (const Entry& e : store().entries)
        names << e.name;
    return names;
}

void clearVariables()
{
    store().entries.clear();
    store().index.clear();
}

} // namespace qelvan::report

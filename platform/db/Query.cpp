#include "db/Query.h"

#include "db/CellText.h"

#include <algorithm>

namespace qelvan::db {

namespace {

const char* typeName(FieldType type)
{
    switch (type) {
    case FieldType::String: return "String";
    case FieldType::Float: return "Float";
    case FieldType::Integer: return "Integer";
    }
    return "Unknown";
}

// The field a result column makes when no fields are declared. A column of
// unknown type (all NULL) shows as empty text.
FieldType fieldTypeOf(ColumnType type)
{
    switch (type) {
    case ColumnType::Integer: return FieldType::Integer;
    case ColumnType::Float: return FieldType::Float;
    default: return FieldType::String;
    }
}

bool binds(FieldType field, ColumnType column)
{
    switch (column) {
    case ColumnType::Unknown: return true;
    case ColumnType::Text: return field == FieldType::String;
    case ColumnType::Integer: return field == FieldType::Integer || field == FieldType::Float;
    case ColumnType::Float: return field == FieldType::Float;
    }
    return false;
}

DatabaseError fieldNotFound(const QString& name)
{
    return DatabaseError(QStringLiteral("Field '%1' not found").arg(name).toStdString());
}

const Cell kNull;

} // namespace

struct Query::Impl {
    QString databaseName;
    QStringList sql;
    std::vector<FieldDef> defs;

    bool active = false;
    ResultSet result;
    // Exposed fields: name, type and the result column each reads.
    std::vector<QString> names;
    std::vector<FieldType> types;
    std::vector<int> columns;
    int row = 0;
    bool eof = true;

    void reset()
    {
        active = false;
        result = ResultSet();
        names.clear();
        types.clear();
        columns.clear();
        row = 0;
        eof = true;
    }

    const Cell& current(const QString& field, int index) const
    {
        if (index < 0)
            throw fieldNotFound(field);
        if (!active || result.rows.empty())
            return kNull;
        return result.rows[size_t(row)][size_t(columns[size_t(index)])];
    }
};

Query::Query(QObject* owner) : QObject(owner), d(std::make_unique<Impl>()) {}
Query::~Query() = default;

void Query::setDatabaseName(const QString& name) { d->databaseName = name; }
QString Query::databaseName() const { return d->databaseName; }
QStringList& Query::sql() { return d->sql; }
const QStringList& Query::sql() const { return d->sql; }
void Query::addField(const FieldDef& def) { d->defs.push_back(def); }
const std::vector<FieldDef>& Query::fieldDefs() const { return d->defs; }

void Query::open()
{
    if (d->active)
        return;
    Session* session = defaultSession();
    if (!session)
        throw DatabaseError("No database session");
    Database& database = session->database(d->databaseName.toStdString());
    ResultSet result = database.execute(d->sql.join(QLatin1Char('\n')).toStdString());

    std::vector<QString> names;
    std::vector<FieldType> types;
    std::vector<int> columns;
    if (d->defs.empty()) {
        for (size_t i = 0; i < result.columns.size(); ++i) {
            names.push_back(QString::fromStdString(result.columns[i].name));
            types.push_back(fieldTypeOf(result.columns[i].type));
            columns.push_back(int(i));
        }
    } else {
        for (const FieldDef& def : d->defs) {
            const int index = result.columnIndex(def.columnName.toStdString());
            if (index < 0)
                throw fieldNotFound(def.columnName);
            const ColumnType actual = result.columns[size_t(index)].type;
            if (!binds(def.type, actual))
                throw DatabaseError(QStringLiteral("Type mismatch for field '%1', expecting: %2 actual: %3")
                                        .arg(def.columnName, QLatin1String(typeName(def.type)),
                                             QLatin1String(typeName(fieldTypeOf(actual))))
                                        .toStdString());
            names.push_back(def.columnName);
            types.push_back(def.type);
            columns.push_back(index);
        }
    }

    d->result = std::move(result);
    d->names = std::move(names);
    d->types = std::move(types);
    d->columns = std::move(columns);
    d->row = 0;
    d->eof = d->result.rows.empty();
    d->active = true;
    emit opened();
    emit currentRowChanged(recNo());
}

void Query::close()
{
    if (!d->active)
        return;
    d->reset();
    emit closed();
}

bool Query::active() const { return d->active; }
int Query::recordCount() const { return d->active ? int(d->result.rows.size()) : 0; }
bool Query::isEmpty() const { return recordCount() == 0; }

int Query::recNo() const { return isEmpty() ? -1 : d->row; }
bool Query::eof() const { return !d->active || d->eof; }

void Query::first() { moveTo(0); }

void Query::next()
{
    if (eof())
        return;
    // Like a dataset cursor: stepping off the last row sets eof and stays on it.
    if (d->row + 1 >= recordCount()) {
        d->eof = true;
        return;
    }
    ++d->row;
    emit currentRowChanged(d->row);
}

void Query::moveTo(int row)
{
    if (isEmpty())
        return;
    const int target = std::clamp(row, 0, recordCount() - 1);
    d->eof = false;
    if (target == d->row)
        return;
    d->row = target;
    emit currentRowChanged(target);
}

int Query::fieldCount() const { return int(d->names.size()); }
QString Query::fieldName(int field) const { return d->names.at(size_t(field)); }
FieldType Query::fieldType(int field) const { return d->types.at(size_t(field)); }

int Query::fieldIndex(const QString& name) const
{
    for (size_t i = 0; i < d->names.size(); ++i)
        if (d->names[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QString Query::asString(const QString& field) const { return cellText(d->current(field, fieldIndex(field))); }
double Query::asFloat(const QString& field) const { return cellNumber(d->current(field, fieldIndex(field))); }
bool Query::isNull(const QString& field) const { return d->current(field, fieldIndex(field)).index() == 0; }

const Cell& Query::cell(int row, int field) const
{
    if (!d->active || row < 0 || row >= recordCount() || field < 0 || field >= fieldCount())
        return kNull;
    return d->result.rows[size_t(row)][size_t(d->columns[size_t(field)])];
}

QString Query::text(int row, int field) const { return cellText(cell(row, field)); }
double Query::number(int row, int field) const { return cellNumber(cell(row, field)); }

} // namespace qelvan::db

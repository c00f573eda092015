#pragma once
// A query over the default session: statement lines, open/close, a current
// row, fields read by name, and persistent field definitions that bind by
// column name when the query opens.

#include <qelvan/session.h>

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace qelvan::db {

/// The session queries resolve their database names through. The entry sets
/// it to the host's session; it is not owned here.
QELVAN_EXPORT void setDefaultSession(Session* session);
QELVAN_EXPORT Session* defaultSession();

enum class FieldType { String, Float, Integer };

/// Declared before opening; the query refuses to open when its result lacks
/// the column ("Field '%s' not found") or holds the other kind of value
/// ("Type mismatch for field '%s', expecting: %s actual: %s").
struct FieldDef {
    QString componentName;   ///< e.g. "qry_xstgjfp1SL0000"
    QString columnName;      ///< e.g. "SL0000"
    FieldType type = FieldType::String;
    int size = 0;            ///< declared text length; not checked on open
};

class QELVAN_EXPORT Query : public QObject {
    Q_OBJECT
public:
    explicit Query(QObject* owner = nullptr);
    ~Query() override;

    void setDatabaseName(const QString& name);
    QString databaseName() const;

    /// Statement lines, joined with line breaks when the query opens.
    QStringList& sql();
    const QStringList& sql() const;

    /// Persistent fields; with none, every result column is exposed.
    void addField(const FieldDef& def);
    const std::vector<FieldDef>& fieldDefs() const;

    /// Runs the statement through the default session and reads the result in
    /// full, then moves to the first row. On any error the query stays closed
    /// and the DatabaseError propagates. Opening an open query is a no-op.
    void open();
    /// Discards the result. A no-op when closed.
    void close();
    bool active() const;

    /// Exact row count; 0 when closed.
    int recordCount() const;
    bool isEmpty() const;

    /// Current row (0-based, -1 when closed or empty) and navigation; eof()
    /// is true past the last row and on an empty or closed query. Stepping
    /// past the last row stays on it, as a dataset cursor does; moveTo clamps
    /// into the rows. currentRowChanged is sent on open and on each move.
    int recNo() const;
    bool eof() const;
    void first();
    void next();
    void moveTo(int row);

    /// Exposed fields, in the order of the definitions (or of the result).
    int fieldCount() const;
    QString fieldName(int field) const;
    FieldType fieldType(int field) const;
    int fieldIndex(const QString& name) const;   ///< -1 when not exposed

    /// Values of the current row. Throws DatabaseError ("Field '%s' not
    /// found") for an unknown name. NULL text reads as "", NULL number as 0.
    QString asString(const QString& field) const;
    double asFloat(const QString& field) const;
    bool isNull(const QString& field) const;

    /// Any row, without moving: for grids and reports. Out of range (or
    /// closed), the cell is NULL.
    const Cell& cell(int row, int field) const;
    QString text(int row, int field) const;
    double number(int row, int field) const;

signals:
    void opened();
    void closed();
    void currentRowChanged(int row);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

/// Links a data-aware control to a query; the control listens to the
/// query's signals through it.
class QELVAN_EXPORT DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject* owner = nullptr);
    void setDataSet(Query* query);
    Query* dataSet() const;
signals:
    void dataSetChanged(Query* query);
private:
    Query* m_query = nullptr;
};

} // namespace qelvan::db

#pragma once
// A named source of rows for a data band. The report walks it from the first
// row to the last; whoever owns the real data adapts it (a window over its
// query, a test over a table). Links are not owned by the report.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace qelvan::report {

class DataLink {
public:
    explicit DataLink(QString name) : m_name(std::move(name)) {}
    virtual ~DataLink() = default;
    DataLink(const DataLink&) = delete;
    DataLink& operator=(const DataLink&) = delete;

    /// The name templates bind to, e.g. "frDBDataSet1".
    const QString& name() const { return m_name; }

    /// Moves to the first row; eof() is true at once when there is none.
    virtual void first() = 0;
    /// Moves on; next() on the last row sets eof() and stays on that row,
    /// so after a full walk the link is on its last row.
    virtual void next() = 0;
    virtual bool eof() const = 0;
    /// The row the link is on, 0-based in its walking order; -1 when none.
    virtual int currentRow() const = 0;

    /// Fields are found by name, ignoring case; -1 when there is no such field.
    virtual int fieldIndex(const QString& field) const = 0;
    /// The current row's value: a number or a text; a null variant for NULL.
    virtual QVariant value(int field) const = 0;

    QVariant value(const QString& field) const;

private:
    QString m_name;
};

/// Rows held in memory: for tests, benchmarks and small fixed lists.
class TableDataLink : public DataLink {
public:
    TableDataLink(QString name, QStringList fields);

    void addRow(std::vector<QVariant> values);   ///< one value per field
    int rowCount() const { return int(m_rows.size()); }

    void first() override;
    void next() override;
    bool eof() const override;
    int currentRow() const override;
    int fieldIndex(const QString& field) const override;
    QVariant value(int field) const override;
    using DataLink::value;

    /// Number of next() calls since construction, to check how a report walked.
    int moves() const { return m_moves; }

private:
    QStringList m_fields;
    std::vector<std::vector<QVariant>> m_rows;
    int m_row = 0;
    bool m_eof = true;
    int m_moves = 0;
};

} // namespace qelvan::report

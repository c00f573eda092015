#pragma once
// The rows of a query as a table, in the order the grid shows them.
//
// The model keeps no copy of the data: every cell is read from the query and
// formatted when it is displayed. ValueRole gives the raw value (a double,
// an integer or the text; invalid for NULL). Footers sum the raw numbers of
// every row. Sorting only reorders an index of source rows in memory; the
// query and its database never see it. The model is read-only.

#include "grid/GridColumn.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <unordered_map>
#include <vector>

namespace qelvan::db {
class DataSource;
class Query;
} // namespace qelvan::db

namespace qelvan::grid {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role { ValueRole = Qt::UserRole + 1 };

    explicit GridModel(QObject* parent = nullptr);
    ~GridModel() override;

    /// The model follows whatever query the source is linked to, now and later.
    void setDataSource(db::DataSource* source);
    db::DataSource* dataSource() const;
    db::Query* query() const;

    /// Columns are owned by the model (children of it, findable by name).
    GridColumn* addColumn(const ColumnSpec& spec);
    const std::vector<GridColumn*>& columns() const { return m_columns; }
    /// By object name or field name; nullptr when there is none.
    GridColumn* column(const QString& name) const;
    int columnIndex(const QString& name) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// The text a cell shows; "" for NULL, for a field the query lacks, or
    /// out of range.
    QString displayText(int viewRow, int column) const;
    /// The header line and the given rows (in view order), tab-separated
    /// display texts, one line each.
    QString tabSeparatedText(const std::vector<int>& viewRows) const;

    /// Source row of each view row, in view order.
    std::vector<int> rowOrder() const { return m_order; }
    int sourceRow(int viewRow) const;
    int viewRow(int sourceRow) const;

    /// Sorts by a column (stable; NULLs first ascending); -1 restores the
    /// query's order. The sort survives reopening the query.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    /// Header-click behaviour: a new column sorts ascending, the same one again reverses.
    void toggleSort(int column);
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    /// Sum of the column over all rows (0 without a sum footer or data).
    double footerValue(int column) const;
    /// The footer text as shown: the sum in the footer format; "" for
    /// columns without a sum and while the query is closed.
    QString footerText(int column) const;
    QString footerText(const QString& columnName) const;

    /// The field whose value the grid matches when the query moves on its own.
    void setKeyFieldName(const QString& field);
    QString keyFieldName() const { return m_keyField; }
    /// The view row the grid should highlight for a source row: the first row
    /// (in view order) whose key equals that row's; the row itself without a
    /// key field; -1 when out of range.
    int followingViewRow(int sourceRow) const;

    /// Moves the query to the row shown at viewRow, without echoing the move
    /// back through followRow.
    void moveQueryTo(int viewRow);

signals:
    void footersChanged();
    /// The query's current row moved other than through moveQueryTo.
    void followRow(int viewRow);

private:
    void attach(db::Query* query);
    void reload();
    void resolveFields();
    void computeFooters();
    void applyOrder(std::vector<int> order);
    std::vector<int> sortedOrder(int column, Qt::SortOrder order) const;
    void onQueryRowChanged(int row);
    int keyField() const;
    bool queryReady() const;

    QPointer<db::DataSource> m_source;
    QPointer<db::Query> m_query;
    QMetaObject::Connection m_sourceConnection;
    std::vector<QMetaObject::Connection> m_queryConnections;

    std::vector<GridColumn*> m_columns;
    std::vector<int> m_fields;   // query field index per column, -1 when absent
    std::vector<int> m_order;    // view row -> source row
    std::vector<int> m_inverse;  // source row -> view row
    std::vector<double> m_sums;  // per column
    bool m_footersValid = false;

    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;

    QString m_keyField;
    // Key value -> first view row holding it; built on first use after the
    // rows or their order change, so following a report walk stays linear.
    mutable std::unordered_map<double, int> m_numberKeys;
    mutable std::unordered_map<std::string, int> m_textKeys;
    mutable int m_nullKeyRow = -1;
    mutable bool m_keysValid = false;

    bool m_movingQuery = false;
};

} // namespace qelvan::grid

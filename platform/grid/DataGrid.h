#pragma once
// A data-bound grid: typed columns over a query (through a DataSource), a
// summary footer row, whole-row read-only selection, columns stretched to the
// grid's width in proportion to their declared widths, in-memory sorting by
// header click, and copying rows as tab-separated text.
//
// The grid follows the query: when the query's current row moves other than
// through the grid, the first row whose key field equals the current row's
// is highlighted. Selecting a row in the grid moves the query there.

#include "grid/GridColumn.h"

#include <QFrame>

#include <vector>

class QAction;
class QMenu;
class QTableView;

namespace qelvan::db {
class DataSource;
}

namespace qelvan::grid {

class GridFooter;
class GridModel;

class DataGrid : public QFrame {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    void setDataSource(db::DataSource* source);
    db::DataSource* dataSource() const;

    /// Appends a column; it is a child of the grid's model, named by spec.objectName.
    GridColumn* addColumn(const ColumnSpec& spec);
    /// By object name ("dbg_xstgjfp2SL0000") or field name ("SL0000").
    GridColumn* column(const QString& name) const;
    int columnCount() const;

    /// Field matched when the query moves on its own (e.g. "SL0000");
    /// empty: the grid highlights the query's row itself.
    void setKeyFieldName(const QString& field);
    QString keyFieldName() const;

    /// Exactly the text the footer cell shows; "" for a column without a sum.
    QString footerText(const QString& columnName) const;
    /// Source rows in the order the grid shows them.
    std::vector<int> rowOrder() const;
    /// The highlighted row in view order, -1 when none.
    int currentRow() const;

    /// Header line plus the selected rows (in view order) / all rows, as
    /// tab-separated display texts.
    QString selectedRowsText() const;
    QString allRowsText() const;
    void copySelectedRows();
    void copyAllRows();

    /// Appends an action to the grid's context menu, after the copy actions.
    /// The grid does not take ownership.
    void addContextAction(QAction* action);
    /// The actions the context menu shows, in order.
    QList<QAction*> contextActions() const;

    GridModel* model() const { return m_model; }
    QTableView* view() const { return m_view; }
    GridFooter* footer() const { return m_footer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void stretchColumns();
    void onUserResizedSection(int logical, int oldSize, int newSize);
    void onFollowRow(int viewRow);
    void onHeaderClicked(int section);
    void showContextMenu(const QPoint& pos);
    void updateRowHeight();

    GridModel* m_model;
    QTableView* m_view;
    GridFooter* m_footer;
    QAction* m_copySelected;
    QAction* m_copyAll;
    QList<QAction*> m_extraActions;
    bool m_stretching = false;
    bool m_following = false;
};

} // namespace qelvan::grid

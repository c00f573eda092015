#include "SummaryGrid.h"

#include "db/Query.h"

#include <QAbstractTableModel>

namespace qelvan::ui {

namespace {

class QueryModel : public QAbstractTableModel {
public:
    void setQuery(db::Query* query)
    {
        beginResetModel();
        m_query = query;
        endResetModel();
    }
    void refresh()
    {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() || !m_query ? 0 : m_query->recordCount();
    }
    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() || !m_query || !m_query->active() ? 0 : m_query->fieldCount();
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !m_query)
            return {};
        return m_query->text(index.row(), index.column());
    }

private:
    db::Query* m_query = nullptr;
};

} // namespace

struct SummaryGrid::Impl {
    QueryModel model;
};

SummaryGrid::SummaryGrid(QWidget* parent) : QTableView(parent), d(new Impl)
{
    setModel(&d->model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
}

SummaryGrid::~SummaryGrid()
{
    setModel(nullptr);
    delete d;
}

void SummaryGrid::setDataSource(db::DataSource* source)
{
    db::Query* query = source ? source->dataSet() : nullptr;
    d->model.setQuery(query);
    if (query) {
        connect(query, &db::Query::opened, this, [this] { d->model.refresh(); });
        connect(query, &db::Query::closed, this, [this] { d->model.refresh(); });
    }
}

QString SummaryGrid::footerText(const QString&) const
{
    return {};
}

} // namespace qelvan::ui

#include "SummaryDataLink.h"

#include "db/CellText.h"
#include "db/Query.h"
#include "grid/DataGrid.h"

namespace qelvan::ui {

SummaryDataLink::SummaryDataLink(QString name, db::Query& query, const grid::DataGrid& grid)
    : DataLink(std::move(name)), m_query(query), m_grid(grid)
{
}

void SummaryDataLink::first()
{
    m_order = m_query.active() ? m_grid.rowOrder() : std::vector<int>();
    m_position = m_order.empty() ? -1 : 0;
    m_eof = m_order.empty();
    if (!m_eof)
        m_query.moveTo(sourceRow());
}

void SummaryDataLink::next()
{
    if (m_eof)
        return;
    if (m_position + 1 < int(m_order.size())) {
        ++m_position;
        m_query.moveTo(sourceRow());
    } else {
        m_eof = true;
    }
}

bool SummaryDataLink::eof() const { return m_eof; }

int SummaryDataLink::currentRow() const { return m_position; }

int SummaryDataLink::sourceRow() const
{
    return m_position < 0 ? -1 : m_order[size_t(m_position)];
}

int SummaryDataLink::fieldIndex(const QString& field) const { return m_query.fieldIndex(field); }

QVariant SummaryDataLink::value(int field) const
{
    // Read by row rather than at the query's cursor: the walk's row stays
    // what the report asked for even if something moves the query meanwhile.
    return qelvan::db::cellVariant(m_query.cell(sourceRow(), field));
}

} // namespace qelvan::ui

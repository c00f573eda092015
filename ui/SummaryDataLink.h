#pragma once
// The report's view of the summary: the rows of the query in the order the
// grid shows them (the user may have sorted by a column), with the query
// moved to each row as the report walks, so the grid follows the walk. After
// a full walk the query is on the last row walked.

#include "report/DataLink.h"

#include <vector>

namespace qelvan::db {
class Query;
}
namespace qelvan::grid {
class DataGrid;
}

namespace qelvan::ui {

class SummaryDataLink : public report::DataLink {
public:
    /// Both must outlive the link; the grid gives the order, the query the rows.
    SummaryDataLink(QString name, db::Query& query, const grid::DataGrid& grid);

    /// Takes the grid's order as it is now; a closed query has no rows.
    void first() override;
    void next() override;
    bool eof() const override;
    int currentRow() const override;
    int fieldIndex(const QString& field) const override;
    QVariant value(int field) const override;
    using DataLink::value;

private:
    int sourceRow() const;

    db::Query& m_query;
    const grid::DataGrid& m_grid;
    std::vector<int> m_order;
    int m_position = -1;
    bool m_eof = true;
};

} // namespace qelvan::ui

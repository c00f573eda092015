#pragma once
// The copy of the summary grid that an export writes: the grid's columns with
// their captions and patterns, and the raw values of its rows in the order
// the grid shows them, titled with the query the rows came from.

#include "ShownSummary.h"

#include "export/TableSnapshot.h"

namespace qelvan::grid {
class DataGrid;
}

namespace qelvan::ui {

/// Currency columns without a pattern of their own carry the locale's
/// currency pattern they are shown in; sum columns carry their footer
/// pattern, and the first column without a sum labels the totals row.
exporting::TableSnapshot summarySnapshot(const grid::DataGrid& grid, const ShownSummary& shown);

} // namespace qelvan::ui

#pragma once
// The window's summary grid: the seven declared columns over the summary
// query, with sums under the quantity and amount columns.

#include "grid/DataGrid.h"

namespace qelvan::ui {

class SummaryGrid : public grid::DataGrid {
    Q_OBJECT
public:
    explicit SummaryGrid(QWidget* parent = nullptr);
};

} // namespace qelvan::ui

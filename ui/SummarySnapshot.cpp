#include "SummarySnapshot.h"

#include "grid/DataGrid.h"
#include "grid/GridModel.h"

namespace qelvan::ui {

namespace {

exporting::CellValue cellValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::LongLong:
    case QMetaType::Int:
        return value.toDouble();
    case QMetaType::QString:
        return value.toString();
    default:
        return std::monostate();
    }
}

} // namespace

exporting::TableSnapshot summarySnapshot(const grid::DataGrid& grid, const ShownSummary& shown)
{
    exporting::TableSnapshot snapshot;
    snapshot.title = QStringLiteral("商品销售汇总表");
    snapshot.company = shown.company;
    snapshot.dateRange = shown.dateRange();

    const grid::GridModel& model = *grid.model();
    bool labelled = false;
    for (const grid::GridColumn* column : model.columns()) {
        exporting::ExportColumn out;
        out.caption = column->caption();
        out.width = column->width();
        if (column->kind() == grid::ColumnKind::Text) {
            out.kind = exporting::ColumnKind::Text;
        } else {
            out.kind = exporting::ColumnKind::Number;
            out.displayPattern = column->effectiveDisplayFormat();
        }
        if (column->summary() == grid::Summary::Sum) {
            out.footer = exporting::FooterKind::Sum;
            out.footerPattern = column->footerFormat();
        } else if (!labelled) {
            out.footerText = QStringLiteral("合计");
            labelled = true;
        }
        snapshot.columns.push_back(std::move(out));
    }

    const int rows = model.rowCount();
    const int columns = model.columnCount();
    snapshot.rows.reserve(size_t(rows));
    for (int r = 0; r < rows; ++r) {
        exporting::ExportRow row;
        row.reserve(size_t(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(cellValue(model.data(model.index(r, c), grid::GridModel::ValueRole)));
        snapshot.rows.push_back(std::move(row));
    }
    return snapshot;
}

} // namespace qelvan::ui

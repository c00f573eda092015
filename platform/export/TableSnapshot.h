#pragma once
// A plain copy of what a grid shows, taken at the moment of export: the texts
// that title it, its columns and their display formats, and the raw cell
// values in the order the rows are displayed. It knows nothing of widgets or
// of the database, so the writers can be tested on a hand-made table.

#include <QString>

#include <variant>
#include <vector>

namespace qelvan::exporting {

/// Text columns hold codes and names: a workbook stores every cell of them as
/// text (a number given there is written in its plain form), so codes keep
/// their leading zeros. Number columns store numbers under their pattern.
enum class ColumnKind { Text, Number };
enum class FooterKind { None, Sum };

struct ExportColumn {
    QString caption;                   ///< header text, e.g. "金额(含税)"
    ColumnKind kind = ColumnKind::Text;
    /// Display pattern of the cells in the platform's numeric pattern syntax
    /// ("￥,0.00;-￥,0.00"); empty shows numbers in a general form.
    QString displayPattern;
    FooterKind footer = FooterKind::None;
    /// Pattern of the totals cell (" 0.00", "0.00;-0.00"); empty uses
    /// displayPattern. Only read for sum columns.
    QString footerPattern;
    /// Text of the totals row under a column without a sum (e.g. a label);
    /// ignored for sum columns, whose totals cell is computed from the rows.
    QString footerText;
    int width = 0;                     ///< declared width in pixels; 0 if none
};

/// A raw value: nothing (NULL), a text, or a number. Numbers that are not
/// finite are written as empty cells.
using CellValue = std::variant<std::monostate, QString, double>;
using ExportRow = std::vector<CellValue>;

struct TableSnapshot {
    QString title;      ///< optional heading placed before the company
    QString company;    ///< company short name; also names the sheet
    QString dateRange;  ///< the range of the query the rows come from, as displayed
    std::vector<ExportColumn> columns;
    /// One entry per displayed row, one cell per column; a short row reads
    /// its missing cells as NULL, cells beyond the columns are ignored.
    std::vector<ExportRow> rows;
};

} // namespace qelvan::exporting

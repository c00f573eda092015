#pragma once
// Translations from the platform's conventions to a workbook's: number
// formats, sheet names, column letters and column widths.

#include <QString>
#include <QStringView>

namespace qelvan::exporting {

struct ExcelNumberFormat {
    /// The format code; empty means the workbook's General format (an empty
    /// or unusable pattern).
    QString code;
    // What a cell under the positive section looks like, for sizing columns.
    int decimals = 0;
    bool grouping = false;
    int literalWidth = 0;
};

/// Converts a display pattern ('0', '#', ',' grouping anywhere in a section,
/// '.', ';' sections, quoted and other literal text) to a format code that
/// shows the same: "￥,0.00;-￥,0.00" -> "￥#,##0.00;-￥#,##0.00". Literal text
/// is quoted unless it is a blank, a sign, a parenthesis or a currency
/// symbol, so characters the workbook would read as codes ('%', 'E', '/')
/// stay text as they are on screen. An empty negative section becomes "-"
/// and the positive one, an empty zero section the positive one, as the
/// grid shows them. A pattern with an open quote or more than three sections
/// gives General.
ExcelNumberFormat excelNumberFormat(QStringView pattern);

/// Rough width in characters of `value` shown under `format`.
int estimatedWidth(const ExcelNumberFormat& format, double value);

/// A legal sheet name for the company: [ ] : * ? / \ become '_', control
/// characters and apostrophes at either end are dropped, at most 31 UTF-16
/// units are kept (never half a surrogate pair), and an empty result or the
/// reserved "History" is replaced by "Sheet1" or "History_".
QString excelSheetName(const QString& company);

/// "A" for 0, "Z" for 25, "AA" for 26, ...
QString excelColumnName(int column);

/// Width in character cells: East Asian wide and fullwidth characters count
/// 2, everything else 1 (a surrogate pair is one character).
int displayWidth(QStringView text);

} // namespace qelvan::exporting

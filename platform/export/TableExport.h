#pragma once
// Exporting a grid's snapshot to a workbook or a CSV file.
//
// Both writers build the whole file first and put it in place only when it
// is complete: the bytes go to a temporary file in the target folder that is
// renamed over the chosen name on success. A failed export therefore leaves
// an existing file under that name untouched and never a half-written one.
// A target that exists but is not a regular file (a folder, a device) is
// refused.

#include "ExportError.h"
#include "TableSnapshot.h"

#include <QDate>
#include <QString>

namespace qelvan::exporting {

/// "无记录可供导出！": the information text for an export or copy of no rows.
QString noRowsMessage();

/// Writes one sheet named after the company (made legal for sheet names):
/// row 1 the title (title, company and date range joined by two blanks),
/// row 2 the column captions, then one row per snapshot row with numbers
/// stored as numbers under the columns' display formats, and, when any
/// column has a sum footer, a totals row of =SUM() formulas whose stored
/// results are the sums of the rows. Rows 1-2 stay frozen; widths fit the
/// captions (wide CJK characters count double), the declared widths and the
/// contents.
/// Throws ExportError: with noRowsMessage() for a snapshot without rows
/// (nothing is written), or naming the file and the reason when it cannot
/// be produced.
void writeXlsx(const TableSnapshot& snapshot, const QString& path);

/// Writes UTF-8 with a byte-order mark, CRLF line ends, a header row of the
/// captions and one line per row; fields are quoted as RFC 4180 asks (when
/// they hold a comma, a quote or a line break; quotes doubled). Numbers are
/// written plainly: '.' as decimal point, no grouping, no exponent, the
/// shortest digits that read back to the same double. No title and no
/// totals line, so the file stays a plain table.
/// Throws ExportError as writeXlsx does.
void writeCsv(const TableSnapshot& snapshot, const QString& path);

/// A file name (no folder) for the save dialog:
/// "<company>_<yyyy-MM-dd>_<yyyy-MM-dd>.<extension>". Characters that file
/// systems refuse (/ \ : * ? " < > | and control characters) are dropped
/// from the company, as are leading dots and blanks or dots at its end; an
/// empty company or an invalid date is left out with its separator.
/// `extension` may be given with or without the dot ("xlsx", ".csv").
QString proposedFileName(const QString& company, const QDate& startDate, const QDate& endDate,
                         const QString& extension);

} // namespace qelvan::exporting

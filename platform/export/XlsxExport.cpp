#include "TableExport.h"

#include "ExcelFormat.h"
#include "PlainNumber.h"
#include "SafeSave.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace qelvan::exporting {
namespace {

// Owns a workbook until it is closed; closing writes the file and frees it,
// dropping it unclosed only frees it.
struct WorkbookFree {
    void operator()(lxw_workbook* workbook) const { lxw_workbook_free(workbook); }
};
using WorkbookPtr = std::unique_ptr<lxw_workbook, WorkbookFree>;

constexpr lxw_row_t kTitleRow = 0;
constexpr lxw_row_t kHeaderRow = 1;
constexpr lxw_row_t kFirstDataRow = 2;
// Column widths are in characters of the default font; at 96 dpi one is
// about seven pixels wide.
constexpr double kPixelsPerCharacter = 7.0;
constexpr double kMaxColumnWidth = 100.0;

class SheetBuilder {
public:
    SheetBuilder(const TableSnapshot& snapshot, const QString& path, const QString& target)
        : snapshot_(snapshot), target_(target)
    {
        workbook_.reset(workbook_new(QFile::encodeName(path).constData()));
        if (!workbook_)
            fail(QStringLiteral("无法创建工作簿 (cannot create workbook)"));
        const QByteArray sheetName = excelSheetName(snapshot.company).toUtf8();
        sheet_ = workbook_add_worksheet(workbook_.get(), sheetName.constData());
        if (!sheet_)
            fail(QStringLiteral("无法创建工作表 (cannot add worksheet)"));
    }

    void build()
    {
        writeTitle();
        writeHeader();
        for (size_t r = 0; r < snapshot_.rows.size(); ++r)
            writeRow(kFirstDataRow + lxw_row_t(r), snapshot_.rows[r]);
        writeTotals(kFirstDataRow + lxw_row_t(snapshot_.rows.size()));
        worksheet_freeze_panes(sheet_, kFirstDataRow, 0);
        fitColumns();
    }

    void close()
    {
        const lxw_error error = workbook_close(workbook_.release());
        check(error);
    }

private:
    [[noreturn]] void fail(const QString& reason) const { throw ExportError::cannotWrite(target_, reason); }

    void check(lxw_error error) const
    {
        if (error != LXW_NO_ERROR)
            fail(QString::fromUtf8(lxw_strerror(error)));
    }

    lxw_format* newFormat()
    {
        lxw_format* format = workbook_add_format(workbook_.get());
        if (!format)
            fail(QStringLiteral("内存不足 (out of memory)"));
        return format;
    }

    lxw_format* numberFormat(const ExcelNumberFormat& number, bool bold)
    {
        if (number.code.isEmpty() && !bold)
            return nullptr;
        lxw_format* format = newFormat();
        if (!number.code.isEmpty())
            format_set_num_format(format, number.code.toUtf8().constData());
        if (bold)
            format_set_bold(format);
        return format;
    }

    lxw_format* textFormat()
    {
        if (!textFormat_) {
            textFormat_ = newFormat();
            format_set_num_format(textFormat_, "@");
        }
        return textFormat_;
    }

    void writeText(lxw_row_t row, lxw_col_t col, const QString& text, lxw_format* format)
    {
        if (!text.isEmpty())
            check(worksheet_write_string(sheet_, row, col, text.toUtf8().constData(), format));
    }

    void writeTitle()
    {
        QStringList parts;
        for (const QString& part : {snapshot_.title, snapshot_.company, snapshot_.dateRange})
            if (!part.isEmpty())
                parts << part;
        lxw_format* bold = newFormat();
        format_set_bold(bold);
        writeText(kTitleRow, 0, parts.join(QStringLiteral("  ")), bold);
    }

    void writeHeader()
    {
        lxw_format* header = newFormat();
        format_set_bold(header);
        format_set_align(header, LXW_ALIGN_CENTER);
        format_set_bottom(header, LXW_BORDER_THIN);
        for (size_t c = 0; c < snapshot_.columns.size(); ++c) {
            const ExportColumn& column = snapshot_.columns[c];
            writeText(kHeaderRow, lxw_col_t(c), column.caption, header);
            cellFormats_.push_back(excelNumberFormat(column.displayPattern));
            formats_.push_back(column.kind == ColumnKind::Text ? textFormat()
                                                                : numberFormat(cellFormats_.back(), false));
            widths_.push_back(std::max(displayWidth(column.caption) + 2.0, column.width / kPixelsPerCharacter));
        }
    }

    void fitWidth(size_t column, int contentWidth)
    {
        widths_[column] = std::max(widths_[column], contentWidth + 2.0);
    }

    void writeRow(lxw_row_t row, const ExportRow& cells)
    {
        const size_t count = std::min(cells.size(), snapshot_.columns.size());
        for (size_t c = 0; c < count; ++c) {
            const CellValue& cell = cells[c];
            const bool textColumn = snapshot_.columns[c].kind == ColumnKind::Text;
            if (const double* number = std::get_if<double>(&cell); number && textColumn) {
                const QString text = QString::fromLatin1(plainNumber(*number));
                writeText(row, lxw_col_t(c), text, formats_[c]);
                fitWidth(c, displayWidth(text));
            } else if (number) {
                if (!std::isfinite(*number))
                    continue;
                check(worksheet_write_number(sheet_, row, lxw_col_t(c), *number, formats_[c]));
                fitWidth(c, estimatedWidth(cellFormats_[c], *number));
            } else if (const QString* text = std::get_if<QString>(&cell)) {
                writeText(row, lxw_col_t(c), *text, textColumn ? formats_[c] : nullptr);
                fitWidth(c, displayWidth(*text));
            }
        }
    }

    // Sums are computed here only for the stored result, so that a reader
    // that does not recalculate still shows the grid's totals.
    void writeTotals(lxw_row_t row)
    {
        const bool anySum = std::any_of(snapshot_.columns.begin(), snapshot_.columns.end(),
                                        [](const ExportColumn& c) { return c.footer == FooterKind::Sum; });
        if (!anySum)
            return;
        lxw_format* label = newFormat();
        format_set_bold(label);
        for (size_t c = 0; c < snapshot_.columns.size(); ++c) {
            const ExportColumn& column = snapshot_.columns[c];
            if (column.footer != FooterKind::Sum) {
                writeText(row, lxw_col_t(c), column.footerText, label);
                if (!column.footerText.isEmpty())
                    fitWidth(c, displayWidth(column.footerText));
                continue;
            }
            double sum = 0;
            for (const ExportRow& cells : snapshot_.rows)
                if (c < cells.size())
                    if (const double* number = std::get_if<double>(&cells[c]); number && std::isfinite(*number))
                        sum += *number;
            const ExcelNumberFormat number = excelNumberFormat(
                column.footerPattern.isEmpty() ? column.displayPattern : column.footerPattern);
            const QString letter = excelColumnName(int(c));
            const QString formula = QStringLiteral("=SUM(%1%2:%1%3)")
                                        .arg(letter).arg(kFirstDataRow + 1).arg(row);
            check(worksheet_write_formula_num(sheet_, row, lxw_col_t(c), formula.toUtf8().constData(),
                                              numberFormat(number, true), sum));
            fitWidth(c, estimatedWidth(number, sum));
        }
    }

    void fitColumns()
    {
        for (size_t c = 0; c < widths_.size(); ++c)
            check(worksheet_set_column(sheet_, lxw_col_t(c), lxw_col_t(c),
                                       std::min(widths_[c], kMaxColumnWidth), nullptr));
    }

    const TableSnapshot& snapshot_;
    QString target_;
    WorkbookPtr workbook_;
    lxw_worksheet* sheet_ = nullptr;
    std::vector<ExcelNumberFormat> cellFormats_;
    std::vector<lxw_format*> formats_;
    lxw_format* textFormat_ = nullptr;
    std::vector<double> widths_;
};

} // namespace

void writeXlsx(const TableSnapshot& snapshot, const QString& path)
{
    if (snapshot.rows.empty())
        throw ExportError(noRowsMessage());

    // The library writes to a file name of its own choosing; it gets a
    // scratch file, and only the finished bytes go to the user's folder.
    QTemporaryFile scratch(QDir::tempPath() + QStringLiteral("/qelvan-export-XXXXXX.xlsx"));
    if (!scratch.open())
        throw ExportError::cannotWrite(path, scratch.errorString());
    scratch.close();

    SheetBuilder builder(snapshot, scratch.fileName(), path);
    builder.build();
    builder.close();

    QFile written(scratch.fileName());
    if (!written.open(QIODevice::ReadOnly))
        throw ExportError::cannotWrite(path, written.errorString());
    saveFileAtomically(path, written.readAll());
}

} // namespace qelvan::exporting

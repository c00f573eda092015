#include "TableExport.h"

#include "PlainNumber.h"
#include "SafeSave.h"

namespace qelvan::exporting {
namespace {

void appendText(QByteArray& out, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    const bool quote = utf8.contains(',') || utf8.contains('"') || utf8.contains('\r') || utf8.contains('\n');
    if (!quote) {
        out += utf8;
        return;
    }
    out += '"';
    for (const char ch : utf8) {
        if (ch == '"')
            out += '"';
        out += ch;
    }
    out += '"';
}

void appendCell(QByteArray& out, const CellValue& cell)
{
    if (const double* number = std::get_if<double>(&cell))
        out += plainNumber(*number);
    else if (const QString* text = std::get_if<QString>(&cell))
        appendText(out, *text);
}

QByteArray csvBytes(const TableSnapshot& snapshot)
{
    QByteArray out("\xEF\xBB\xBF");
    const size_t columns = snapshot.columns.size();
    for (size_t c = 0; c < columns; ++c) {
        if (c > 0)
            out += ',';
        appendText(out, snapshot.columns[c].caption);
    }
    out += "\r\n";
    for (const ExportRow& row : snapshot.rows) {
        for (size_t c = 0; c < columns; ++c) {
            if (c > 0)
                out += ',';
            if (c < row.size())
                appendCell(out, row[c]);
        }
        out += "\r\n";
    }
    return out;
}

} // namespace

QString noRowsMessage()
{
    return QStringLiteral("无记录可供导出！");
}

void writeCsv(const TableSnapshot& snapshot, const QString& path)
{
    if (snapshot.rows.empty())
        throw ExportError(noRowsMessage());
    saveFileAtomically(path, csvBytes(snapshot));
}

} // namespace qelvan::exporting

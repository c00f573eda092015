#include "PdfExport.h"

#include "PagePainter.h"
#include "ReportError.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace qelvan::report {

namespace {
QPageLayout layoutFor(const PreparedPage& page)
{
    return QPageLayout(QPageSize(page.paper, QPageSize::Millimeter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}
} // namespace

void exportPdf(const PreparedReport& report, const QString& path, const QString& title)
{
    // QPdfWriter only reports a bad path when painting starts, and then
    // silently; open the file ourselves so the user hears why.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw ReportError(QStringLiteral("无法写入文件 %1：%2").arg(QFileInfo(path).fileName(), file.errorString()));

    QPdfWriter writer(&file);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("qelvan"));
    writer.setTitle(title);
    if (!report.isEmpty())
        writer.setPageLayout(layoutFor(report.page(0)));

    QPainter painter;
    if (!painter.begin(&writer))
        throw ReportError(QStringLiteral("无法写入文件 %1").arg(QFileInfo(path).fileName()));
    PagePainter pages(painter, report);
    for (int i = 0; i < report.pageCount(); ++i) {
        const PreparedPage& page = report.page(i);
        if (i > 0) {
            if (page.paper != report.page(i - 1).paper)
                writer.setPageLayout(layoutFor(page));
            writer.newPage();
        }
        pages.paint(page);
    }
    painter.end();
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw ReportError(QStringLiteral("无法写入文件 %1：%2").arg(QFileInfo(path).fileName(), file.errorString()));
}

} // namespace qelvan::report

#include "ReportPrinter.h"

#include "PagePainter.h"
#include "ReportError.h"
#include "ReportHooks.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace qelvan::report {

bool printReport(const PreparedReport& report, QWidget* owner, const QString& documentName, int currentPage)
{
    if (report.isEmpty())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    // The template's margins already place everything on the paper.
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(report.page(0).paper, QPageSize::Millimeter), QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    printer.setFromTo(1, report.pageCount());

    const bool accepted = [&] {
        if (const auto& hook = detail::printDialogHook())
            return hook(printer);
        QPrintDialog dialog(&printer, owner);
        dialog.setMinMax(1, report.pageCount());
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, currentPage >= 0);
        return dialog.exec() == QDialog::Accepted;
    }();
    if (!accepted)
        return false;

    int from = 1;
    int to = report.pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::max(1, printer.fromPage());
        to = std::min(report.pageCount(), std::max(from, printer.toPage()));
    } else if (printer.printRange() == QPrinter::CurrentPage && currentPage >= 0) {
        from = to = std::min(report.pageCount(), currentPage + 1);
    }
    // Drivers that cannot make copies themselves get them page by page.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());

    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(QStringLiteral("无法启动打印机 %1").arg(printer.printerName()));
    PagePainter pages(painter, report);
    bool firstSheet = true;
    for (int copy = 0; copy < copies; ++copy) {
        for (int p = from; p <= to; ++p) {
            if (!firstSheet)
                printer.newPage();
            firstSheet = false;
            pages.paint(report.page(p - 1));
        }
    }
    painter.end();
    return true;
}

} // namespace qelvan::report

#include "ReportFixture.h"

#include "report/PagePainter.h"
#include "report/PdfExport.h"
#include "report/PreviewWindow.h"
#include "report/Report.h"
#include "report/ReportError.h"
#include "report/ReportHooks.h"
#include "report/ReportPrinter.h"
#include "report/Variables.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <gtest/gtest.h>

using namespace qelvan;
using namespace qelvan::report;
using namespace qelvan::report::test;

namespace {

class Output : public ::testing::Test {
protected:
    void SetUp() override
    {
        clearVariables();
        setSummaryVariables();
        report.addDataLink(link.get());
        ASSERT_TRUE(report.loadFromFile(defaultTemplatePath()));
        ASSERT_TRUE(report.prepare());
    }
    void TearDown() override
    {
        setFileDialogHook({});
        setPrintDialogHook({});
    }

    std::unique_ptr<TableDataLink> link = summaryLink(200);
    Report report;
    TempDir dir;
};

// Text the PDF must carry, CJK included: title, company, captions, a row, totals, footer.
void expectSummaryText(const QString& text, int pages)
{
    for (const QString& s : {QStringLiteral("商品销售汇总表"), kCompany, QStringLiteral("金额(不含税)"),
                             QStringLiteral("红塔山（软）"), QStringLiteral("￥15,431.25"), kAmountTotal, kTaxTotal,
                             QStringLiteral("第 %1 页").arg(pages), QStringLiteral("00000200")})
        EXPECT_TRUE(text.contains(s)) << s.toStdString();
}

TEST_F(Output, PdfSavedFromThePreviewHoldsTheText)
{
    const QString pdf = dir.file(QStringLiteral("summary"));   // no suffix: the chosen type adds it
    PreviewLog log([&](PreviewWindow& w) {
        setFileDialogHook([&](const FileDialogRequest& r) {
            EXPECT_TRUE(r.filter.contains(QStringLiteral("*.pdf")));
            return pdf + QStringLiteral(".pdf");
        });
        EXPECT_TRUE(w.saveFile());
    });
    ASSERT_TRUE(report.showPreparedReport());
    const QString text = pdfText(pdf + QStringLiteral(".pdf"));
    ASSERT_FALSE(text.isEmpty()) << "pdftotext failed";
    expectSummaryText(text, report.prepared().pageCount());
    EXPECT_EQ(text.count(QLatin1Char('\f')), report.prepared().pageCount());
}

TEST_F(Output, PdfToAnUnwritablePlaceFails)
{
    EXPECT_THROW(exportPdf(report.prepared(), dir.file(QStringLiteral("no/such/dir/x.pdf"))), ReportError);
}

TEST_F(Output, PrintGoesThroughTheDialogToThePrinter)
{
    const QString out = dir.file(QStringLiteral("printed.pdf"));
    int asked = 0;
    setPrintDialogHook([&](QPrinter& printer) {
        ++asked;
        EXPECT_EQ(printer.fromPage(), 1);
        EXPECT_EQ(printer.toPage(), report.prepared().pageCount());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
        return true;
    });
    EXPECT_TRUE(printReport(report.prepared(), nullptr, QStringLiteral("商品销售汇总表")));
    EXPECT_EQ(asked, 1);
    const QString text = pdfText(out);
    EXPECT_EQ(text.count(QLatin1Char('\f')), 2);
    EXPECT_TRUE(text.contains(QStringLiteral("第 2 页"))) << text.left(400).toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("第 1 页")));

    // Cancelled: nothing printed.
    const QString cancelled = dir.file(QStringLiteral("cancelled.pdf"));
    setPrintDialogHook([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(cancelled);
        return false;
    });
    EXPECT_FALSE(printReport(report.prepared(), nullptr, QString()));
    EXPECT_FALSE(QFileInfo::exists(cancelled));
}

int darkPixels(const QImage& image, const QRectF& mm, double scale)
{
    const QRect r = QRectF(mm.x() * scale, mm.y() * scale, mm.width() * scale, mm.height() * scale).toRect();
    int dark = 0;
    for (int y = std::max(0, r.top()); y <= std::min(image.height() - 1, r.bottom()); ++y)
        for (int x = std::max(0, r.left()); x <= std::min(image.width() - 1, r.right()); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

TEST_F(Output, ScreenDrawsTextAndFramesWhereTheModelSays)
{
    const PreparedReport& r = report.prepared();
    const PreparedPage& page = r.page(0);
    QImage image(1000, 1500, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);   // 96 dpi
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PagePainter(painter, r).paint(page);
    }
    const double scale = image.logicalDpiX() / 25.4;
    auto rectOf = [&](const char* object) {
        for (const PreparedItem& item : page.items)
            if (item.object == QLatin1String(object))
                return item.rect;
        return QRectF();
    };
    EXPECT_GT(darkPixels(image, rectOf("title"), scale), 100);       // 商品销售汇总表 in 16 pt
    const QRectF head = rectOf("headCode");
    // The frame's left edge, and the blank paper left of it.
    EXPECT_GT(darkPixels(image, QRectF(head.left() - 0.1, head.top() + 2, 0.2, 3), scale), 3);
    EXPECT_EQ(darkPixels(image, QRectF(1, head.top(), head.left() - 2, 100), scale), 0);
}

} // namespace

#include "ReportFixture.h"

#include "report/PdfExport.h"
#include "report/PreviewWindow.h"
#include "report/Report.h"
#include "report/ReportError.h"
#include "report/ReportHooks.h"
#include "report/ReportPrinter.h"
#include "report/Variables.h"

#include <QFileInfo>
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

} // namespace

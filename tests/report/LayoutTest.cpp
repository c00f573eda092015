#include "ReportFixture.h"

#include "report/Report.h"
#include "report/TemplateReader.h"
#include "report/Variables.h"

#include <gtest/gtest.h>

using namespace qelvan::report;
using namespace qelvan::report::test;

namespace {

class SummaryReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        clearVariables();
        setSummaryVariables();
        report.addDataLink(link.get());
        ASSERT_TRUE(report.loadFromFile(defaultTemplatePath()));
        ASSERT_TRUE(report.hasLayout());
    }

    std::unique_ptr<TableDataLink> link = summaryLink(200);
    Report report{QStringLiteral("frReportYKDJ")};
};

TEST_F(SummaryReport, PaginatesWithHeadersOnEveryPageAndTotalsOnceAtTheEnd)
{
    ASSERT_TRUE(report.prepare());
    const PreparedReport& r = report.prepared();
    const int pages = r.pageCount();
    ASSERT_GE(pages, 3);

    QStringList expectedCodes;
    for (int i = 1; i <= 200; ++i)
        expectedCodes << QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0'));
    EXPECT_EQ(textsOf(r, QStringLiteral("code")), expectedCodes);

    const double bottom = r.page(0).paper.height() - report.layout()->margins.bottom();
    for (int p = 0; p < pages; ++p) {
        SCOPED_TRACE(p + 1);
        const PreparedPage& page = r.page(p);
        EXPECT_EQ(textsOn(page, QStringLiteral("headCode")), QStringList{"商品代码"});
        EXPECT_EQ(textsOn(page, QStringLiteral("title")).size(), p == 0 ? 1 : 0);
        EXPECT_EQ(textsOn(page, QStringLiteral("pageNumber")),
                  QStringList{QStringLiteral("第 %1 页  共 %2 页").arg(p + 1).arg(pages)});
        EXPECT_EQ(textsOn(page, QStringLiteral("printDate")), QStringList{"打印日期：2024-02-03"});
        EXPECT_FALSE(textsOn(page, QStringLiteral("code")).isEmpty());
        double headerBottom = 0;
        double firstRowTop = 1e9;
        for (const PreparedItem& item : page.items) {
            EXPECT_LE(item.rect.bottom(), bottom + 1e-9) << item.object.toStdString();
            if (item.object == QLatin1String("headCode"))
                headerBottom = item.rect.bottom();
            if (item.object == QLatin1String("code"))
                firstRowTop = std::min(firstRowTop, item.rect.top());
        }
        EXPECT_LE(headerBottom, firstRowTop);
    }

    EXPECT_EQ(textsOf(r, QStringLiteral("totalAmount")), QStringList{kAmountTotal});
    EXPECT_EQ(textsOn(r.page(pages - 1), QStringLiteral("totalAmount")), QStringList{kAmountTotal});
    EXPECT_EQ(textsOf(r, QStringLiteral("totalTax")), QStringList{kTaxTotal});
    EXPECT_EQ(textsOf(r, QStringLiteral("totalQuantity")), QStringList{" 20100.00"});
    EXPECT_EQ(textsOn(r.page(0), QStringLiteral("company")), QStringList{"公司：" + kCompany});
    EXPECT_EQ(textsOn(r.page(0), QStringLiteral("period")), QStringList{"日期：2024-01-01  至  2024-01-31"});
}

TEST_F(SummaryReport, RowsShowTheGridsFormats)
{
    ASSERT_TRUE(report.prepare());
    const PreparedPage& page = report.prepared().page(0);
    QStringList firstRow;
    for (const char* object : {"code", "name", "price", "quantity", "amount", "net", "tax"})
        firstRow << textsOn(page, QString::fromLatin1(object)).value(0);
    EXPECT_EQ(firstRow, (QStringList{"00000001", "红塔山（软）", "￥12.500000", "1234.5", "￥15,431.25",
                                     "￥14,196.75", "-1,234.50"}));
    // The fonts of the model are the template's.
    for (const PreparedItem& item : page.items) {
        if (item.object == QLatin1String("title")) {
            EXPECT_EQ(report.prepared().styleOf(item).font, (FontSpec{QStringLiteral("宋体"), 16, true, false, false}));
        }
    }
}

TEST_F(SummaryReport, LeavesTheLinkOnItsLastRow)
{
    ASSERT_TRUE(report.prepare());
    EXPECT_TRUE(link->eof());
    EXPECT_EQ(link->currentRow(), 199);
    // A second preparation walks again from the first row.
    ASSERT_TRUE(report.prepare());
    EXPECT_EQ(textsOf(report.prepared(), QStringLiteral("code")).size(), 200);
    EXPECT_EQ(link->currentRow(), 199);
}

// Paper 100 mm high, margins 10: the body runs from 20 (under the 10 mm
// column header) to 80 (above the 10 mm footer), six 10 mm rows a page.
const char* kGridTemplate = R"(qelvan-report 1
report
  paper 100 100
  margins 10 10 10 10
band column-header
  height 10
text head
  rect 0 0 80 10
  content 表头
band data
  height 10
  link rows
text row
  rect 0 0 80 10
  content [rows.n] [@row]
band summary
  height 10
text total
  rect 0 0 80 10
  content 共 [@row] 行
band page-footer
  height 10
text footer
  rect 0 0 80 10
  content [@page]/[@pages]
)";

TEST(Layout, BandsBreakExactlyAtTheFooter)
{
    struct Case {
        int rows;
        int pages;
        int summaryPage;        // 1-based
        bool headOnSummaryPage;
    };
    const Case cases[] = {
        {0, 1, 1, true},      // no rows: header and summary still print
        {5, 1, 1, true},      // summary takes the sixth slot
        {6, 2, 2, false},     // page full: the summary moves on, without a column header
        {12, 3, 3, false},
        {13, 3, 3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        TableDataLink rows(QStringLiteral("rows"), {QStringLiteral("n")});
        for (int i = 0; i < c.rows; ++i)
            rows.addRow({i + 1});
        Report report;
        report.addDataLink(&rows);
        report.setLayout(parseTemplate(QString::fromUtf8(kGridTemplate)));
        ASSERT_TRUE(report.prepare());
        const PreparedReport& r = report.prepared();
        ASSERT_EQ(r.pageCount(), c.pages);
        EXPECT_EQ(textsOf(r, QStringLiteral("row")).size(), c.rows);
        if (c.rows > 0) {
            EXPECT_EQ(textsOf(r, QStringLiteral("row")).last(), QStringLiteral("%1 %1").arg(c.rows));
        }
        const PreparedPage& summaryPage = r.page(c.summaryPage - 1);
        EXPECT_EQ(textsOn(summaryPage, QStringLiteral("total")), QStringList{QStringLiteral("共 %1 行").arg(c.rows)});
        EXPECT_EQ(textsOn(summaryPage, QStringLiteral("head")).size(), c.headOnSummaryPage ? 1 : 0);
        EXPECT_EQ(textsOn(r.page(c.pages - 1), QStringLiteral("footer")),
                  QStringList{QStringLiteral("%1/%1").arg(c.pages)});
        for (const PreparedPage& page : r.pages())
            for (const PreparedItem& item : page.items)
                EXPECT_LE(item.rect.bottom(), 90.0 + 1e-9);
    }
}

TEST(Layout, BandTallerThanThePageIsPlacedOnce)
{
    TableDataLink rows(QStringLiteral("rows"), {QStringLiteral("n")});
    for (int i = 0; i < 3; ++i)
        rows.addRow({i});
    ReportTemplate t = parseTemplate(QString::fromUtf8(kGridTemplate));
    t.bands[1].height = 500;
    Report report;
    report.addDataLink(&rows);
    report.setLayout(std::move(t));
    ASSERT_TRUE(report.prepare());
    // One row a page, the summary on a page of its own.
    EXPECT_EQ(report.prepared().pageCount(), 4);
    EXPECT_EQ(textsOf(report.prepared(), QStringLiteral("row")).size(), 3);
}

} // namespace

#include "OutputFixture.h"

#include "report/PreviewWindow.h"

using namespace qelvan::test;
using qelvan::report::variable;

namespace {

const char reportTemplate[] = R"(qelvan-report 1
band title
  height 10
text company
  rect 0 0 90 5
  content [gsmc]
text period
  rect 90 0 90 5
  content [cxrq]
band data
  height 5
  link frDBDataSet1
text code
  rect 0 0 30 5
  content [frDBDataSet1."SPDM00"]
text quantity
  rect 30 0 30 5
  content [frDBDataSet1."SL0000"]
band summary
  height 5
text totals
  rect 0 0 180 5
  content [SLHJ]|[JEHJ]|[SEHJ]|[BHSJEHJ]
)";

class PrintTest : public OutputFixture {
protected:
    void SetUp() override
    {
        OutputFixture::SetUp();
        qelvan::report::setPreviewHook([this](qelvan::report::PreviewWindow& preview) {
            previews.push_back(preview.report());
            rowAtPreview = data->qry_xstgjfp1->recNo();
        });
    }
    void TearDown() override
    {
        qelvan::report::setPreviewHook({});
        OutputFixture::TearDown();
    }

    void templateIn(const QString& folder)
    {
        writeFile(QDir(folder).filePath(QStringLiteral("vuq_xstgjfp1.frf")), reportTemplate);
    }

    /// Texts the last preview shows for one template object, page by page.
    QStringList printed(const char* object) const
    {
        QStringList texts;
        for (const auto& page : previews.back().pages())
            for (const auto& item : page.items)
                if (item.object == QLatin1String(object))
                    texts << item.text;
        return texts;
    }

    QStringList variables() const
    {
        QStringList out;
        for (const QString& name : qelvan::report::variableNames())
            out << name + QLatin1Char('=') + variable(name).toString();
        return out;
    }

    std::vector<qelvan::report::PreparedReport> previews;
    int rowAtPreview = -2;
};

TEST_F(PrintTest, NothingToPrintBeforeAnyQueryEvenWithATemplate)
{
    templateIn(work.path());
    TFm_Main& w = open();
    w.SP_print->click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("无记录可供打印！"));
    EXPECT_EQ(boxes[0].icon, qelvan::app::MessageIcon::Information);
    EXPECT_TRUE(previews.empty());
    EXPECT_TRUE(qelvan::report::variableNames().isEmpty());
}

// The template is looked up in the current directory at every print, so
// moving away from the folder that holds it loses it.
TEST_F(PrintTest, MissingTemplateSaysSoAndLeavesTheVariables)
{
    const QString hostDir = work.filePath(QStringLiteral("host"));
    const QString elsewhere = work.filePath(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().mkpath(hostDir) && QDir().mkpath(elsewhere));
    templateIn(hostDir);

    TFm_Main& w = queried();
    const struct {
        const char* name;
        QString currentDir;
    } cases[] = {{"no template here", work.path()}, {"template left behind", elsewhere}};
    QDir::setCurrent(hostDir);
    w.SP_print->click();
    ASSERT_EQ(previews.size(), 1u);
    ASSERT_TRUE(boxes.empty());

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir::setCurrent(c.currentDir);
        qelvan::report::setVariable(QStringLiteral("gsmc"), QStringLiteral("前次"));
        boxes.clear();
        w.SP_print->click();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, QStringLiteral("没有调到报表文件(vuq_xstgjfp1.frf)！"));
        EXPECT_EQ(variable(QStringLiteral("gsmc")).toString(), QStringLiteral("前次"));
        EXPECT_EQ(previews.size(), 1u);
    }
}

// The company and dates are those of the rows printed, not of a selection
// changed since; the date range follows the locale's short date form.
TEST_F(PrintTest, VariablesDescribeTheQueryWhoseRowsArePrinted)
{
    settings.shortDateFormat = QStringLiteral("yyyy/M/d");
    templateIn(work.path());
    TFm_Main& w = queried();
    w.cob_gsmc->setCurrentIndex(1);
    w.dtp_qssj->setDate(QDate(2004, 4, 1));
    w.dtp_zzsj->setDate(QDate(2004, 4, 30));

    w.SP_print->click();
    EXPECT_TRUE(boxes.empty());
    const QStringList expected = {
        QStringLiteral("gsmc=甲"),        QStringLiteral("cxrq=2004/5/10  至  2004/5/12"),
        QStringLiteral("SLHJ= 12.50"),    QStringLiteral("JEHJ=1097.50"),
        QStringLiteral("SEHJ=-3.20"),     QStringLiteral("BHSJEHJ=1100.70"),
    };
    EXPECT_EQ(lines(variables()), lines(expected));
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(lines(printed("company")), "甲");
    EXPECT_EQ(lines(printed("period")), "2004/5/10  至  2004/5/12");
    EXPECT_EQ(lines(printed("totals")), " 12.50|1097.50|-3.20|1100.70");

    // A new query takes the new selection.
    w.SB_locate->click();
    w.SP_print->click();
    EXPECT_EQ(variable(QStringLiteral("gsmc")).toString(), QStringLiteral("乙"));
    EXPECT_EQ(variable(QStringLiteral("cxrq")).toString(), QStringLiteral("2004/4/1  至  2004/4/30"));
}

// Rows print as the grid shows them after header clicks; the walk leaves the
// query on the last row printed and the grid on that row.
TEST_F(PrintTest, ReportWalksTheRowsInTheGridsOrder)
{
    templateIn(work.path());
    TFm_Main& w = queried();
    const struct {
        const char* clicks;
        QStringList codes;
        int lastSourceRow;
    } cases[] = {
        {"", {"10000002", "10000001", "10000003"}, 2},
        {"SL0000", {"10000003", "10000002", "10000001"}, 1},
        {"SE0000 SE0000", {"10000002", "10000003", "10000001"}, 1},
        {"SPDM00", {"10000001", "10000002", "10000003"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clicks);
        for (const QString& field : QString::fromLatin1(c.clicks).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            clickHeader(field.toLatin1().constData());
        data->qry_xstgjfp1->moveTo(1);
        ASSERT_EQ(lines(gridCodes()), lines(c.codes));

        w.SP_print->click();
        ASSERT_TRUE(boxes.empty());
        EXPECT_EQ(lines(printed("code")), lines(c.codes));
        EXPECT_EQ(rowAtPreview, c.lastSourceRow);
        EXPECT_EQ(data->qry_xstgjfp1->recNo(), c.lastSourceRow);
        EXPECT_EQ(w.dbg_xstgjfp2->currentRow(), 2);
    }
}

} // namespace

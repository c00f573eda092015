#include "WindowFixture.h"

using namespace qelvan::test;

namespace {

class SummaryQueryTest : public WindowFixture {
protected:
    // One summary row through LNK1, so a later failure has something to keep or clear.
    void answerSummary(const char* link = "LNK1")
    {
        vuq->answer(std::string("@") + link, summaryRows({{"10000001", 2, 234, 34, 117.0, 200, "甲烟"}}));
    }
    void lookupAnswers(const std::vector<std::vector<qelvan::Cell>>& rows)
    {
        qelvan::ResultSet r = textRows({"GSDM00", "DBLINK"}, {});
        r.rows = rows;
        vuq->answer("SELECT GSDM00,DBLINK", r);
    }
    void listOf(std::vector<std::string> names)
    {
        vuq->answer("SELECT SJZBDM", textColumn("SJZBDM", {"Z1"}));
        vuq->answer("SELECT GSJC00", textColumn("GSJC00", names));
    }
};

TEST_F(SummaryQueryTest, EndBeforeStartIsCorrectedAndNothingRuns)
{
    companies();
    answerSummary();
    TFm_Main& w = open();
    w.dtp_qssj->setDate(QDate(2004, 5, 12));
    w.dtp_zzsj->setDate(QDate(2004, 5, 11));
    const size_t before = vuq->statements.size();

    w.SB_locate->click();
    EXPECT_EQ(w.dtp_zzsj->value(), QDateTime(QDate(2004, 5, 12), QTime(15, 48, 21, 152)));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("终止日期不能小于起始日期！"));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("系统提示"));
    EXPECT_EQ(boxes[0].icon, qelvan::app::MessageIcon::Information);
    EXPECT_EQ(vuq->statements.size(), before);

    w.SB_locate->click();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(statementsSince(before).size(), 2u);
}

TEST_F(SummaryQueryTest, NoCompanyAsksForOne)
{
    TFm_Main& w = open();   // an unknown code: one empty item
    ASSERT_EQ(w.cob_gsmc->currentText(), QString());
    const size_t before = vuq->statements.size();
    w.SB_locate->click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("请选择公司名称！"));
    EXPECT_EQ(vuq->statements.size(), before);
}

TEST_F(SummaryQueryTest, StatementForAStoredAmountCompanyIgnoresTheLocaleDateForm)
{
    settings.shortDateFormat = QStringLiteral("M/d/yy");
    companies("LNK1", "135021020000");
    TFm_Main& w = open();
    ASSERT_EQ(w.dtp_qssj->text(), QStringLiteral("5/12/04"));
    const size_t before = vuq->statements.size();
    w.SB_locate->click();

    const std::vector<std::string> expected = {
        "SELECT GSDM00,DBLINK FROM XTTGSSZ0 WHERE GSJC00='甲'",
        "SELECT A.SPDM00,SUM(SL0000) SL0000,SUM(JE0000) JE0000,SUM(SE0000) SE0000, "
        "SUM(JE0000)/NULLIF(SUM(SL0000),0) DJIA00,SUM(JE0000)-SUM(SE0000) BHSJE0,B.SPMC00 FROM  NEW.XSVXSFP0@LNK1"
        " A,GSTJYGL1 B WHERE A.SPDM00=B.SPDM00 AND A.GSDW00='135021020000' AND A.YWRY00='1000'"
        " AND TRUNC(A.YWRQ00)>=TO_DATE('2004-05-12','YYYY-MM-DD')"
        " AND TRUNC(A.YWRQ00)<=TO_DATE('2004-05-12','YYYY-MM-DD') GROUP BY A.SPDM00,B.SPMC00",
    };
    EXPECT_EQ(statementsSince(before), expected);
}

TEST_F(SummaryQueryTest, AnyOtherCodeReadsThePriceView)
{
    companies("LNK2", "135021000001");
    TFm_Main& w = open();
    w.SB_locate->click();
    const std::string& summary = vuq->statements.back();
    EXPECT_EQ(summary.rfind("SELECT A.SPDM00,SUM(SL0000) SL0000,SUM(SL0000*DJIA00*1.17) JE0000,", 0), 0u) << summary;
    EXPECT_NE(summary.find("FROM  NEW.XSVGJFP0@LNK2 A,GSTJYGL1 B"), std::string::npos) << summary;
    EXPECT_NE(summary.find("TRUNC(A.CKRQ00)>=TO_DATE('2004-05-12','YYYY-MM-DD')"), std::string::npos) << summary;
}

TEST_F(SummaryQueryTest, QuotesInNamesAndCodesAreDoubled)
{
    listOf({"王'记"});
    lookupAnswers({{std::string("13'5"), std::string("LNK1")}});
    TFm_Main& w = open();
    const size_t before = vuq->statements.size();
    w.SB_locate->click();

    const auto sent = statementsSince(before);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], "SELECT GSDM00,DBLINK FROM XTTGSSZ0 WHERE GSJC00='王''记'");
    EXPECT_NE(sent[1].find("A.GSDW00='13''5' AND"), std::string::npos) << sent[1];
}

TEST_F(SummaryQueryTest, LinkProblemsStopBeforeTheSummary)
{
    struct Case {
        const char* name;
        qelvan::Cell link;
        bool errorBox;
    };
    const Case cases[] = {
        {"NULL link", qelvan::Cell(), false},
        {"empty link", qelvan::Cell(std::string()), false},
        {"not an identifier", qelvan::Cell(std::string("LNK1 A,XTTGSSZ0 --")), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        vuq->clearRules();
        boxes.clear();
        listOf({"甲", "乙"});
        vuq->answer("GSJC00='甲'", textRows({"GSDM00", "DBLINK"}, {{std::string("135021020000"), std::string("LNK1")}}));
        vuq->answer("GSJC00='乙'", textRows({"GSDM00", "DBLINK"}, {{std::string("135021040000"), c.link}}));
        answerSummary();
        TFm_Main& w = open();
        w.SB_locate->click();
        ASSERT_EQ(gridRows(), 1);

        w.cob_gsmc->setCurrentIndex(1);
        const size_t before = vuq->statements.size();
        w.SB_locate->click();
        EXPECT_EQ(statementsSince(before), std::vector<std::string>{"SELECT GSDM00,DBLINK FROM XTTGSSZ0 WHERE GSJC00='乙'"});
        EXPECT_EQ(gridRows(), 1);
        EXPECT_EQ(boxes.size(), c.errorBox ? 1u : 0u);
        if (c.errorBox) {
            EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("LNK1 A,XTTGSSZ0 --"))) << boxes[0].text.toStdString();
            EXPECT_EQ(boxes[0].icon, qelvan::app::MessageIcon::Error);
        }
        window.reset();
    }
}

TEST_F(SummaryQueryTest, FailuresClearTheGridOnlyWhenTheSummaryFails)
{
    companies();
    answerSummary();
    TFm_Main& w = open();
    w.SB_locate->click();
    ASSERT_EQ(gridRows(), 1);

    vuq->clearRules();
    vuq->fail("SELECT GSDM00,DBLINK", "ORA-03113: end-of-file on communication channel");
    companies();
    w.SB_locate->click();
    EXPECT_EQ(gridRows(), 1);   // lookup failed: the grid keeps its rows

    vuq->clearRules();
    vuq->fail("@LNK1", "ORA-02019: connection description for remote database not found");
    companies();
    w.SB_locate->click();
    EXPECT_EQ(gridRows(), 0);
    EXPECT_EQ(footers(), QStringLiteral("|||"));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, QStringLiteral("ORA-02019: connection description for remote database not found."));
    EXPECT_TRUE(w.isVisible());
}

TEST_F(SummaryQueryTest, ChangingTheSelectionWithoutQueryingKeepsTheGrid)
{
    companies();
    answerSummary();
    TFm_Main& w = open();
    w.SB_locate->click();
    const QString row = gridRow(0);
    const QString sums = footers();
    const size_t before = vuq->statements.size();

    w.dtp_qssj->setDate(QDate(2003, 1, 1));
    w.dtp_zzsj->setDate(QDate(2003, 12, 31));
    w.cob_gsmc->setCurrentIndex(1);
    QApplication::processEvents();

    EXPECT_EQ(vuq->statements.size(), before);
    EXPECT_EQ(gridRows(), 1);
    EXPECT_EQ(gridRow(0), row);
    EXPECT_EQ(footers(), sums);
}

} // namespace

#include "WindowFixture.h"

#include "SalesStatements.h"

using namespace qelvan::test;

namespace {

class CompanyListTest : public WindowFixture {
protected:
    QStringList items() const
    {
        QStringList names;
        for (int i = 0; i < window->cob_gsmc->count(); ++i)
            names << window->cob_gsmc->itemText(i);
        return names;
    }
};

TEST_F(CompanyListTest, ListFollowsTheHeadOffice)
{
    const std::string probe =
        "SELECT SJZBDM FROM XTTGSSZ0 WHERE SJZBDM IN (SELECT ZBDM00 FROM XTTGSSZ0 WHERE GSDM00='A1')";
    const std::string attached =
        "SELECT GSJC00 FROM XTTGSSZ0 WHERE SJZBDM IN (SELECT ZBDM00 FROM XTTGSSZ0 WHERE GSDM00='A1')";
    const std::string own = "SELECT GSJC00 FROM XTTGSSZ0 WHERE GSDM00='A1'";
    const auto names = [](std::vector<std::string> values) { return textColumn("GSJC00", values); };

    struct Case {
        const char* name;
        qelvan::ResultSet probeRows;
        qelvan::ResultSet listRows;
        std::vector<std::string> statements;
        QStringList items;
    };
    const Case cases[] = {
        {"head office with three attached", names({"Z9", "Z9", "Z9"}), names({"甲", "乙", "丙"}), {probe, attached},
         {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}},
        {"head office with the same name twice", names({"Z9", "Z9"}), names({"甲", "甲"}), {probe, attached},
         {QStringLiteral("甲"), QStringLiteral("甲")}},
        {"lone company", names({}), names({"松岭"}), {probe, own}, {QStringLiteral("松岭")}},
        {"unknown code", names({}), names({}), {probe, own}, {QString()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        vuq->clearRules();
        vuq->statements.clear();
        vuq->answer("SELECT SJZBDM", c.probeRows);
        vuq->answer("SELECT GSJC00", c.listRows);
        dll_params[0] = QStringLiteral("A1");
        open();
        EXPECT_EQ(vuq->statements, c.statements);
        EXPECT_EQ(items(), c.items);
        EXPECT_EQ(window->cob_gsmc->currentIndex(), 0);
        EXPECT_EQ(window->cob_gsmc->currentText(), c.items.value(0));
        EXPECT_TRUE(boxes.empty());
        window.reset();
    }
}

TEST_F(CompanyListTest, UnreachableCompanyTableStillOpensTheWindow)
{
    vuq->fail("XTTGSSZ0", "ORA-12541: TNS:no listener");
    TFm_Main& w = open();

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("ORA-12541: TNS:no listener."));
    EXPECT_EQ(boxes[0].icon, qelvan::app::MessageIcon::Error);
    EXPECT_FALSE(windowVisibleAtBox[0]);   // the box comes first
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.cob_gsmc->count(), 0);
    EXPECT_EQ(w.dtp_qssj->date(), today);

    const size_t before = vuq->statements.size();
    w.SB_locate->click();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, QStringLiteral("请选择公司名称！"));
    EXPECT_EQ(boxes[1].caption, QStringLiteral("系统提示"));
    EXPECT_EQ(vuq->statements.size(), before);
}

TEST_F(CompanyListTest, PickersStartAtTodayOnEveryShow)
{
    TFm_Main& w = open();
    EXPECT_EQ(w.dtp_qssj->date(), QDate(2004, 5, 12));
    EXPECT_EQ(w.dtp_zzsj->date(), QDate(2004, 5, 12));
    w.dtp_qssj->setDate(QDate(2004, 1, 1));
    w.dtp_zzsj->setDate(QDate(2004, 2, 1));
    w.hide();

    today = QDate(2004, 6, 1);
    w.show();
    EXPECT_EQ(w.dtp_qssj->value(), QDateTime(QDate(2004, 6, 1), QTime(15, 48, 21, 152)));
    EXPECT_EQ(w.dtp_zzsj->value(), QDateTime(QDate(2004, 6, 1), QTime(15, 48, 21, 152)));
}

} // namespace

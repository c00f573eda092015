#include "WindowFixture.h"

#include <QCursor>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

using namespace qelvan::test;

namespace {

class WindowTest : public WindowFixture {};

TEST_F(WindowTest, DeclaredComponentsCarryTheirNamesAndCaptions)
{
    TFm_Main& w = open();
    struct Component {
        const char* name;
        const char* className;
        const char* caption;
    };
    const Component tree[] = {
        {"Panel2", "QFrame", nullptr},          {"SB_locate", "QToolButton", "查询"},
        {"SP_print", "QToolButton", "打印"},    {"Sb_Exit", "QToolButton", "退出"},
        {"StatusBar1", "QStatusBar", nullptr},  {"Panel4", "QFrame", nullptr},
        {"Label1", "QLabel", "起始时间"},       {"Label2", "QLabel", "终止时间"},
        {"Label3", "QLabel", "公司名称"},       {"dtp_qssj", "QDateEdit", nullptr},
        {"dtp_zzsj", "QDateEdit", nullptr},     {"cob_gsmc", "QComboBox", nullptr},
        {"gjpanel", "QFrame", nullptr},         {"dbg_xstgjfp2", "qelvan::grid::DataGrid", nullptr},
    };
    EXPECT_EQ(w.objectName(), QLatin1String("Fm_Main"));
    for (const Component& c : tree) {
        SCOPED_TRACE(c.name);
        QWidget* widget = w.findChild<QWidget*>(QLatin1String(c.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(widget->inherits(c.className));
        if (auto* button = qobject_cast<QToolButton*>(widget)) {
            EXPECT_EQ(button->text(), QString::fromUtf8(c.caption));
        }
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->text(), QString::fromUtf8(c.caption));
        }
    }
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(w.font().pixelSize(), 12);
    // The panels are painted in their colour (right of the buttons, below the pickers).
    EXPECT_EQ(w.Panel2->grab().toImage().pixelColor(w.Panel2->width() - 2, 15), QColor(98, 151, 168));
    EXPECT_EQ(w.Panel4->grab().toImage().pixelColor(w.Panel4->width() - 2, 32), QColor(98, 151, 168));
    // ...without palettes of their own, so each new window shares the style's cache.
    EXPECT_FALSE(w.testAttribute(Qt::WA_SetPalette));
    EXPECT_FALSE(w.Panel2->testAttribute(Qt::WA_SetPalette));
    EXPECT_TRUE(w.SB_locate->icon().isNull());
    EXPECT_FALSE(w.SP_print->icon().isNull());
    EXPECT_FALSE(w.Sb_Exit->icon().isNull());
    // ...and with the same button pictures, for the same reason.
    TFm_Main next(*data);
    EXPECT_EQ(next.SP_print->icon().cacheKey(), w.SP_print->icon().cacheKey());
    EXPECT_EQ(next.Sb_Exit->icon().cacheKey(), w.Sb_Exit->icon().cacheKey());
    next.cob_gsmc->ensurePolished();
    w.cob_gsmc->ensurePolished();
    EXPECT_EQ(next.cob_gsmc->palette().cacheKey(), w.cob_gsmc->palette().cacheKey());
    EXPECT_FALSE(w.cob_gsmc->isEditable());
}

TEST_F(WindowTest, SmallClientAreaKeepsBarHeightsAndGivesTheRestToTheGrid)
{
    TFm_Main& w = open(QSize(300, 200));
    QApplication::processEvents();
    EXPECT_EQ(w.Panel2->geometry(), QRect(0, 0, 300, 30));
    EXPECT_EQ(w.Panel4->geometry(), QRect(0, 30, 300, 35));
    EXPECT_EQ(w.gjpanel->geometry(), QRect(0, 65, 300, 116));
    EXPECT_EQ(w.StatusBar1->geometry(), QRect(0, 181, 300, 19));
    EXPECT_EQ(w.dbg_xstgjfp2->geometry(), QRect(0, 0, 300, 116));
}

TEST_F(WindowTest, GridShowsNoRowsBeforeAnyQuery)
{
    open();
    EXPECT_EQ(gridRows(), 0);
    EXPECT_EQ(footers(), QStringLiteral("|||"));
}

TEST_F(WindowTest, CellsAndFootersUseTheDeclaredFormats)
{
    companies();
    vuq->answer("NEW.XSVXSFP0@LNK1", summaryRows({
                                         {"10000001", 10, 1234.5, -1234.5, 12.5, 2469, "甲烟"},
                                         {"10000002", 2.5, -0.25, 1231.3, -3.25, -1231.3, "乙烟"},
                                     }));
    TFm_Main& w = open();
    w.SB_locate->click();

    ASSERT_EQ(gridRows(), 2);
    EXPECT_EQ(gridRow(0), QStringLiteral("10000001|甲烟|￥12.500000|10|￥1,234.50|￥2,469.00|-1,234.50"));
    EXPECT_EQ(gridRow(1), QStringLiteral("10000002|乙烟|-￥3.250000|2.5|-￥0.25|-￥1,231.30|1,231.30"));
    // Quantity 12.5 and tax -3.2 over all rows; no grouping in footers.
    EXPECT_EQ(footers(), QStringLiteral(" 12.50|1234.25|1237.70|-3.20"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(WindowTest, SummaryWithoutNetAmountShowsTheErrorAndNoRows)
{
    companies();
    vuq->answer("NEW.XSVXSFP0@LNK1", summaryRows({{"10000001", 2, 234, 34, 117.0, 200, "甲烟"}}, false));
    TFm_Main& w = open();
    w.SB_locate->click();

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Field 'BHSJE0' not found."));
    EXPECT_EQ(boxes[0].icon, qelvan::app::MessageIcon::Error);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("ui_test"));
    EXPECT_EQ(gridRows(), 0);
    EXPECT_TRUE(w.isVisible());
}

TEST_F(WindowTest, PickersChangeOnlyTheirDateAndShowTheShortDateFormat)
{
    settings.shortDateFormat = QStringLiteral("d.M.yy");
    TFm_Main& w = open();
    const QTime declared(15, 48, 21, 152);
    EXPECT_EQ(w.dtp_qssj->value(), QDateTime(QDate(2004, 5, 12), declared));
    w.dtp_zzsj->setDate(QDate(2004, 7, 1));
    EXPECT_EQ(w.dtp_zzsj->value(), QDateTime(QDate(2004, 7, 1), declared));
    w.dtp_zzsj->setValue(QDateTime(QDate(2004, 8, 2), QTime(1, 2, 3)));
    EXPECT_EQ(w.dtp_zzsj->value(), QDateTime(QDate(2004, 8, 2), declared));
    EXPECT_EQ(w.dtp_qssj->text(), QStringLiteral("12.5.04"));
}

TEST_F(WindowTest, EnterAndF5RunTheQueryUnderTheBusyCursor)
{
    companies();
    vuq->answer("@LNK1", summaryRows({{"10000001", 2, 234, 34, 117.0, 200, "甲烟"}}));
    std::vector<bool> busy;
    vuq->onExecute = [&] {
        busy.push_back(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor);
    };
    TFm_Main& w = open();
    struct Case {
        QWidget* target;
        int key;
    };
    const Case cases[] = {
        {&w, Qt::Key_Return},      {&w, Qt::Key_F5},          {w.dtp_qssj, Qt::Key_Enter},
        {w.dtp_zzsj, Qt::Key_F5}, {w.cob_gsmc, Qt::Key_Return}, {w.cob_gsmc, Qt::Key_F5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target->objectName().toStdString() + " key " + std::to_string(c.key));
        const size_t before = vuq->statements.size();
        busy.clear();
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
        QApplication::sendEvent(c.target, &press);
        EXPECT_EQ(statementsSince(before).size(), 2u);   // company lookup, then the summary
        EXPECT_EQ(busy, (std::vector<bool>{true, true}));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_TRUE(boxes.empty());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&w, &escape);
    EXPECT_TRUE(w.isVisible());
}

TEST_F(WindowTest, ExitEndsTheModalRun)
{
    TFm_Main& w = open();
    w.hide();
    QTimer::singleShot(0, &w, [&] { w.Sb_Exit->click(); });
    EXPECT_EQ(w.exec(), int(QDialog::Rejected));
    EXPECT_FALSE(w.isVisible());
}

} // namespace

#include "OutputFixture.h"

#include "SaveFileDialog.h"
#include "SummarySnapshot.h"

#include "export/TableExport.h"
#include "grid/DataGrid.h"

#include <QAction>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QProcess>
#include <QStandardPaths>

#include <functional>

using namespace qelvan::test;
using qelvan::ui::SaveFileRequest;

namespace {

const QString captions = QStringLiteral("商品代码,商品名称,单价,数量（条）,金额(含税),金额(不含税),税额");

class ExportTest : public OutputFixture {
protected:
    void SetUp() override
    {
        OutputFixture::SetUp();
        qelvan::ui::setSaveFileHook([this](const SaveFileRequest& r) {
            requests.push_back(r);
            return answer;
        });
    }
    void TearDown() override
    {
        qelvan::ui::setSaveFileHook({});
        OutputFixture::TearDown();
    }

    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString answer;
    std::vector<SaveFileRequest> requests;
};

// The file holds the rows as the grid shows them, and its name and title
// name the query they came from, not a selection changed since.
TEST_F(ExportTest, ExportsTheShownRowsInTheGridsOrder)
{
    TFm_Main& w = queried();
    clickHeader("SL0000");
    w.cob_gsmc->setCurrentIndex(1);
    w.dtp_qssj->setDate(QDate(2004, 4, 1));

    answer = work.filePath(QStringLiteral("汇总"));   // no extension: the format's is added
    w.exportCsvAction->trigger();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].proposedName, QStringLiteral("甲_2004-05-10_2004-05-12.csv"));
    EXPECT_EQ(requests[0].owner, &w);
    const QByteArray csv = readAll(answer + QStringLiteral(".csv"));
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(csv.mid(3).toStdString(), (captions + QStringLiteral("\r\n"
                                                                   "10000003,丙烟,11.428571,-1.75,-20,-22,2\r\n"
                                                                   "10000002,乙烟,29.25,4,117,100,17\r\n"
                                                                   "10000001,甲烟,97.6097,10.25,1000.5,1022.7,-22.2\r\n"))
                                            .toStdString());

    answer = work.filePath(QStringLiteral("汇总.xlsx"));
    w.exportExcelAction->trigger();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].proposedName, QStringLiteral("甲_2004-05-10_2004-05-12.xlsx"));
    EXPECT_TRUE(boxes.empty());
    ASSERT_TRUE(QFileInfo(answer).isFile());

    const QString xlsx2csv = QStandardPaths::findExecutable(QStringLiteral("xlsx2csv"));
    if (xlsx2csv.isEmpty())
        GTEST_SKIP() << "xlsx2csv is not installed to read the workbook back";
    QProcess reader;
    // The format list takes every word after it, so the file goes first.
    reader.start(xlsx2csv, {answer, QStringLiteral("--ignore-formats"), QStringLiteral("float")});
    ASSERT_TRUE(reader.waitForFinished(60000));
    QStringList sheet = QString::fromUtf8(reader.readAllStandardOutput()).trimmed().remove(QLatin1Char('\r')).split(
        QLatin1Char('\n'));
    ASSERT_EQ(sheet.size(), 6);
    // The totals are the SUM formulas' stored results: the exact sums, which
    // the footer shows rounded.
    const QStringList totals = sheet.takeLast().split(QLatin1Char(','));
    EXPECT_EQ(lines(sheet), lines({
                                QStringLiteral("商品销售汇总表  甲  2004-05-10  至  2004-05-12,,,,,,"),
                                captions,
                                QStringLiteral("10000003,丙烟,11.428571,-1.75,-20,-22,2"),
                                QStringLiteral("10000002,乙烟,29.25,4,117,100,17"),
                                QStringLiteral("10000001,甲烟,97.6097,10.25,1000.5,1022.7,-22.2"),
                            }));
    ASSERT_EQ(totals.size(), 7);
    EXPECT_EQ(lines(totals.mid(0, 3)), lines({QStringLiteral("合计"), QString(), QString()}));
    const double sums[] = {12.5, 1097.5, 1100.7, -3.2};
    for (int c = 0; c < 4; ++c)
        EXPECT_NEAR(totals[3 + c].toDouble(), sums[c], 1e-9) << totals[3 + c].toStdString();
}

// Each column carries the pattern it is shown in: the net amount's locale
// default resolved, so an unusual currency setting reaches the workbook.
TEST_F(ExportTest, SnapshotCarriesTheGridsColumns)
{
    settings.currencyString = QStringLiteral("EUR");
    settings.currencyFormat = 3;
    settings.currencyDecimals = 3;
    TFm_Main& w = queried();
    const auto snapshot = qelvan::ui::summarySnapshot(*w.dbg_xstgjfp2, {QStringLiteral("甲"), QDate(2004, 5, 10),
                                                                        QDate(2004, 5, 12)});
    QStringList columns;
    for (const auto& c : snapshot.columns)
        columns << QStringLiteral("%1|%2|%3|%4|%5|%6")
                       .arg(c.caption)
                       .arg(c.kind == qelvan::exporting::ColumnKind::Number ? "number" : "text")
                       .arg(c.displayPattern)
                       .arg(c.footer == qelvan::exporting::FooterKind::Sum ? "sum" : "none")
                       .arg(c.footer == qelvan::exporting::FooterKind::Sum ? c.footerPattern : c.footerText)
                       .arg(c.width);
    EXPECT_EQ(lines(columns), lines({
                           QStringLiteral("商品代码|text||none|合计|91"),
                           QStringLiteral("商品名称|text||none||112"),
                           QStringLiteral("单价|number|￥,0.000000;-￥,0.000000|none||126"),
                           QStringLiteral("数量（条）|number||sum| 0.00|101"),
                           QStringLiteral("金额(含税)|number|￥,0.00;-￥,0.00|sum|0.00;-0.00|125"),
                           QStringLiteral("金额(不含税)|number|,0.000 EUR;-,0.000 EUR|sum|0.00;-0.00|112"),
                           QStringLiteral("税额|number|,0.00;-,0.00|sum|0.00;-0.00|111"),
                       }));
    EXPECT_EQ(snapshot.dateRange, QStringLiteral("2004-05-10  至  2004-05-12"));
    ASSERT_EQ(snapshot.rows.size(), 3u);
    EXPECT_EQ(snapshot.rows[1][0], qelvan::exporting::CellValue(QStringLiteral("10000001")));
    EXPECT_EQ(snapshot.rows[1][3], qelvan::exporting::CellValue(10.25));
}

// Without rows, every export and copy command says so and asks for no file.
TEST_F(ExportTest, NothingToExportOrCopyWithoutRows)
{
    companies();
    vuq->answer("@LNK1", summaryRows({}));
    TFm_Main& w = open();
    const QList<QAction*> menu = w.dbg_xstgjfp2->contextActions();
    ASSERT_EQ(menu.size(), 4);
    const struct {
        const char* name;
        std::function<void()> run;
    } commands[] = {
        {"Excel", [&] { w.exportExcelAction->trigger(); }},
        {"CSV", [&] { w.exportCsvAction->trigger(); }},
        {"copy selected", [&] { w.copySelectedAction->trigger(); }},
        {"copy all", [&] { w.copyAllAction->trigger(); }},
        {"menu: copy selected", [&] { menu[0]->trigger(); }},
        {"menu: copy all", [&] { menu[1]->trigger(); }},
        {"Ctrl+C in the rows",
         [&] {
             QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
             QApplication::sendEvent(w.dbg_xstgjfp2->view(), &copy);
         }},
    };
    QApplication::clipboard()->setText(QStringLiteral("before"));
    for (const char* state : {"before any query", "a query without rows"}) {
        if (QLatin1String(state) != QLatin1String("before any query"))
            w.SB_locate->click();
        for (const auto& c : commands) {
            SCOPED_TRACE(testing::Message() << state << ", " << c.name);
            boxes.clear();
            c.run();
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, QStringLiteral("无记录可供导出！"));
            EXPECT_EQ(boxes[0].icon, qelvan::app::MessageIcon::Information);
        }
    }
    EXPECT_TRUE(data->qry_xstgjfp1->active());
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
}

// A file that cannot be written gets the error box naming it, and nothing
// is left under the name or beside it.
TEST_F(ExportTest, UnwritablePathShowsTheReasonAndLeavesNoFile)
{
    writeFile(work.filePath(QStringLiteral("blocker")), "not a folder");
    ASSERT_TRUE(QDir(work.path()).mkdir(QStringLiteral("taken.xlsx")));
    TFm_Main& w = queried();
    const QStringList before = QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    const struct {
        const char* name;
        QString path;
        QAction* action;
    } cases[] = {
        {"folder is a file", work.filePath(QStringLiteral("blocker/汇总.xlsx")), w.exportExcelAction},
        {"folder is a file, CSV", work.filePath(QStringLiteral("blocker/汇总.csv")), w.exportCsvAction},
        {"name is a folder", work.filePath(QStringLiteral("taken.xlsx")), w.exportExcelAction},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        answer = c.path;
        c.action->trigger();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].icon, qelvan::app::MessageIcon::Error);
        EXPECT_TRUE(boxes[0].text.contains(c.path)) << boxes[0].text.toStdString();
        EXPECT_EQ(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    }
    EXPECT_TRUE(QFileInfo(work.filePath(QStringLiteral("taken.xlsx"))).isDir());
    EXPECT_EQ(readAll(work.filePath(QStringLiteral("blocker"))), QByteArray("not a folder"));
}

TEST_F(ExportTest, CopyTakesTheRowsWithTheHeaderInTheGridsOrder)
{
    TFm_Main& w = queried();
    clickHeader("SL0000");
    QItemSelectionModel* selection = w.dbg_xstgjfp2->view()->selectionModel();
    selection->clearSelection();
    for (int row : {2, 0})
        selection->select(w.dbg_xstgjfp2->model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);

    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(w.dbg_xstgjfp2->view(), &copy);
    const QString header = QString(captions).replace(QLatin1Char(','), QLatin1Char('\t')) + QLatin1Char('\n');
    const QString first = QStringLiteral("10000003\t丙烟\t￥11.428571\t-1.75\t-￥20.00\t-￥22.00\t2.00\n");
    const QString second = QStringLiteral("10000002\t乙烟\t￥29.250000\t4\t￥117.00\t￥100.00\t17.00\n");
    const QString third = QStringLiteral("10000001\t甲烟\t￥97.609700\t10.25\t￥1,000.50\t￥1,022.70\t-22.20\n");
    EXPECT_EQ(QApplication::clipboard()->text(), header + first + third);

    w.dbg_xstgjfp2->contextActions()[1]->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), header + first + second + third);
    EXPECT_TRUE(boxes.empty());

    EXPECT_EQ(w.exportExcelAction->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    EXPECT_EQ(w.copySelectedAction->shortcut(), QKeySequence(QKeySequence::Copy));
    EXPECT_TRUE(w.actions().contains(w.exportCsvAction));
}

} // namespace

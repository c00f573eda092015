#include "ReportFixture.h"

#include "report/PreviewWindow.h"
#include "report/Report.h"
#include "report/ReportHooks.h"
#include "report/Variables.h"

#include <QAction>
#include <QComboBox>
#include <QFile>

#include <gtest/gtest.h>

using namespace qelvan;
using namespace qelvan::report;
using namespace qelvan::report::test;

namespace {

class Preview : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetPreviewZoom();
        clearVariables();
        setSummaryVariables();
        report.addDataLink(link.get());
        ASSERT_TRUE(report.loadFromFile(defaultTemplatePath()));
    }
    void TearDown() override { setFileDialogHook({}); }

    // Shows the report once, handing the open preview to `drive`.
    void preview(const std::function<void(PreviewWindow&)>& drive)
    {
        PreviewLog log(drive);
        ASSERT_TRUE(report.showReport());
        ASSERT_EQ(log.shown(), 1);
    }

    std::unique_ptr<TableDataLink> link = summaryLink(200);
    Report report;
};

TEST_F(Preview, OpensAtTheZoomLastChosenInThisProcess)
{
    preview([](PreviewWindow& w) {
        EXPECT_EQ(w.zoom(), (PreviewZoom{PreviewZoom::Mode::Percent, 100}));
        EXPECT_EQ(w.currentPage(), 0);
        w.zoomIn();
        w.zoomIn();
        EXPECT_EQ(w.effectivePercent(), 150);
    });
    preview([](PreviewWindow& w) {
        EXPECT_EQ(w.zoom(), (PreviewZoom{PreviewZoom::Mode::Percent, 150}));
        EXPECT_EQ(w.findChild<QComboBox*>(QStringLiteral("zoomBox"))->currentText(), QStringLiteral("150%"));
        w.findChild<QAction*>(QStringLiteral("zoomWholePage"))->trigger();
    });
    preview([](PreviewWindow& w) {
        EXPECT_EQ(w.zoom().mode, PreviewZoom::Mode::WholePage);
        EXPECT_EQ(w.findChild<QComboBox*>(QStringLiteral("zoomBox"))->currentText(), QStringLiteral("整页"));
    });
}

TEST_F(Preview, NavigatesPages)
{
    preview([](PreviewWindow& w) {
        ASSERT_GE(w.pageCount(), 3);
        w.findChild<QAction*>(QStringLiteral("lastPage"))->trigger();
        EXPECT_EQ(w.currentPage(), w.pageCount() - 1);
        w.findChild<QAction*>(QStringLiteral("nextPage"))->trigger();
        EXPECT_EQ(w.currentPage(), w.pageCount() - 1);
        w.findChild<QAction*>(QStringLiteral("previousPage"))->trigger();
        EXPECT_EQ(w.currentPage(), w.pageCount() - 2);
        w.goToPage(-5);
        EXPECT_EQ(w.currentPage(), 0);
    });
}

TEST_F(Preview, FindMovesBetweenMatchesAcrossPages)
{
    preview([](PreviewWindow& w) {
        // Codes 00000015 and 00000150 .. 00000159, on different pages.
        EXPECT_EQ(w.find(QStringLiteral("0000015")), 11);
        const auto first = w.currentMatch();
        ASSERT_TRUE(first);
        EXPECT_EQ(w.report().page(first->page).items[first->item].text, QStringLiteral("00000015"));
        EXPECT_EQ(w.currentPage(), first->page);
        for (int i = 1; i < 11; ++i)
            w.findNext();
        const auto last = w.currentMatch();
        ASSERT_TRUE(last);
        EXPECT_NE(last->page, first->page);
        EXPECT_EQ(w.report().page(last->page).items[last->item].text, QStringLiteral("00000159"));
        EXPECT_EQ(w.currentPage(), last->page);
        w.findNext();   // wraps
        EXPECT_EQ(w.currentMatch(), first);
        w.findPrevious();
        EXPECT_EQ(w.currentMatch(), last);

        // From the last page the total is found there; an absent text finds nothing.
        w.goToPage(w.pageCount() - 1);
        EXPECT_EQ(w.find(QStringLiteral("合计")), 1);
        EXPECT_EQ(w.currentPage(), w.pageCount() - 1);
        EXPECT_EQ(w.find(QStringLiteral("没有这个")), 0);
        EXPECT_FALSE(w.currentMatch());
    });
}

TEST_F(Preview, SavedReportLoadsBackWithTheSamePages)
{
    TempDir dir;
    const QString saved = dir.file(QStringLiteral("summary.qrp"));
    MessageLog messages;
    preview([&](PreviewWindow& w) {
        setFileDialogHook([&](const FileDialogRequest& r) {
            EXPECT_EQ(r.mode, FileDialogMode::Save);
            return saved;
        });
        ASSERT_TRUE(w.saveFile());
    });

    // Another preview, over a different report, opens the saved one.
    auto other = summaryLink(2);
    report.addDataLink(other.get());
    preview([&](PreviewWindow& w) {
        ASSERT_EQ(w.pageCount(), 1);
        setFileDialogHook([&](const FileDialogRequest& r) {
            EXPECT_EQ(r.mode, FileDialogMode::Open);
            return saved;
        });
        w.goToPage(0);
        ASSERT_TRUE(w.openFile());
        EXPECT_EQ(w.currentPage(), 0);
    });
    report.addDataLink(link.get());
    ASSERT_TRUE(report.prepare());

    // Opening it again, compare with a fresh preparation of the same rows.
    preview([&](PreviewWindow& w) {
        setFileDialogHook([&](const FileDialogRequest&) { return saved; });
        const PreparedReport fresh = w.report();
        ASSERT_TRUE(w.openFile());
        EXPECT_TRUE(samePages(w.report(), fresh));
    });
    EXPECT_TRUE(messages.boxes().empty());
}

TEST_F(Preview, OpeningAForeignOrDamagedFileKeepsThePagesAndSaysWhy)
{
    TempDir dir;
    const QString good = dir.file(QStringLiteral("good.qrp"));
    const QString bad = dir.file(QStringLiteral("bad.qrp"));
    MessageLog messages;
    preview([&](PreviewWindow& w) {
        setFileDialogHook([&](const FileDialogRequest&) { return good; });
        ASSERT_TRUE(w.saveFile());
    });
    QFile goodFile(good);
    ASSERT_TRUE(goodFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = goodFile.readAll();

    struct Case {
        const char* name;
        QByteArray content;
    };
    QByteArray hugeCount = bytes.left(6);   // magic and version, then a style count near the limit
    hugeCount.append("\x02\xfa\xf0\x80", 4);
    const Case cases[] = {
        {"another kind of file", "QRP1 but not really a prepared report"},
        {"empty", QByteArray()},
        {"cut short", bytes.left(bytes.size() / 2)},
        {"one byte more", bytes + 'x'},
        {"huge style count", hugeCount},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.content);
        f.close();
        const size_t before = messages.boxes().size();
        preview([&](PreviewWindow& w) {
            const int pages = w.pageCount();
            setFileDialogHook([&](const FileDialogRequest&) { return bad; });
            EXPECT_FALSE(w.openFile());
            EXPECT_EQ(w.pageCount(), pages);
        });
        ASSERT_EQ(messages.boxes().size(), before + 1);
        EXPECT_EQ(messages.boxes().back().text, QStringLiteral("文件 bad.qrp 不是可以打开的报表"));
    }

    // A cancelled dialog says nothing.
    const size_t before = messages.boxes().size();
    preview([&](PreviewWindow& w) {
        setFileDialogHook([&](const FileDialogRequest&) { return QString(); });
        EXPECT_FALSE(w.openFile());
    });
    EXPECT_EQ(messages.boxes().size(), before);
}

TEST_F(Preview, HelpListsKeysAndButtons)
{
    MessageLog messages;
    preview([](PreviewWindow& w) { w.findChild<QAction*>(QStringLiteral("help"))->trigger(); });
    ASSERT_EQ(messages.boxes().size(), 1u);
    const QString text = messages.boxes()[0].text;
    for (const char* word : {"PageDown", "整页", "页宽", "打开", "保存", "打印", "查找", "F3", "关闭"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word;
}

} // namespace

#include "app/Application.h"
#include "app/ErrorBox.h"
#include "app/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace qelvan::app;

namespace {

struct CapturedBoxes {
    CapturedBoxes()
    {
        setMessageHook([this](const MessageRequest& r) { shown.push_back(r); });
    }
    ~CapturedBoxes() { setMessageHook({}); }
    std::vector<MessageRequest> shown;
};

TEST(ErrorBox, FullStopFollowsTheLastCharacter)
{
    struct Case {
        const char* message;
        const char* shown;
    };
    const Case cases[] = {
        {"", ""},
        {"Table not found", "Table not found."},
        {"Done.", "Done."},
        {"Stop!", "Stop!"},               // '!' sorts before '.'
        {"(LNK1)", "(LNK1)"},
        {"a-", "a-"},
        {"path/", "path/."},              // '/' sorts after '.'
        {"Value 12", "Value 12."},
        {"表或视图不存在", "表或视图不存在."},
        {"请选择公司名称！", "请选择公司名称！."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(withFullStop(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown));
    }
}

TEST(ErrorBox, TitleIsTheExecutableNameUpToItsFirstDot)
{
    struct Case {
        const char* path;
        const char* title;
    };
    const Case cases[] = {
        {"/opt/erp/BUSINESS.EXE", "Business"},
        {"/usr/bin/qelvan-host", "qelvan-host"},
        {"/srv/vUQ.main.bin", "vuq"},
        {"C", "C"},
        {"/x/.hidden", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(titleFromExecutable(QString::fromUtf8(c.path)), QString::fromUtf8(c.title));
    }
}

TEST(ErrorBox, GuardShowsTheErrorAndReturns)
{
    CapturedBoxes boxes;
    bool after = false;
    guarded([] { throw std::runtime_error("ORA-12154: could not resolve LNK9"); });
    guarded([] { throw 42; });
    guarded([&] { after = true; });

    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("ORA-12154: could not resolve LNK9."));
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(boxes.shown[0].caption, Application::instance().title());
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("app_test"));
    EXPECT_EQ(boxes.shown[1].icon, MessageIcon::Error);
    EXPECT_FALSE(boxes.shown[1].text.isEmpty());
    EXPECT_TRUE(after);
}

class Binding : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Application::instance().ensureGuiApplication(); }
};

TEST_F(Binding, IsRestoredWhenTheCallEnds)
{
    QWidget outer;
    QWidget inner;
    const WId before = Application::instance().windowHandle();
    {
        const WindowBinding first(outer.winId());
        EXPECT_EQ(Application::instance().hostWidget(), &outer);
        {
            const WindowBinding second(inner.winId());
            EXPECT_EQ(Application::instance().hostWidget(), &inner);
        }
        EXPECT_EQ(Application::instance().windowHandle(), outer.winId());
        EXPECT_EQ(Application::instance().hostWidget(), &outer);
    }
    EXPECT_EQ(Application::instance().windowHandle(), before);
}

TEST_F(Binding, BoxesWithoutOwnerBelongToTheHostWindow)
{
    QWidget host;
    host.show();
    const WindowBinding binding(host.winId());

    QWidget* parentOfBox = reinterpret_cast<QWidget*>(1);
    bool wasWindow = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            parentOfBox = box->parentWidget();
            wasWindow = box->isWindow();
            box->close();
        }
    });
    showMessage({nullptr, QStringLiteral("系统提示"), QStringLiteral("text"), MessageIcon::Information});

    EXPECT_EQ(parentOfBox, &host);
    EXPECT_TRUE(wasWindow);
}

TEST_F(Binding, AdoptedWindowsStayTopLevelOverTheHost)
{
    QWidget host;
    const WindowBinding binding(host.winId());
    QWidget window(nullptr, Qt::Dialog | Qt::FramelessWindowHint);
    Application::instance().adopt(&window);
    EXPECT_EQ(window.parentWidget(), &host);
    EXPECT_TRUE(window.isWindow());
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
}

} // namespace

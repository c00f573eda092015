#include "../data/RecordingDatabase.h"

#include "Entry.h"
#include "Parameters.h"

#include "DatePicker.h"
#include "qelvan_dm.h"
#include "qelvan_main.h"

#include "app/Application.h"
#include "app/MessageBox.h"

#include <qelvan/counted_string.h>

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <stdexcept>

using qelvan::CountedStringArray;
using qelvan::app::Application;
using qelvan::test::RecordingDatabase;
using qelvan::test::textRows;

namespace {

std::vector<std::string> params(const std::string& code, const std::string& height, const std::string& width,
                                const std::string& top, const std::string& left)
{
    return {code, "u1", "u2", "u3", "u4", "u5", "u6", "u7", height, width, top, left};
}

class EntryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Application::instance().ensureGuiApplication(); }

    void SetUp() override
    {
        auto db = std::make_unique<RecordingDatabase>();
        vuq = db.get();
        session.add("VUQ", std::move(db));
        qelvan::app::setMessageHook([this](const qelvan::app::MessageRequest& r) { boxes.push_back(r); });
    }
    void TearDown() override { qelvan::app::setMessageHook({}); }

    // Calls the entry; `during` runs inside the modal run, then Exit is pressed.
    // Returns whether the window ran.
    bool call(const char* const* array, std::int32_t highIndex, const std::function<void(TFm_Main&)>& during = {},
              WId hostWindow = 0)
    {
        ran = false;
        QTimer inside;   // local, so a call that never runs its window leaves no timer behind
        inside.setSingleShot(true);
        QObject::connect(&inside, &QTimer::timeout, [&] {
            if (!Fm_Main)
                return;
            ran = true;
            if (during)
                during(*Fm_Main);
            Fm_Main->Sb_Exit->click();
        });
        inside.start(0);
        qelvan::entry::showdll(hostWindow, &session, array, highIndex);
        return ran;
    }
    bool call(const CountedStringArray& array, const std::function<void(TFm_Main&)>& during = {}, WId host = 0)
    {
        return call(array.data(), array.highIndex(), during, host);
    }

    static bool anyWindowLeft()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("Fm_Main"))
                return true;
        return false;
    }

    qelvan::SimpleSession session;
    RecordingDatabase* vuq = nullptr;
    std::vector<qelvan::app::MessageRequest> boxes;
    bool ran = false;   // whether the latest call's window ran
};

TEST_F(EntryTest, GeometryParametersPlaceTheClientArea)
{
    QWidget host;
    host.show();
    QRect geometry;
    bool frameless = false;
    QWidget* owner = nullptr;
    const bool shown = call(CountedStringArray(params("A1", "40", "100", "7", "9")),
                          [&](TFm_Main& w) {
                              geometry = w.geometry();
                              frameless = w.windowFlags() & Qt::FramelessWindowHint;
                              owner = w.parentWidget();
                          },
                          host.winId());
    ASSERT_TRUE(shown);
    EXPECT_EQ(geometry, QRect(9, 7, 100, 40));
    EXPECT_TRUE(frameless);
    EXPECT_EQ(owner, &host);
    EXPECT_EQ(Fm_Main, nullptr);
    EXPECT_EQ(dm, nullptr);
    EXPECT_FALSE(anyWindowLeft());
}

TEST_F(EntryTest, BadGeometryReachesTheHostAfterCleanup)
{
    ASSERT_TRUE(call(CountedStringArray(params("FIRST", "400", "700", "0", "0"))));
    const QStringList before = dll_params;

    QWidget outer;
    const qelvan::app::WindowBinding hostOfHost(outer.winId());
    QWidget host;
    try {
        call(CountedStringArray(params("SECOND", "12a", "700", "0", "0")), {}, host.winId());
        FAIL() << "expected an error";
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("12a"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(ran);
    EXPECT_EQ(dll_params, before);
    EXPECT_EQ(Fm_Main, nullptr);
    EXPECT_EQ(dm, nullptr);
    EXPECT_FALSE(anyWindowLeft());
    EXPECT_EQ(Application::instance().windowHandle(), outer.winId());
    EXPECT_TRUE(boxes.empty());

    EXPECT_TRUE(call(CountedStringArray(params("THIRD", "400", "700", "0", "0"))));
    EXPECT_EQ(dll_params.value(0), QStringLiteral("THIRD"));
}

TEST_F(EntryTest, ElementsAfterTheTwelfthAreNeitherReadNorCopied)
{
    const CountedStringArray twelve(params("A1", "40", "100", "7", "9"));
    std::vector<const char*> longer(twelve.data(), twelve.data() + twelve.size());
    // Reading these would crash the test.
    longer.push_back(reinterpret_cast<const char*>(std::uintptr_t(8)));
    longer.push_back(reinterpret_cast<const char*>(std::uintptr_t(16)));

    ASSERT_TRUE(call(longer.data(), std::int32_t(longer.size() - 1)));
    EXPECT_EQ(dll_params.size(), 12);
}

TEST_F(EntryTest, EachCallWorksWithItsOwnParameters)
{
    vuq->answer("GSDM00='甲01'", textRows({"GSJC00"}, {{std::string("甲公司")}}));
    vuq->answer("GSDM00='乙02'", textRows({"GSJC00"}, {{std::string("乙公司")}}));
    CountedStringArray first;
    for (const std::string& p : params("甲01", "40", "100", "7", "9"))
        first.append(p);
    CountedStringArray second;
    for (const std::string& p : {"乙02", "", "v2", "v3", "v4", "v5", "v6", "v7", "41", "101", "8", "10"})
        second.append(p);   // "" becomes a null element

    QString firstList;
    QString secondList;
    ASSERT_TRUE(call(first, [&](TFm_Main& w) { firstList = w.cob_gsmc->currentText(); }));
    const size_t firstStatements = vuq->statements.size();
    ASSERT_TRUE(call(second, [&](TFm_Main& w) { secondList = w.cob_gsmc->currentText(); }));

    EXPECT_EQ(firstList, QStringLiteral("甲公司"));
    EXPECT_EQ(secondList, QStringLiteral("乙公司"));
    for (size_t i = firstStatements; i < vuq->statements.size(); ++i)
        EXPECT_EQ(vuq->statements[i].find("甲01"), std::string::npos) << vuq->statements[i];
    EXPECT_EQ(dll_params, QStringList({QStringLiteral("乙02"), QString(), "v2", "v3", "v4", "v5", "v6", "v7", "41",
                                       "101", "8", "10"}));
}

TEST_F(EntryTest, BadArgumentsAreRejectedBeforeAnythingIsCreated)
{
    const CountedStringArray twelve(params("A1", "40", "100", "7", "9"));
    const CountedStringArray eleven(std::vector<std::string>(11, "1"));
    struct Case {
        const char* name;
        const char* const* array;
        std::int32_t highIndex;
        bool withSession;
    };
    const Case cases[] = {
        {"null array", nullptr, 11, true},
        {"eleven elements", eleven.data(), eleven.highIndex(), true},
        {"high index short of the array", twelve.data(), 10, true},
        {"negative high index", twelve.data(), -1, true},
        {"null session", twelve.data(), twelve.highIndex(), false},
    };
    const QStringList before = dll_params;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ran = false;
        QTimer inside;
        inside.setSingleShot(true);
        QObject::connect(&inside, &QTimer::timeout, [&] { ran = Fm_Main != nullptr; });
        inside.start(0);
        EXPECT_THROW(qelvan::entry::showdll(0, c.withSession ? &session : nullptr, c.array, c.highIndex),
                     std::invalid_argument);
        QCoreApplication::processEvents();
        EXPECT_FALSE(ran);
    }
    EXPECT_TRUE(vuq->statements.empty());
    EXPECT_EQ(dll_params, before);
}

TEST(EntryParameters, GeometryTextsAreDecimalIntegers)
{
    struct Case {
        const char* text;
        bool valid;
        int value;
    };
    const Case cases[] = {
        {"40", true, 40},        {"  7", true, 7},        {"-9", true, -9},       {"+3", true, 3},
        {"-2147483648", true, INT_MIN}, {"2147483647", true, INT_MAX},
        {"12a", false, 0},       {"", false, 0},          {"7 ", false, 0},       {"-", false, 0},
        {"2147483648", false, 0}, {"0x10", false, 0},     {"１２", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.valid)
            EXPECT_EQ(qelvan::entry::parameterToInt(QString::fromUtf8(c.text), "test"), c.value);
        else
            EXPECT_THROW(qelvan::entry::parameterToInt(QString::fromUtf8(c.text), "test"), std::invalid_argument);
    }
}

TEST(EntryParameters, CountedStringsAreDecodedFromCodePage936)
{
    CountedStringArray array;
    array.append("江州市公司");
    array.appendNull();
    array.appendCp936("\xD6\xD0\x81");   // 中 then a lead byte with nothing after it
    array.appendCp936(std::string("a\0b", 3));   // the length counts, not the NUL
    for (int i = 4; i < 12; ++i)
        array.append(std::to_string(i));

    const QStringList texts = qelvan::entry::readParameters(array.data(), array.highIndex());
    EXPECT_EQ(texts.value(0), QStringLiteral("江州市公司"));
    EXPECT_EQ(texts.value(1), QString());
    EXPECT_EQ(texts.value(2), QStringLiteral("中\uFFFD"));
    EXPECT_EQ(texts.value(3), QString::fromUtf8("a\0b", 3));
    EXPECT_EQ(texts.value(11), QStringLiteral("11"));
}

} // namespace

#pragma once
// A window over a recording database, with the message boxes, the date and
// the format settings answered by the test.

#include "../data/RecordingDatabase.h"

#include "DatePicker.h"
#include "SummaryGrid.h"
#include "qelvan_dm.h"
#include "qelvan_main.h"

#include "app/Application.h"
#include "app/Clock.h"
#include "app/MessageBox.h"
#include "db/Query.h"
#include "format/FormatSettings.h"
#include "grid/GridModel.h"

#include <QApplication>
#include <QComboBox>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

namespace qelvan::test {

/// Settings of a Chinese locale, pinned so the machine's locale does not matter.
inline format::FormatSettings chineseSettings()
{
    format::FormatSettings s;
    s.decimalSeparator = QLatin1Char('.');
    s.thousandSeparator = QLatin1Char(',');
    s.currencyString = QStringLiteral("￥");
    s.currencyFormat = 0;
    s.currencyDecimals = 2;
    s.shortDateFormat = QStringLiteral("yyyy-MM-dd");
    return s;
}

class WindowFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app::Application::instance().ensureGuiApplication(); }

    void SetUp() override
    {
        format::overrideProcessSettings(&settings);
        auto db = std::make_unique<RecordingDatabase>();
        vuq = db.get();
        session.add("VUQ", std::move(db));
        db::setDefaultSession(&session);
        app::setMessageHook([this](const app::MessageRequest& r) {
            boxes.push_back(r);
            // On screen, not merely marked visible: show events come before the window appears.
            windowVisibleAtBox.push_back(window && window->windowHandle() && window->windowHandle()->isVisible());
        });
        app::setTodayClock([this] { return today; });
        dll_params = QStringList{QStringLiteral("135021000000")};
        for (int i = 1; i < 12; ++i)
            dll_params.append(QString());
    }

    void TearDown() override
    {
        window.reset();
        data.reset();
        app::setTodayClock({});
        app::setMessageHook({});
        db::setDefaultSession(nullptr);
        format::overrideProcessSettings(nullptr);
    }

    /// Creates and shows the window (its show event fills the pickers and the list).
    TFm_Main& open(QSize size = QSize(780, 490))
    {
        data = std::make_unique<Tdm>();
        window = std::make_unique<TFm_Main>(*data);
        window->resize(size);
        window->show();
        return *window;
    }

    /// The company table of a head office Z1 with the company list 甲, 乙.
    void companies(const char* link = "LNK1", const char* code = "135021020000")
    {
        vuq->answer("SELECT SJZBDM", textRows({"SJZBDM"}, {{std::string("Z1")}, {std::string("Z1")}}));
        vuq->answer("SELECT GSJC00", textRows({"GSJC00"}, {{std::string("甲")}, {std::string("乙")}}));
        Cell linkCell = link ? Cell(std::string(link)) : Cell();
        vuq->answer("SELECT GSDM00,DBLINK",
                    textRows({"GSDM00", "DBLINK"}, {{std::string(code), linkCell}}));
    }

    std::vector<std::string> statementsSince(size_t from) const
    {
        return {vuq->statements.begin() + std::ptrdiff_t(from), vuq->statements.end()};
    }

    int gridRows() const { return window->dbg_xstgjfp2->model()->rowCount(); }

    /// A whole grid row as the cells display it, joined by '|'.
    QString gridRow(int row) const
    {
        QStringList cells;
        for (int c = 0; c < window->dbg_xstgjfp2->model()->columnCount(); ++c)
            cells << window->dbg_xstgjfp2->model()->displayText(row, c);
        return cells.join(QLatin1Char('|'));
    }

    QString footers() const
    {
        QStringList cells;
        for (const char* name : {"SL0000", "JE0000", "BHSJE0", "SE0000"})
            cells << window->dbg_xstgjfp2->footerText(QStringLiteral("dbg_xstgjfp2") + QLatin1String(name));
        return cells.join(QLatin1Char('|'));
    }

    format::FormatSettings settings = chineseSettings();
    SimpleSession session;
    RecordingDatabase* vuq = nullptr;
    std::vector<app::MessageRequest> boxes;
    std::vector<bool> windowVisibleAtBox;
    QDate today{2004, 5, 12};
    std::unique_ptr<Tdm> data;
    std::unique_ptr<TFm_Main> window;
};

} // namespace qelvan::test

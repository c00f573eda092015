#pragma once
// One use of the plug-in as a clerk makes it, again and again in one
// process: open the window, run the summary, prepare the report, leave.
// Shared by the repeated-use test (leaks, parameters) and its benchmark
// (resident memory).

#include "DemoFiles.h"
#include "PluginDriver.h"

#include <qelvan/backends.h>

#include <QApplication>

#include <memory>

namespace qelvan::test {

/// What one call saw.
struct UseResult {
    bool ran = false;
    QStringList parameters;   ///< dll_params inside the window
    QString company;          ///< the list's selected company
    int rows = 0;             ///< rows of the summary
    int pages = 0;            ///< pages of the prepared report
    size_t boxes = 0;         ///< message boxes shown
};

class RepeatedUse {
public:
    explicit RepeatedUse(const QString& templateSource)
        : m_demo(makeDemoFolder()), m_work(templateSource)
    {
        m_session.add("VUQ", openEmbeddedDatabase(m_demo->filePath(QStringLiteral("vuq.db")).toStdString(), true));
    }

    /// The parameters of call `n`: two companies in turn, a carried value
    /// that names the call, and a geometry that moves.
    static std::vector<std::string> parametersOf(int n)
    {
        auto p = parameters(n % 2 ? "135031000000" : "135021000000", std::to_string(400 + n % 7),
                            std::to_string(700 + n % 5), std::to_string(n % 3), std::to_string(n % 11));
        p[1] = "call " + std::to_string(n);
        p[7] = n % 3 ? "" : "第" + std::to_string(n) + "次";
        return p;
    }

    /// The company each call's list starts with.
    static QString companyOf(int n) { return n % 2 ? QStringLiteral("松岭市公司") : QStringLiteral("江州市公司"); }

    UseResult call(int n)
    {
        UseResult r;
        PluginDriver driver;
        r.ran = driver.call(m_session, parametersOf(n), [&](TFm_Main& w, Tdm& data) {
            r.parameters = dll_params;
            r.company = w.cob_gsmc->currentText();
            // A quarter's sales: every product, a report of more than one page.
            w.dtp_qssj->setDate(kDemoEndDate.addDays(-90));
            w.SB_locate->click();
            r.rows = data.qry_xstgjfp1->recordCount();
            (void)w.grab();   // draw the window with its rows, as the screen would
            w.SP_print->click();
            r.pages = driver.pages;
        });
        r.boxes = driver.boxes.size();
        return r;
    }

private:
    std::unique_ptr<QTemporaryDir> m_demo;
    WorkFolder m_work;
    SimpleSession m_session;
};

/// Objects that would pile up if a call left anything behind.
inline std::pair<int, int> leftovers()
{
    return {int(QApplication::topLevelWidgets().size()), int(QCoreApplication::instance()->children().size())};
}

} // namespace qelvan::test

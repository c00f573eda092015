#pragma once
// Drives whole showdll calls the way a clerk would, without a person: message
// boxes, the report preview, the save dialog and "today" are answered here,
// and the window is worked from inside its own modal run (a zero-delay timer
// fires once the window is up) and left through its Exit button.

#include "Entry.h"

#include "DatePicker.h"
#include "qelvan_dm.h"
#include "qelvan_main.h"

#include "app/Application.h"
#include "app/Clock.h"
#include "app/MessageBox.h"
#include "db/Query.h"
#include "SaveFileDialog.h"

#include "report/PreviewWindow.h"
#include "report/ReportHooks.h"

#include <qelvan/counted_string.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <string>
#include <vector>

namespace qelvan::test {

/// The twelve parameters of a call: company code, seven carried values, then
/// client height, width, top and left.
inline std::vector<std::string> parameters(const std::string& code, const std::string& height = "490",
                                           const std::string& width = "780", const std::string& top = "0",
                                           const std::string& left = "0")
{
    return {code, "u1", "u2", "u3", "u4", "u5", "u6", "u7", height, width, top, left};
}

/// The current folder for the life of the object: a fresh one holding the
/// report template, which the Print button reads from the current folder.
class WorkFolder {
public:
    explicit WorkFolder(const QString& templateSource)
        : m_previous(QDir::currentPath())
    {
        QFile::copy(templateSource, m_dir.filePath(QStringLiteral("vuq_xstgjfp1.frf")));
        QDir::setCurrent(m_dir.path());
    }
    ~WorkFolder() { QDir::setCurrent(m_previous); }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

/// Answers every seam for the life of the object.
class PluginDriver {
public:
    explicit PluginDriver(QDate today = QDate(2024, 3, 15))
    {
        app::Application::instance().ensureGuiApplication();
        app::setMessageHook([this](const app::MessageRequest& r) { boxes.push_back(r); });
        app::setTodayClock([today] { return today; });
        report::setPreviewHook([this](report::PreviewWindow& preview) {
            ++previews;
            pages += preview.pageCount();
        });
        ui::setSaveFileHook([this](const ui::SaveFileRequest&) { return saveAs; });
    }
    ~PluginDriver()
    {
        ui::setSaveFileHook({});
        report::setPreviewHook({});
        app::setTodayClock({});
        app::setMessageHook({});
    }
    PluginDriver(const PluginDriver&) = delete;
    PluginDriver& operator=(const PluginDriver&) = delete;

    /// One showdll call; `during` runs inside the modal run, then Exit is
    /// clicked. Returns whether the window ran. Errors of the call propagate.
    bool call(Session& session, const std::vector<std::string>& params,
              const std::function<void(TFm_Main&, Tdm&)>& during = {})
    {
        return call(session, CountedStringArray(params), during);
    }
    bool call(Session& session, const CountedStringArray& array,
              const std::function<void(TFm_Main&, Tdm&)>& during = {})
    {
        bool ran = false;
        QTimer inside;
        inside.setSingleShot(true);
        QObject::connect(&inside, &QTimer::timeout, [&] {
            if (!Fm_Main || !dm)
                return;
            ran = true;
            if (during)
                during(*Fm_Main, *dm);
            Fm_Main->Sb_Exit->click();
        });
        inside.start(0);
        entry::showdll(0, &session, array.data(), array.highIndex());
        return ran;
    }

    /// Selects `company` in the list and clicks Query; false when the list
    /// does not hold it.
    static bool query(TFm_Main& window, const QString& company)
    {
        const int index = window.cob_gsmc->findText(company);
        if (index < 0)
            return false;
        window.cob_gsmc->setCurrentIndex(index);
        window.SB_locate->click();
        return true;
    }

    std::vector<app::MessageRequest> boxes;
    int previews = 0;   ///< report previews shown
    int pages = 0;      ///< pages of all those previews
    QString saveAs;     ///< the save dialog's answer; empty cancels
};

} // namespace qelvan::test

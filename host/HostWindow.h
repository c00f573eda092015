#pragma once
// The demo host's main window: a menu and a toolbar that open the plug-in
// over the working area.

#include "HostOptions.h"
#include "Plugin.h"

#include <qelvan/session.h>

#include <QMainWindow>

#include <memory>

class QAction;

class HostWindow : public QMainWindow {
    Q_OBJECT
public:
    HostWindow(HostOptions options, qelvan::Session& session);

    /// Calls the plug-in; returns when its window is closed.
    void openSalesSummary();

private:
    std::vector<std::string> parameters() const;

    HostOptions m_options;
    qelvan::Session& m_session;
    Plugin m_plugin;
    QWidget* m_workArea = nullptr;
};

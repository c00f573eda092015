#pragma once
// The plug-in's application object: the Qt application it runs in and the
// host window everything it shows is owned by.

#include <QString>
#include <QWindow>   // WId

#include <memory>

class QWidget;

namespace qelvan::app {

class Application {
public:
    static Application& instance();

    /// Makes sure a QApplication exists. A Qt host's own application is
    /// used; a host without one gets an application created here once and
    /// kept until the process ends (the module holding this code then stays
    /// loaded even if the host unloads it). Throws std::runtime_error when the
    /// host runs a Qt application that cannot show widgets.
    void ensureGuiApplication();
    /// True when the QApplication was created by the plug-in.
    bool ownsGuiApplication() const;

    /// The native id of the host window the plug-in is bound to; 0 when unbound.
    WId windowHandle() const;
    /// Rebinds to `id` (0 unbinds). A Qt host's widget with that id becomes
    /// the owner; otherwise the id is wrapped as a foreign window when the
    /// windowing system allows it.
    void setWindowHandle(WId id);

    /// The bound host window as a widget of this process, or null (no
    /// binding, or a host that is not a Qt widget application).
    QWidget* hostWidget() const;
    /// The bound host window as a QWindow (host's own or foreign), or null.
    QWindow* hostWindow() const;

    /// Makes the top-level `window` owned by the bound host window: it stays
    /// above it, minimises with it and has no taskbar entry of its own.
    /// Keeps the window's flags. Does nothing when unbound.
    void adopt(QWidget* window) const;

    /// The application title: the host executable's file name up to its
    /// first dot, first letter as it is, the rest in lower case.
    QString title() const;

private:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    struct Impl;
    std::unique_ptr<Impl> d;
};

/// Binds the application object to a host window for the life of the
/// object and restores the previous binding afterwards.
class WindowBinding {
public:
    explicit WindowBinding(WId host);
    ~WindowBinding();
    WindowBinding(const WindowBinding&) = delete;
    WindowBinding& operator=(const WindowBinding&) = delete;

private:
    WId m_previous;
};

/// The title rule applied to an executable's path.
QString titleFromExecutable(const QString& path);

} // namespace qelvan::app

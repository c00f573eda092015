#include "Application.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QWidget>

#include <stdexcept>

#include <dlfcn.h>

namespace qelvan::app {

namespace {

// Keeps the module that holds this code loaded until the process ends: the
// application created below must not lose its code to an unload.
void pinThisModule()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&pinThisModule), &info) && info.dli_fname)
        dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

} // namespace

struct Application::Impl {
    bool ownsApp = false;
    WId handle = 0;
    QWidget* widget = nullptr;
    QWindow* window = nullptr;               // host's own window, not owned
    std::unique_ptr<QWindow> foreignWindow;  // wrapper around a non-Qt window
};

Application::Application() : d(std::make_unique<Impl>()) {}

Application::~Application()
{
    d->foreignWindow.reset();
}

Application& Application::instance()
{
    static Application app;
    return app;
}

void Application::ensureGuiApplication()
{
    if (auto* core = QCoreApplication::instance()) {
        if (!qobject_cast<QApplication*>(core))
            throw std::runtime_error("The host's Qt application cannot show windows (it is not a QApplication).");
        return;
    }
    // argc must outlive the application: Qt keeps a reference to it.
    static int argc = 1;
    static char name[] = "qelvan";
    static char* argv[] = {name, nullptr};
    // Deliberately never deleted: a host without Qt keeps the application for
    // the life of the process, as it would a toolkit it linked itself. Qt
    // cannot be torn down from exit handlers, where a static owner would do it
    // after Qt's own global state is gone.
    new QApplication(argc, argv);
    d->ownsApp = true;
    pinThisModule();
}

bool Application::ownsGuiApplication() const
{
    return d->ownsApp;
}

WId Application::windowHandle() const
{
    return d->handle;
}

void Application::setWindowHandle(WId id)
{
    d->foreignWindow.reset();
    d->widget = nullptr;
    d->window = nullptr;
    d->handle = id;
    if (id == 0 || !QGuiApplication::instance())
        return;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        d->widget = QWidget::find(id);
    if (d->widget) {
        d->window = d->widget->windowHandle();
        return;
    }
    for (QWindow* w : QGuiApplication::allWindows()) {
        if (w->handle() && w->winId() == id) {
            d->window = w;
            return;
        }
    }
    // A window of another toolkit: own it through the windowing system
    // where that is possible; elsewhere our windows simply stay unowned.
    d->foreignWindow.reset(QWindow::fromWinId(id));
    d->window = d->foreignWindow.get();
}

QWidget* Application::hostWidget() const
{
    return d->widget;
}

QWindow* Application::hostWindow() const
{
    return d->window;
}

void Application::adopt(QWidget* window) const
{
    if (!window || !window->isWindow())
        return;
    if (d->widget) {
        if (window->parentWidget() != d->widget) {
            const Qt::WindowFlags flags = window->windowFlags();
            window->setParent(d->widget, flags);
        }
        return;
    }
    if (d->window) {
        window->winId();   // creates the native window so it can be made transient
        if (QWindow* handle = window->windowHandle())
            handle->setTransientParent(d->window);
    }
}

QString titleFromExecutable(const QString& path)
{
    QString name = QFileInfo(path).fileName();
    const int dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name;
}

QString Application::title() const
{
    QString path;
    if (QCoreApplication::instance())
        path = QCoreApplication::applicationFilePath();
    if (path.isEmpty())
        path = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    return titleFromExecutable(path);
}

WindowBinding::WindowBinding(WId host) : m_previous(Application::instance().windowHandle())
{
    Application::instance().setWindowHandle(host);
}

WindowBinding::~WindowBinding()
{
    Application::instance().setWindowHandle(m_previous);
}

} // namespace qelvan::app

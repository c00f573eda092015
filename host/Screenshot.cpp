#include "Screenshot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

QWidget* pluginWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Fm_Main") && w->isVisible())
            return w;
    return nullptr;
}

void closeWhatIsOpen()
{
    // An information or error box may be up; close it first.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != pluginWindow()) {
        modal->close();
        QTimer::singleShot(200, closeWhatIsOpen);
        return;
    }
    if (QWidget* w = pluginWindow())
        if (auto* exit = w->findChild<QAbstractButton*>(QStringLiteral("Sb_Exit")))
            exit->click();
}

} // namespace

void armScreenshot(const HostOptions& options)
{
    const int settle = options.delayMs;
    if (options.runQuery) {
        QTimer::singleShot(settle / 2, [] {
            if (QWidget* w = pluginWindow()) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
                QApplication::sendEvent(w, &press);
            }
        });
    }
    const QString file = options.screenshot;
    QTimer::singleShot(settle, [file] {
        QScreen* screen = QGuiApplication::primaryScreen();
        const QPixmap shot = screen ? screen->grabWindow(0) : QPixmap();
        if (shot.isNull() || !shot.save(file))
            qWarning("could not save the screenshot to %s", qPrintable(file));
        closeWhatIsOpen();
    });
}

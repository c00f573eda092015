#include "Screenshot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateEdit>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

QWidget* topLevel(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    return nullptr;
}

QWidget* pluginWindow()
{
    return topLevel("Fm_Main");
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
        QTimer::singleShot(settle / 2, [days = options.days] {
            if (QWidget* w = pluginWindow()) {
                if (auto* start = w->findChild<QDateEdit*>(QStringLiteral("dtp_qssj")))
                    start->setDate(start->date().addDays(1 - days));
                QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
                QApplication::sendEvent(w, &press);
            }
        });
    }
    if (options.print) {
        // The click runs the preview modally; the picture is taken from inside it.
        QTimer::singleShot(settle * 3 / 4, [] {
            if (QWidget* w = pluginWindow())
                if (auto* print = w->findChild<QAbstractButton*>(QStringLiteral("SP_print")))
                    print->click();
        });
    }
    const QString file = options.screenshot;
    const bool preview = options.print;
    QTimer::singleShot(settle, [file, preview] {
        // The host and everything over it, not the empty rest of the screen;
        // with Print pressed, the report preview alone.
        QRect area;
        if (QWidget* shown = preview ? topLevel("reportPreview") : nullptr)
            area = shown->frameGeometry();
        else
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible())
                    area |= w->frameGeometry();
        QScreen* screen = QGuiApplication::primaryScreen();
        const QPixmap shot = screen ? screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()) : QPixmap();
        if (shot.isNull() || !shot.save(file))
            qWarning("could not save the screenshot to %s", qPrintable(file));
        closeWhatIsOpen();
    });
}

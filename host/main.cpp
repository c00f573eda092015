// The demo host: stands for the business application that signs a clerk in,
// holds the database session and calls the plug-in.

#include "HostOptions.h"
#include "HostWindow.h"
#include "Screenshot.h"

#include <qelvan/backends.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const HostOptions options = parseHostOptions();

    qelvan::SimpleSession session;
    try {
        session.add("VUQ", qelvan::openEmbeddedDatabase(options.database.toStdString(), true));
    } catch (const std::exception& e) {
        if (!options.screenshot.isEmpty()) {
            qCritical("%s", e.what());
            return 1;
        }
        QMessageBox::critical(nullptr, QStringLiteral("VUQ"), QString::fromUtf8(e.what()));
        return 1;
    }

    HostWindow window(options, session);
    window.show();

    if (!options.screenshot.isEmpty()) {
        QTimer::singleShot(300, &window, [&] {
            armScreenshot(options);
            window.openSalesSummary();
            QApplication::quit();
        });
    }
    return app.exec();
}

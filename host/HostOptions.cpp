#include "HostOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

namespace {

// The demo data's head office with attached companies.
const char defaultCompany[] = "135021000000";

QString defaultPlugin()
{
    const QString besideBuild = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../lib/libqelvan.so"));
    return QFileInfo::exists(besideBuild) ? QDir::cleanPath(besideBuild) : QStringLiteral("libqelvan.so");
}

} // namespace

HostOptions parseHostOptions()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Demo host: a business application that calls the qelvan plug-in."));
    parser.addHelpOption();
    const QCommandLineOption db({QStringLiteral("d"), QStringLiteral("db")},
                                QStringLiteral("Embedded database opened as VUQ."), QStringLiteral("file"),
                                QStringLiteral("vuq.db"));
    const QCommandLineOption company({QStringLiteral("c"), QStringLiteral("company")},
                                     QStringLiteral("Code of the signed-in company."), QStringLiteral("code"),
                                     QString::fromLatin1(defaultCompany));
    const QCommandLineOption plugin(QStringLiteral("library"), QStringLiteral("Path of libqelvan.so."),
                                    QStringLiteral("file"), defaultPlugin());
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Open the plug-in, save a PNG of the screen, and exit."),
                                        QStringLiteral("png"));
    const QCommandLineOption query(QStringLiteral("query"),
                                   QStringLiteral("With --screenshot: run the summary first."));
    const QCommandLineOption print(QStringLiteral("print"),
                                   QStringLiteral("With --query: press Print and picture the report preview."));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("With --screenshot: milliseconds to wait before the picture."),
                                   QStringLiteral("ms"), QStringLiteral("1500"));
    const QCommandLineOption days(QStringLiteral("days"),
                                  QStringLiteral("With --query: the number of days up to today to summarise."),
                                  QStringLiteral("n"), QStringLiteral("1"));
    parser.addOptions({db, company, plugin, screenshot, query, print, delay, days});
    parser.process(*QCoreApplication::instance());

    HostOptions options;
    options.database = parser.value(db);
    options.company = parser.value(company);
    options.plugin = parser.value(plugin);
    options.screenshot = parser.value(screenshot);
    options.runQuery = parser.isSet(query) || parser.isSet(print);
    options.print = parser.isSet(print);
    options.delayMs = parser.value(delay).toInt();
    options.days = qMax(1, parser.value(days).toInt());
    return options;
}

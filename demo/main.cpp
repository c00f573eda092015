// qelvan-demo-gen: writes the demo host database and its link databases.

#include "DemoGenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>

#include <chrono>
#include <cstdio>
#include <exception>

using namespace qelvan::demo;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("qelvan-demo-gen");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Writes the demo host database vuq.db and one sales database per link into a folder.\n"
        "The same seed, size and end date always give the same data.");
    parser.addHelpOption();
    const QCommandLineOption out("out", "Folder to write into (created if missing).", "DIR", ".");
    const QCommandLineOption seed("seed", "Seed of the random content.", "N", "1");
    const QCommandLineOption size("size", "small (demo, tests) or large (benchmark).", "SIZE", "small");
    const QCommandLineOption endDate("end-date", "Last day with sales, YYYY-MM-DD (default: today).",
                                     "YYYY-MM-DD");
    parser.addOptions({out, seed, size, endDate});
    parser.process(app);

    DemoOptions options;
    options.outDir = parser.value(out).toStdString();

    bool seedOk = false;
    options.seed = parser.value(seed).toULongLong(&seedOk);
    if (!seedOk) {
        std::fprintf(stderr, "qelvan-demo-gen: --seed needs a non-negative integer\n");
        return 2;
    }
    const auto parsedSize = parseSize(parser.value(size).toStdString());
    if (!parsedSize) {
        std::fprintf(stderr, "qelvan-demo-gen: --size is small or large\n");
        return 2;
    }
    options.size = *parsedSize;
    options.endDate = parser.isSet(endDate) ? QDate::fromString(parser.value(endDate), "yyyy-MM-dd")
                                            : QDate::currentDate();
    if (!options.endDate.isValid()) {
        std::fprintf(stderr, "qelvan-demo-gen: --end-date needs a date written YYYY-MM-DD\n");
        return 2;
    }

    try {
        const auto started = std::chrono::steady_clock::now();
        const DemoSummary summary = generateDemoData(options);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("wrote %s: sales from %s to %s, seed %llu, %s\n", options.outDir.c_str(),
                    summary.firstDate.toString(Qt::ISODate).toUtf8().constData(),
                    options.endDate.toString(Qt::ISODate).toUtf8().constData(),
                    static_cast<unsigned long long>(options.seed), sizeName(options.size).data());
        for (const DemoTableCount& table : summary.tables)
            std::printf("  %-16s %10lld rows\n", table.table.c_str(), table.rows);
        std::printf("  %lld sales rows in %.1f s\n", summary.salesRows, seconds);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qelvan-demo-gen: %s\n", error.what());
        return 1;
    }
    return 0;
}

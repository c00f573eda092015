// Times the window's summary statements through the embedded database layer
// against the same summaries written by hand for SQLite, on the large demo
// data, and against a full scan of the sales table.

#include "DemoCatalog.h"
#include "DemoGenerator.h"
#include "DemoStatements.h"
#include "SqliteConnection.h"

#include "db/OracleDialect.h"

#include <qelvan/backends.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace qelvan::demo;

namespace {

struct Totals {
    size_t rows = 0;
    double quantity = 0;
    double amount = 0;
};

Totals totalsOf(const qelvan::ResultSet& result)
{
    Totals totals;
    totals.rows = result.rows.size();
    for (const auto& row : result.rows) {
        for (int column : {1, 2}) {
            double value = 0;
            if (const auto* real = std::get_if<double>(&row[column]))
                value = *real;
            else if (const auto* whole = std::get_if<std::int64_t>(&row[column]))
                value = static_cast<double>(*whole);
            (column == 1 ? totals.quantity : totals.amount) += value;
        }
    }
    return totals;
}

struct NativeRow {
    std::string product;
    double quantity, amount, tax, price, net;
    std::string name;
};

// Runs a native statement to the end, reading every value as the layer does.
Totals runNative(SqliteStatement& statement)
{
    std::vector<NativeRow> rows;
    while (statement.step())
        rows.push_back({statement.text(0), statement.number(1), statement.number(2), statement.number(3),
                        statement.number(4), statement.number(5), statement.text(6)});
    statement.reset();
    Totals totals;
    totals.rows = rows.size();
    for (const NativeRow& row : rows) {
        totals.quantity += row.quantity;
        totals.amount += row.amount;
    }
    return totals;
}

// The summary as one would write it for SQLite: the raw date text compared
// with the range's bounds, served by the plain (company, clerk, date) index.
std::string handWritten(bool amounts, const std::string& schema)
{
    const std::string table = schema + (amounts ? ".XSVXSFP0" : ".XSVGJFP0");
    const std::string date = amounts ? "A.YWRQ00" : "A.CKRQ00";
    const std::string amount = amounts ? "A.JE0000" : "A.SL0000*A.DJIA00*1.17";
    const std::string tax = amounts ? "A.SE0000" : "A.SL0000*A.DJIA00*0.17";
    return "SELECT A.SPDM00, SUM(A.SL0000), SUM(" + amount + "), SUM(" + tax + "), SUM(" + amount
        + ")/NULLIF(SUM(A.SL0000),0), SUM(" + amount + ")-SUM(" + tax + "), B.SPMC00 FROM " + table
        + " A JOIN GSTJYGL1 B ON B.SPDM00=A.SPDM00 WHERE A.GSDW00=?1 AND A.YWRY00='1000' AND " + date
        + ">=?2 AND " + date + "<?3 GROUP BY A.SPDM00, B.SPMC00";
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

double milliseconds(const std::function<void()>& work)
{
    const auto started = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string iso(const QDate& date)
{
    return date.toString(Qt::ISODate).toStdString();
}

struct Company {
    const char* statement;
    std::string_view code;
    std::string_view link;
};

struct Range {
    const char* name;
    QDate start;
    QDate end;
};

void printPlan(SqliteConnection& connection, const std::string& statement, const char* title)
{
    SqliteStatement plan = connection.prepare("EXPLAIN QUERY PLAN " + statement);
    std::printf("    %s:\n", title);
    while (plan.step())
        std::printf("      %s\n", plan.text(3).c_str());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Summary statements through the database layer against native SQLite.");
    parser.addHelpOption();
    const QCommandLineOption dataOption("data", "Folder of the large demo data (generated when missing).", "DIR",
                                        QDir::tempPath() + "/qelvan-bench-data");
    const QCommandLineOption runsOption("runs", "Timed runs per variant.", "N", "9");
    const QCommandLineOption seedOption("seed", "Seed of the data.", "N", "1");
    const QCommandLineOption endOption("end-date", "Last day of the data.", "YYYY-MM-DD", "2025-06-30");
    parser.addOptions({dataOption, runsOption, seedOption, endOption});
    parser.process(app);

    DemoOptions wanted;
    wanted.outDir = parser.value(dataOption).toStdString();
    wanted.seed = parser.value(seedOption).toULongLong();
    wanted.size = DemoSize::Large;
    wanted.endDate = QDate::fromString(parser.value(endOption), "yyyy-MM-dd");
    const int runs = std::max(1, parser.value(runsOption).toInt());
    if (!wanted.endDate.isValid()) {
        std::fprintf(stderr, "qelvan-bench-db: --end-date needs YYYY-MM-DD\n");
        return 2;
    }

    try {
        const auto stamp = readDemoStamp(wanted.outDir);
        if (stamp && stamp->seed == wanted.seed && stamp->size == wanted.size && stamp->endDate == wanted.endDate) {
            std::printf("data: %s (seed %llu, end %s), reused\n", wanted.outDir.c_str(),
                        static_cast<unsigned long long>(wanted.seed), iso(wanted.endDate).c_str());
        } else {
            std::printf("data: generating %s ...\n", wanted.outDir.c_str());
            std::fflush(stdout);
            DemoSummary summary;
            const double ms = milliseconds([&] { summary = generateDemoData(wanted); });
            for (const DemoTableCount& table : summary.tables)
                std::printf("  %-16s %10lld rows\n", table.table.c_str(), table.rows);
            std::printf("  %lld sales rows generated in %.1f s\n", summary.salesRows, ms / 1000);
        }

        const std::string host = wanted.outDir + "/" + std::string(kHostFileName);
        const auto layer = qelvan::openEmbeddedDatabase(host, true);

        // The native side: the same files, attached under plain names, with
        // the date functions only for the full-scan baseline.
        SqliteConnection native(host, SqliteConnection::Mode::ReadOnly);
        qelvan::db::registerOracleFunctions(native.handle());
        for (const DemoLink& link : kDemoLinks)
            native.exec("ATTACH 'file:" + wanted.outDir + "/" + std::string(link.fileName) + "?mode=ro' AS "
                        + std::string(link.name));

        const Company companies[] = {
            {"A", "135021020000", "LNK1"},
            {"B", "135021030000", "LNK2"},
        };
        const QDate end = wanted.endDate;
        const Range ranges[] = {
            {"month", QDate(end.year(), end.month(), 1), end},
            {"year", end.addYears(-1).addDays(1), end},
        };

        bool allMet = true;
        std::printf("\nmedians of %d runs (ms)\n", runs);
        std::printf("%-4s %-20s %-6s %-23s %5s %10s %10s %7s\n", "stmt", "company", "range", "days", "rows", "layer",
                    "native", "ratio");
        for (const Company& company : companies) {
            const bool amounts = storesAmounts(company.code);
            double monthLayer = 0;
            std::string monthStatement;
            for (const Range& range : ranges) {
                const std::string start = iso(range.start);
                const std::string last = iso(range.end);
                const std::string statement = summaryStatement(company.code, company.link, start, last);
                SqliteStatement nativeQuery = native.prepare(handWritten(amounts, std::string(company.link)));
                nativeQuery.bind(1, company.code);
                nativeQuery.bind(2, start);
                nativeQuery.bind(3, iso(range.end.addDays(1)));

                // Warm up both (attachments, page cache), and check they agree.
                const Totals viaLayer = totalsOf(layer->execute(statement));
                const Totals viaNative = runNative(nativeQuery);
                if (viaLayer.rows != viaNative.rows
                    || std::abs(viaLayer.quantity - viaNative.quantity) > 1e-6 * std::abs(viaNative.quantity)
                    || std::abs(viaLayer.amount - viaNative.amount) > 1e-6 * std::abs(viaNative.amount)) {
                    std::printf("!! results differ: layer %zu rows, %.2f, %.2f; native %zu rows, %.2f, %.2f\n",
                                viaLayer.rows, viaLayer.quantity, viaLayer.amount, viaNative.rows,
                                viaNative.quantity, viaNative.amount);
                    allMet = false;
                }

                std::vector<double> layerTimes;
                std::vector<double> nativeTimes;
                for (int run = 0; run < runs; ++run) {
                    layerTimes.push_back(milliseconds([&] { totalsOf(layer->execute(statement)); }));
                    nativeTimes.push_back(milliseconds([&] { runNative(nativeQuery); }));
                }
                const double layerMs = median(layerTimes);
                const double nativeMs = median(nativeTimes);
                const double ratio = layerMs / nativeMs;
                allMet = allMet && ratio <= 1.2;
                std::printf("%-4s %-20s %-6s %-23s %5zu %10.2f %10.2f %7.2f  %s\n", company.statement,
                            (std::string(company.code) + "@" + std::string(company.link)).c_str(), range.name,
                            (start + ".." + last).c_str(), viaLayer.rows, layerMs, nativeMs, ratio,
                            ratio <= 1.2 ? "ok (<= 1.2)" : "MISSED (> 1.2)");
                if (range.name == std::string("month")) {
                    monthLayer = layerMs;
                    monthStatement = statement;
                }
            }

            // The same month without the index: every line of the multi-year table.
            const std::string remote = std::string("NEW.") + (amounts ? "XSVXSFP0@" : "XSVGJFP0@")
                + std::string(company.link);
            const std::string local = std::string(company.link) + (amounts ? ".XSVXSFP0" : ".XSVGJFP0");
            const std::string fullScan = replaceAll(monthStatement, remote + " A,", local + " A NOT INDEXED,");
            SqliteStatement scan = native.prepare(fullScan);
            std::vector<double> scanTimes;
            for (int run = 0; run < std::max(3, runs / 3); ++run)
                scanTimes.push_back(milliseconds([&] { runNative(scan); }));
            const double scanMs = median(scanTimes);
            const double speedUp = scanMs / monthLayer;
            allMet = allMet && speedUp >= 10;
            std::printf("%-4s month by index %.2f ms, full scan %.2f ms: %.0fx faster  %s\n", company.statement,
                        monthLayer, scanMs, speedUp, speedUp >= 10 ? "ok (>= 10)" : "MISSED (< 10)");

            std::printf("  query plans (%s, month):\n", company.statement);
            printPlan(native, replaceAll(monthStatement, remote, local), "window's statement");
            try {
                const qelvan::ResultSet plan = layer->execute("EXPLAIN QUERY PLAN " + monthStatement);
                std::printf("    window's statement, as the layer runs it:\n");
                for (const auto& row : plan.rows)
                    if (const auto* detail = std::get_if<std::string>(&row.back()))
                        std::printf("      %s\n", detail->c_str());
            } catch (const qelvan::DatabaseError& error) {
                std::printf("    (the layer does not explain plans: %s)\n", error.what());
            }
            printPlan(native, handWritten(amounts, std::string(company.link)), "hand-written");
        }
        std::printf("\n%s\n", allMet ? "all targets met" : "SOME TARGETS MISSED");
        return allMet ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qelvan-bench-db: %s\n", error.what());
        return 1;
    }
}

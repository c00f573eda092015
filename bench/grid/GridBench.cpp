// Opens a 100,000-row summary result into the data grid (rows, formats,
// footers, first paint) and compares it, in the same run, with the same rows
// loaded into a QStandardItemModel shown by a plain QTableView, and with a
// minimal table model that hands out the result's values unformatted.
// Prints the time ratios and the heap each row costs.

#include "BenchSupport.h"

#include "db/Query.h"
#include "grid/DataGrid.h"
#include "grid/GridModel.h"

#include <qelvan/backends.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

using namespace qelvan;
using namespace qelvan::bench;

namespace {

constexpr int kRows = 100000;
constexpr int kRepeats = 5;
const char* const kStatement =
    "SELECT SPDM00, SPMC00, DJIA00, SL0000, JE0000, BHSJE0, SE0000 FROM XSTGJ ORDER BY SPDM00";

std::vector<grid::ColumnSpec> summaryColumns()
{
    using grid::ColumnKind;
    using grid::Summary;
    const Qt::Alignment left = Qt::AlignLeft, right = Qt::AlignRight;
    const QString sums = QStringLiteral("0.00;-0.00");
    return {
        {"dbg_xstgjfp2SPDM00", ColumnKind::Text, "商品代码", "SPDM00", 91, left, {}, Summary::None, sums},
        {"dbg_xstgjfp2SPMC00", ColumnKind::Text, "商品名称", "SPMC00", 112, left, {}, Summary::None, sums},
        {"dbg_xstgjfp2DJIA00", ColumnKind::Currency, "单价", "DJIA00", 126, right, "￥,0.000000;-￥,0.000000", Summary::None, sums},
        {"dbg_xstgjfp2SL0000", ColumnKind::Plain, "数量（条）", "SL0000", 101, right, {}, Summary::Sum, " 0.00"},
        {"dbg_xstgjfp2JE0000", ColumnKind::Currency, "金额(含税)", "JE0000", 125, right, "￥,0.00;-￥,0.00", Summary::Sum, sums},
        {"dbg_xstgjfp2BHSJE0", ColumnKind::Currency, "金额(不含税)", "BHSJE0", 112, right, {}, Summary::Sum, sums},
        {"dbg_xstgjfp2SE0000", ColumnKind::Currency, "税额", "SE0000", 111, right, ",0.00;-,0.00", Summary::Sum, sums},
    };
}

void prepareView(QTableView& view)
{
    view.resize(780, 406);
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view.show();
}

// The summary query, its data source and the grid with the declared
// columns, shown at the window's size; the query is left closed.
struct SummaryGrid {
    db::Query query;
    db::DataSource source;
    grid::DataGrid grid;

    SummaryGrid()
    {
        query.setDatabaseName(QStringLiteral("VUQ"));
        query.sql() << QString::fromLatin1(kStatement);
        source.setDataSet(&query);
        for (const auto& spec : summaryColumns())
            grid.addColumn(spec);
        grid.setKeyFieldName(QStringLiteral("SL0000"));
        grid.setDataSource(&source);
        grid.resize(780, 425);
        grid.show();
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    SimpleSession session;
    {
        auto db = openEmbeddedDatabase(":memory:");
        createSummaryRows(*db);
        session.add("VUQ", std::move(db));
    }
    db::setDefaultSession(&session);
    Database& database = session.database("VUQ");

    size_t resultBytes = 0;
    {
        const size_t before = heapInUse();
        const ResultSet rows = database.execute(kStatement);
        resultBytes = heapInUse() - before;
    }

    Figures statementOnly, gridRun, standardRun, minimalRun;
    QString footer;
    for (int round = 0; round < kRepeats; ++round) {
        statementOnly.seconds = std::min(statementOnly.seconds, seconds([&] {
            const ResultSet rows = database.execute(kStatement);
            if (rows.rows.size() != size_t(kRows))
                std::abort();
        }));

        {
            const size_t before = heapInUse();
            SummaryGrid rig;
            db::Query& query = rig.query;
            grid::DataGrid& grid = rig.grid;
            app.processEvents();
            const double t = seconds([&] {
                query.open();
                grid.grab();
            });
            gridRun.seconds = std::min(gridRun.seconds, t);
            gridRun.bytes = heapInUse() - before;
            footer = grid.footerText(QStringLiteral("JE0000"));
        }
        {
            const size_t before = heapInUse();
            QTableView view;
            prepareView(view);
            QStandardItemModel model;
            app.processEvents();
            const double t = seconds([&] {
                const ResultSet rows = database.execute(kStatement);
                model.setColumnCount(int(rows.columns.size()));
                model.setRowCount(int(rows.rows.size()));
                for (size_t r = 0; r < rows.rows.size(); ++r)
                    for (size_t c = 0; c < rows.columns.size(); ++c)
                        model.setItem(int(r), int(c), new QStandardItem);
                for (size_t r = 0; r < rows.rows.size(); ++r)
                    for (size_t c = 0; c < rows.columns.size(); ++c)
                        model.item(int(r), int(c))->setData(db::cellVariant(rows.rows[r][c]), Qt::DisplayRole);
                view.setModel(&model);
                view.grab();
            });
            standardRun.seconds = std::min(standardRun.seconds, t);
            standardRun.bytes = heapInUse() - before;
        }
        {
            const size_t before = heapInUse();
            QTableView view;
            prepareView(view);
            app.processEvents();
            std::unique_ptr<ResultModel> model;
            const double t = seconds([&] {
                model = std::make_unique<ResultModel>(database.execute(kStatement));
                view.setModel(model.get());
                view.grab();
            });
            minimalRun.seconds = std::min(minimalRun.seconds, t);
            minimalRun.bytes = heapInUse() - before;
        }
    }

    // What a walk over every row costs with the grid following (a report
    // preparing its pages), and a sort by text and by number.
    double walk = 0, sortText = 0, sortNumber = 0;
    {
        SummaryGrid rig;
        db::Query& query = rig.query;
        grid::DataGrid& grid = rig.grid;
        query.open();
        walk = seconds([&] {
            for (query.first(); !query.eof(); query.next()) {
            }
        });
        sortText = seconds([&] { grid.model()->sort(1); });
        sortNumber = seconds([&] { grid.model()->sort(4, Qt::DescendingOrder); });
    }

    std::printf("rows: %d, best of %d\n", kRows, kRepeats);
    std::printf("statement alone:           %8.1f ms\n", statementOnly.seconds * 1e3);
    std::printf("data grid (open+footers):  %8.1f ms  %6.1f bytes/row (result included)\n", gridRun.seconds * 1e3,
                double(gridRun.bytes) / kRows);
    std::printf("  of which the grid's own: %6.1f bytes/row (the result alone: %.1f)\n",
                (double(gridRun.bytes) - double(resultBytes)) / kRows, double(resultBytes) / kRows);
    std::printf("QStandardItemModel view:   %8.1f ms  %6.1f bytes/row\n", standardRun.seconds * 1e3,
                double(standardRun.bytes) / kRows);
    std::printf("minimal table model view:  %8.1f ms  %6.1f bytes/row (result included)\n", minimalRun.seconds * 1e3,
                double(minimalRun.bytes) / kRows);
    std::printf("footer JE0000: %s\n", footer.toUtf8().constData());
    std::printf("ratio grid / QStandardItemModel: %.2f (target <= 1.5)\n", gridRun.seconds / standardRun.seconds);
    std::printf("ratio grid / minimal model:      %.2f\n", gridRun.seconds / minimalRun.seconds);
    std::printf("ratio excluding the statement, grid / minimal model: %.2f\n",
                (gridRun.seconds - statementOnly.seconds) / std::max(1e-9, minimalRun.seconds - statementOnly.seconds));
    std::printf("memory ratio grid / QStandardItemModel: %.2f\n", double(gridRun.bytes) / double(standardRun.bytes));
    std::printf("walk of every row with the grid following: %.1f ms\n", walk * 1e3);
    std::printf("sort by name: %.1f ms, by amount: %.1f ms\n", sortText * 1e3, sortNumber * 1e3);
    db::setDefaultSession(nullptr);
    return 0;
}

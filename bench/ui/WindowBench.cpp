// The Query button end to end: a 100,000-row summary opened into the window
// (company lookup, summary statement, grid, footers, painting the whole
// window) against the same rows loaded into bare Qt table views in the same
// run. The grid on its own is measured by the grid benchmark; this one adds
// what the window does around it. Prints time ratios and heap per row.

#include "../../tests/data/RecordingDatabase.h"

#include "SummaryGrid.h"
#include "qelvan_dm.h"
#include "qelvan_main.h"

#include "app/MessageBox.h"
#include "db/Query.h"
#include "grid/GridModel.h"

#include <qelvan/backends.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolButton>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

using namespace qelvan;

namespace {

constexpr int kRows = 100000;
constexpr int kRepeats = 5;
const char* const kRowsStatement =
    "SELECT SPDM00,SL0000,JE0000,SE0000,DJIA00,BHSJE0,SPMC00 FROM XSTGJ ORDER BY SPDM00";

double seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

size_t heapInUse()
{
    malloc_trim(0);
    return mallinfo2().uordblks;
}

// The company table answers from memory; the summary statement, whatever its
// link, reads the prepared 100,000 summary rows from the embedded engine.
class BenchDatabase : public Database {
public:
    explicit BenchDatabase(std::unique_ptr<Database> rows) : m_rows(std::move(rows)) {}
    ResultSet execute(std::string_view statement) override
    {
        if (statement.find("@LNK1") != std::string_view::npos)
            return m_rows->execute(kRowsStatement);
        if (statement.find("SELECT GSDM00,DBLINK") != std::string_view::npos)
            return test::textRows({"GSDM00", "DBLINK"}, {{std::string("135021000000"), std::string("LNK1")}});
        if (statement.find("SELECT SJZBDM") != std::string_view::npos)
            return test::textColumn("SJZBDM", {"Z1"});
        return test::textColumn("GSJC00", {"江州市公司"});
    }
    Database& rows() { return *m_rows; }

private:
    std::unique_ptr<Database> m_rows;
};

void createSummaryRows(Database& db)
{
    db.execute("CREATE TABLE XSTGJ (SPDM00 VARCHAR(8), SPMC00 VARCHAR(30), DJIA00 FLOAT, SL0000 FLOAT,"
               " JE0000 FLOAT, BHSJE0 FLOAT, SE0000 FLOAT)");
    db.execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
               "INSERT INTO XSTGJ SELECT printf('%08d', i), '香烟商品' || i || '号（条装）', "
               "(i % 500) * 1.37 + 10.5, (i % 97) * 2.5, (i % 97) * 2.5 * ((i % 500) * 1.37 + 10.5), "
               "(i % 97) * 2.5 * ((i % 500) * 1.37 + 10.5) / 1.17, "
               "(i % 97) * 2.5 * ((i % 500) * 1.37 + 10.5) * (1 - 1 / 1.17) FROM n");
}

QVariant cellVariant(const Cell& cell)
{
    if (const double* d = std::get_if<double>(&cell))
        return *d;
    if (const std::string* s = std::get_if<std::string>(&cell))
        return QString::fromStdString(*s);
    return {};
}

class ResultModel : public QAbstractTableModel {
public:
    explicit ResultModel(ResultSet rows) : m_rows(std::move(rows)) {}
    int rowCount(const QModelIndex& = {}) const override { return int(m_rows.rows.size()); }
    int columnCount(const QModelIndex& = {}) const override { return int(m_rows.columns.size()); }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole ? cellVariant(m_rows.rows[size_t(index.row())][size_t(index.column())])
                                       : QVariant();
    }

private:
    ResultSet m_rows;
};

struct Figures {
    double seconds = 1e9;
    size_t bytes = 0;
};

void bareView(QTableView& view)
{
    view.resize(780, 490);
    view.verticalHeader()->hide();
    view.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view.show();
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app::setMessageHook([](const app::MessageRequest& r) {
        std::fprintf(stderr, "unexpected box: %s\n", r.text.toUtf8().constData());
        std::abort();
    });

    SimpleSession session;
    BenchDatabase* database = nullptr;
    {
        auto rows = openEmbeddedDatabase(":memory:");
        createSummaryRows(*rows);
        auto db = std::make_unique<BenchDatabase>(std::move(rows));
        database = db.get();
        session.add("VUQ", std::move(db));
    }
    db::setDefaultSession(&session);
    dll_params = QStringList{QStringLiteral("135021000000")};

    Figures window, minimal, standard;
    QString footer;
    for (int round = 0; round < kRepeats; ++round) {
        {
            const size_t before = heapInUse();
            Tdm data;
            TFm_Main form(data);
            form.resize(780, 490);
            form.show();
            app.processEvents();
            const double t = seconds([&] {
                form.SB_locate->click();
                form.grab();
            });
            window.seconds = std::min(window.seconds, t);
            window.bytes = heapInUse() - before;
            if (form.dbg_xstgjfp2->model()->rowCount() != kRows)
                std::abort();
            footer = form.dbg_xstgjfp2->footerText(QStringLiteral("dbg_xstgjfp2JE0000"));
        }
        {
            const size_t before = heapInUse();
            QTableView view;
            bareView(view);
            app.processEvents();
            std::unique_ptr<ResultModel> model;
            const double t = seconds([&] {
                model = std::make_unique<ResultModel>(database->rows().execute(kRowsStatement));
                view.setModel(model.get());
                view.grab();
            });
            minimal.seconds = std::min(minimal.seconds, t);
            minimal.bytes = heapInUse() - before;
        }
        {
            const size_t before = heapInUse();
            QTableView view;
            bareView(view);
            QStandardItemModel model;
            app.processEvents();
            const double t = seconds([&] {
                const ResultSet rows = database->rows().execute(kRowsStatement);
                model.setColumnCount(int(rows.columns.size()));
                model.setRowCount(int(rows.rows.size()));
                for (size_t r = 0; r < rows.rows.size(); ++r)
                    for (size_t c = 0; c < rows.columns.size(); ++c) {
                        auto* item = new QStandardItem;
                        item->setData(cellVariant(rows.rows[r][c]), Qt::DisplayRole);
                        model.setItem(int(r), int(c), item);
                    }
                view.setModel(&model);
                view.grab();
            });
            standard.seconds = std::min(standard.seconds, t);
            standard.bytes = heapInUse() - before;
        }
    }

    std::printf("rows: %d, best of %d\n", kRows, kRepeats);
    std::printf("window, Query button to painted window: %8.1f ms  %6.1f bytes/row\n", window.seconds * 1e3,
                double(window.bytes) / kRows);
    std::printf("bare view over a minimal table model:   %8.1f ms  %6.1f bytes/row\n", minimal.seconds * 1e3,
                double(minimal.bytes) / kRows);
    std::printf("bare view over a QStandardItemModel:    %8.1f ms  %6.1f bytes/row\n", standard.seconds * 1e3,
                double(standard.bytes) / kRows);
    std::printf("footer JE0000: %s\n", footer.toUtf8().constData());
    std::printf("time ratio window / minimal model:      %.2f (target <= 1.5)\n", window.seconds / minimal.seconds);
    std::printf("time ratio window / QStandardItemModel: %.2f\n", window.seconds / standard.seconds);
    std::printf("memory ratio window / minimal model:    %.2f\n", double(window.bytes) / double(minimal.bytes));
    app::setMessageHook({});
    db::setDefaultSession(nullptr);
    return 0;
}

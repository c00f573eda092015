// The Query button end to end: a 100,000-row summary opened into the window
// (company lookup, summary statement, grid, footers, painting the whole
// window) against the same rows loaded into bare Qt table views in the same
// run. The grid on its own is measured by the grid benchmark; this one adds
// what the window does around it. Prints time ratios and heap per row.

#include "BenchSupport.h"

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
const char* const kRowsStatement =
    "SELECT SPDM00,SL0000,JE0000,SE0000,DJIA00,BHSJE0,SPMC00 FROM XSTGJ ORDER BY SPDM00";

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
                        item->setData(db::cellVariant(rows.rows[r][c]), Qt::DisplayRole);
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

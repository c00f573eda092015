// The window over the embedded engine and the demo data, checked against
// sums computed here from the raw sales lines.

#include "WindowFixture.h"

#include "DemoCatalog.h"
#include "DemoGenerator.h"

#include <qelvan/backends.h>

#include <QTemporaryDir>

#include <sqlite3.h>

#include <cmath>
#include <map>
#include <set>

using namespace qelvan::test;
namespace demo = qelvan::demo;

namespace {

const QDate endDate(2004, 5, 31);

struct ProductSum {
    double quantity = 0;
    double amount = 0;
    double tax = 0;
};

// Reads every sales line of one view and sums it per product the plain way.
std::map<std::string, ProductSum> sumsFromRawLines(const QString& dir, const std::string& code, const QDate& from,
                                                   const QDate& to)
{
    const bool amounts = demo::storesAmounts(code);
    std::string linkFile;
    for (const demo::DemoCompany& c : demo::kDemoCompanies)
        if (c.code == code)
            for (const demo::DemoLink& l : demo::kDemoLinks)
                if (l.name == c.link)
                    linkFile = std::string(l.fileName);

    auto rows = [](const QString& file, const char* sql) {
        std::vector<std::vector<std::string>> out;
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* st = nullptr;
            if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK) {
                while (sqlite3_step(st) == SQLITE_ROW) {
                    std::vector<std::string> row;
                    for (int i = 0; i < sqlite3_column_count(st); ++i) {
                        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
                        row.emplace_back(t ? t : "");
                    }
                    out.push_back(std::move(row));
                }
            }
            sqlite3_finalize(st);
        }
        sqlite3_close(db);
        return out;
    };

    std::set<std::string> named;
    for (const auto& r : rows(dir + QStringLiteral("/vuq.db"), "SELECT SPDM00 FROM GSTJYGL1"))
        named.insert(r[0]);

    const char* sql = amounts ? "SELECT SPDM00, SL0000, JE0000, SE0000, GSDW00, YWRY00, YWRQ00 FROM XSVXSFP0"
                              : "SELECT SPDM00, SL0000, DJIA00, 0, GSDW00, YWRY00, CKRQ00 FROM XSVGJFP0";
    const std::string first = from.toString(Qt::ISODate).toStdString();
    const std::string last = to.toString(Qt::ISODate).toStdString();
    std::map<std::string, ProductSum> sums;
    for (const auto& r : rows(dir + QLatin1Char('/') + QString::fromStdString(linkFile), sql)) {
        const std::string day = r[6].substr(0, 10);
        if (r[4] != code || r[5] != "1000" || day < first || day > last || !named.count(r[0]))
            continue;
        ProductSum& s = sums[r[0]];
        const double quantity = std::stod(r[1]);
        s.quantity += quantity;
        if (amounts) {
            s.amount += std::stod(r[2]);
            s.tax += std::stod(r[3]);
        } else {
            s.amount += quantity * std::stod(r[2]) * 1.17;
            s.tax += quantity * std::stod(r[2]) * 0.17;
        }
    }
    return sums;
}

class DemoDataSummaryTest : public WindowFixture {
protected:
    static void SetUpTestSuite()
    {
        WindowFixture::SetUpTestSuite();
        dir = new QTemporaryDir;
        demo::DemoOptions options;
        options.outDir = dir->path().toStdString();
        options.seed = 7;
        options.endDate = endDate;
        demo::generateDemoData(options);
    }
    static void TearDownTestSuite()
    {
        delete dir;
        dir = nullptr;
    }

    void SetUp() override
    {
        WindowFixture::SetUp();
        session.add("VUQ", qelvan::openEmbeddedDatabase((dir->path() + QStringLiteral("/vuq.db")).toStdString(), true));
    }

    void query(const std::string& code, const QDate& from, const QDate& to)
    {
        QString name;
        for (const demo::DemoCompany& c : demo::kDemoCompanies)
            if (c.code == code)
                name = QString::fromUtf8(c.shortName.data(), qsizetype(c.shortName.size()));
        window->cob_gsmc->setCurrentIndex(window->cob_gsmc->findText(name));
        ASSERT_EQ(window->cob_gsmc->currentText(), name);
        window->dtp_qssj->setDate(from);
        window->dtp_zzsj->setDate(to);
        window->SB_locate->click();
        ASSERT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    }

    QVariant value(int row, const char* field) const
    {
        const auto* model = window->dbg_xstgjfp2->model();
        return model->data(model->index(row, model->columnIndex(QLatin1String(field))),
                           qelvan::grid::GridModel::ValueRole);
    }

    int rowOf(const std::string& product) const
    {
        for (int r = 0; r < gridRows(); ++r)
            if (value(r, "SPDM00").toString().toStdString() == product)
                return r;
        return -1;
    }

    static QTemporaryDir* dir;
};

QTemporaryDir* DemoDataSummaryTest::dir = nullptr;

TEST_F(DemoDataSummaryTest, SumsMatchTheRawSalesLines)
{
    dll_params[0] = QString::fromUtf8(demo::kDefaultCompanyCode.data(), qsizetype(demo::kDefaultCompanyCode.size()));
    open();
    for (const std::string code : {"135021000000", "135021030000"}) {
        SCOPED_TRACE(code);
        const QDate from(2004, 3, 1), to(2004, 5, 20);
        query(code, from, to);
        const auto expected = sumsFromRawLines(dir->path(), code, from, to);
        ASSERT_GT(expected.size(), 5u);
        ASSERT_EQ(size_t(gridRows()), expected.size());

        ProductSum total;
        for (const auto& [product, sum] : expected) {
            SCOPED_TRACE(product);
            const int row = rowOf(product);
            ASSERT_GE(row, 0);
            EXPECT_NEAR(value(row, "SL0000").toDouble(), sum.quantity, 1e-6);
            EXPECT_NEAR(value(row, "JE0000").toDouble(), sum.amount, 1e-6);
            EXPECT_NEAR(value(row, "SE0000").toDouble(), sum.tax, 1e-6);
            EXPECT_NEAR(value(row, "BHSJE0").toDouble(), sum.amount - sum.tax, 1e-6);
            EXPECT_NEAR(value(row, "DJIA00").toDouble(), sum.amount / sum.quantity, 1e-6);
            total.quantity += sum.quantity;
            total.amount += sum.amount;
            total.tax += sum.tax;
        }
        const QString footer = QLatin1Char(' ') + QString::number(total.quantity, 'f', 2) + QLatin1Char('|') +
                               QString::number(total.amount, 'f', 2) + QLatin1Char('|') +
                               QString::number(total.amount - total.tax, 'f', 2) + QLatin1Char('|') +
                               QString::number(total.tax, 'f', 2);
        EXPECT_EQ(footers(), footer);
    }
}

TEST_F(DemoDataSummaryTest, ProductWhoseQuantitiesCancelShowsNoPrice)
{
    dll_params[0] = QString::fromUtf8(demo::kDefaultCompanyCode.data(), qsizetype(demo::kDefaultCompanyCode.size()));
    open();
    const QDate day = demo::demoCancellingDate(endDate);
    for (const demo::DemoCancellingSale& sale : demo::kCancellingSales) {
        const std::string code(sale.company);
        SCOPED_TRACE(code);
        query(code, day.addDays(-3), day);
        const int row = rowOf(std::string(demo::kCancellingProductCode));
        ASSERT_GE(row, 0);
        EXPECT_FALSE(value(row, "DJIA00").isValid());
        EXPECT_EQ(value(row, "SL0000").toDouble(), 0.0);
        EXPECT_TRUE(value(row, "JE0000").isValid());
        EXPECT_EQ(window->dbg_xstgjfp2->model()->displayText(row, 2), QString());
        EXPECT_GT(gridRows(), 1);
    }
}

} // namespace

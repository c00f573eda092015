// The demo data answers the window's statements, through the embedded
// database layer, with the sums computed here straight from the raw rows.

#include "DemoCatalog.h"
#include "DemoGenerator.h"
#include "DemoStatements.h"
#include "SqliteConnection.h"

#include <qelvan/backends.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

using namespace qelvan::demo;

namespace {

constexpr std::uint64_t kSeed = 20240315;
const QDate kEndDate(2024, 3, 15);

std::string iso(const QDate& date)
{
    return date.toString(Qt::ISODate).toStdString();
}

bool isNull(const qelvan::Cell& cell)
{
    return std::holds_alternative<std::monostate>(cell);
}

double number(const qelvan::Cell& cell)
{
    if (const auto* real = std::get_if<double>(&cell))
        return *real;
    if (const auto* whole = std::get_if<std::int64_t>(&cell))
        return static_cast<double>(*whole);
    ADD_FAILURE() << "not a number";
    return NAN;
}

std::string text(const qelvan::Cell& cell)
{
    const auto* value = std::get_if<std::string>(&cell);
    return value ? *value : std::string();
}

struct ProductSums {
    std::string name;
    double quantity = 0;
    double amount = 0;
    double tax = 0;
};

struct RawSummary {
    std::map<std::string, ProductSums> products;
    int unnamedLines = 0;   // lines that matched but have no product name
};

// The summary computed without the dialect: every raw line is read and the
// company, clerk, day and product name are checked here.
RawSummary summarizeRawLines(const std::string& dir, std::string_view code, std::string_view link,
                             const std::string& start, const std::string& end)
{
    std::map<std::string, std::string> names;
    {
        SqliteConnection host(dir + "/vuq.db", SqliteConnection::Mode::ReadOnly);
        SqliteStatement query = host.prepare("SELECT SPDM00, SPMC00 FROM GSTJYGL1");
        while (query.step())
            names[query.text(0)] = query.text(1);
    }
    std::string file;
    for (const DemoLink& candidate : kDemoLinks)
        if (candidate.name == link)
            file = std::string(candidate.fileName);

    const bool amounts = storesAmounts(code);
    SqliteConnection sales(dir + "/" + file, SqliteConnection::Mode::ReadOnly);
    SqliteStatement query = sales.prepare(
        amounts ? "SELECT SPDM00, GSDW00, YWRY00, YWRQ00, SL0000, JE0000, SE0000 FROM XSVXSFP0"
                : "SELECT SPDM00, GSDW00, YWRY00, CKRQ00, SL0000, DJIA00 FROM XSVGJFP0");
    RawSummary summary;
    while (query.step()) {
        const std::string day = query.text(3).substr(0, 10);
        if (query.text(1) != code || query.text(2) != "1000" || day < start || day > end)
            continue;
        const auto name = names.find(query.text(0));
        if (name == names.end()) {
            ++summary.unnamedLines;
            continue;
        }
        ProductSums& sums = summary.products[query.text(0)];
        sums.name = name->second;
        const double quantity = query.number(4);
        sums.quantity += quantity;
        sums.amount += amounts ? query.number(5) : quantity * query.number(5) * 1.17;
        sums.tax += amounts ? query.number(6) : quantity * query.number(5) * 0.17;
    }
    return summary;
}

void expectClose(double expected, double actual, const char* what)
{
    EXPECT_NEAR(expected, actual, 1e-9 * std::max(1.0, std::abs(expected))) << what;
}

class DemoDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(s_dir->isValid());
        DemoOptions options;
        options.outDir = dir();
        options.seed = kSeed;
        options.endDate = kEndDate;
        generateDemoData(options);
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    static std::string dir() { return s_dir->path().toStdString(); }

    static std::unique_ptr<qelvan::Database> open()
    {
        return qelvan::openEmbeddedDatabase(dir() + "/vuq.db", true);
    }

    static std::unique_ptr<QTemporaryDir> s_dir;
};

std::unique_ptr<QTemporaryDir> DemoDataTest::s_dir;

struct SummaryCase {
    const char* name;
    std::string_view code;
    std::string_view link;
    QDate start;
    QDate end;
    bool expectRows;
    bool expectCancelling;   // the product whose quantities cancel is in the result
    bool coversUnnamed;      // lines of the product without a name row must fall in the range
};

TEST_F(DemoDataTest, SummariesMatchTheRawLines)
{
    const QDate first = demoFirstDate(DemoSize::Small, kEndDate);
    const QDate cancelling = demoCancellingDate(kEndDate);
    const SummaryCase cases[] = {
        // The window opens on today: the default company already shows rows.
        {"default company, end day", kDefaultCompanyCode, "LNK1", kEndDate, kEndDate, true, false, false},
        {"stored amounts, one month", "135021020000", "LNK1", QDate(2024, 2, 15), kEndDate, true, true, false},
        {"stored amounts, leap day", "135021020000", "LNK1", QDate(2024, 2, 29), QDate(2024, 2, 29), true, false,
         false},
        {"stored amounts, every date including outliers", "135021230000", "LNK1", QDate(1900, 1, 1),
         QDate(2099, 12, 31), true, false, true},
        {"unit prices, one year", "135021030000", "LNK2", kEndDate.addYears(-1).addDays(1), kEndDate, true, true,
         true},
        {"unit prices, day whose sale was taken back", "135021030000", "LNK2", cancelling, cancelling, true, true,
         false},
        {"lone company, first day", kLoneCompanyCode, "LNK3", first, first, true, false, false},
        {"before the data", kDefaultCompanyCode, "LNK1", QDate(2010, 1, 1), QDate(2010, 12, 31), false, false,
         false},
    };
    const auto database = open();
    for (const SummaryCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string start = iso(c.start);
        const std::string end = iso(c.end);
        const RawSummary expected = summarizeRawLines(dir(), c.code, c.link, start, end);
        const qelvan::ResultSet result = database->execute(summaryStatement(c.code, c.link, start, end));

        std::vector<std::string> columns;
        for (const qelvan::Column& column : result.columns)
            columns.push_back(column.name);
        EXPECT_EQ((std::vector<std::string>{"SPDM00", "SL0000", "JE0000", "SE0000", "DJIA00", "BHSJE0", "SPMC00"}),
                  columns);
        EXPECT_EQ(c.expectRows, !result.rows.empty());
        if (c.coversUnnamed) {
            EXPECT_GT(expected.unnamedLines, 0);
        }
        EXPECT_EQ(c.expectCancelling, expected.products.count(std::string(kCancellingProductCode)) == 1);
        ASSERT_EQ(expected.products.size(), result.rows.size());

        for (const auto& row : result.rows) {
            const std::string code = text(row[0]);
            SCOPED_TRACE(code);
            const auto found = expected.products.find(code);
            ASSERT_NE(found, expected.products.end());
            const ProductSums& sums = found->second;
            EXPECT_EQ(sums.name, text(row[6]));
            expectClose(sums.quantity, number(row[1]), "SL0000");
            expectClose(sums.amount, number(row[2]), "JE0000");
            expectClose(sums.tax, number(row[3]), "SE0000");
            expectClose(sums.amount - sums.tax, number(row[5]), "BHSJE0");
            if (sums.quantity == 0)
                EXPECT_TRUE(isNull(row[4])) << "DJIA00 of a zero quantity";
            else
                expectClose(sums.amount / sums.quantity, number(row[4]), "DJIA00");
        }
    }
}

std::vector<std::string> column(const qelvan::ResultSet& result, const char* name)
{
    std::vector<std::string> values;
    const int index = result.columnIndex(name);
    for (const auto& row : result.rows)
        values.push_back(isNull(row[index]) ? "<null>" : text(row[index]));
    return values;
}

TEST_F(DemoDataTest, CompanyTableAnswersTheListStatements)
{
    const auto database = open();
    const auto list = [&](std::string_view code, const char* what) {
        return database->execute(std::string("SELECT ") + what
                                 + " FROM XTTGSSZ0 WHERE SJZBDM IN (SELECT ZBDM00 FROM XTTGSSZ0 WHERE GSDM00='"
                                 + std::string(code) + "')");
    };
    EXPECT_EQ((std::vector<std::string>{"江州市公司", "江州城区营销部", "江州开发区营销部", "青溪县营销部",
                                        "白沙县营销部", "石门县营销部", "云台县营销部"}),
              column(list(kDefaultCompanyCode, "GSJC00"), "GSJC00"));
    EXPECT_TRUE(list(kLoneCompanyCode, "SJZBDM").rows.empty());

    const auto lookup = [&](const char* name) {
        return database->execute(std::string("SELECT GSDM00,DBLINK FROM XTTGSSZ0 WHERE GSJC00='") + name + "'");
    };
    EXPECT_EQ(std::vector<std::string>{"<null>"}, column(lookup("云台县营销部"), "DBLINK"));
    EXPECT_EQ(std::vector<std::string>{std::string(kLoneCompanyCode)}, column(lookup("松岭市公司"), "GSDM00"));

    // Every link the company table names reaches a database holding both views.
    for (const DemoCompany& company : kDemoCompanies) {
        if (company.link.empty())
            continue;
        SCOPED_TRACE(std::string(company.link));
        for (const char* view : {"XSVXSFP0", "XSVGJFP0"})
            EXPECT_NO_THROW(database->execute("SELECT COUNT(*) FROM NEW." + std::string(view) + "@"
                                              + std::string(company.link)));
    }
}

// Every table of every file, row by row, folded into one number.
std::uint64_t contentDigest(const std::string& dir)
{
    std::uint64_t hash = 1469598103934665603ull;
    const auto mix = [&](const std::string& value) {
        for (unsigned char c : value)
            hash = (hash ^ c) * 1099511628211ull;
        hash = (hash ^ 0xff) * 1099511628211ull;
    };
    std::vector<std::string> files{"vuq.db"};
    for (const DemoLink& link : kDemoLinks)
        files.emplace_back(link.fileName);
    for (const std::string& file : files) {
        SqliteConnection connection(dir + "/" + file, SqliteConnection::Mode::ReadOnly);
        std::vector<std::string> tables;
        SqliteStatement list = connection.prepare("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name");
        while (list.step())
            tables.push_back(list.text(0));
        for (const std::string& table : tables) {
            mix(file + "/" + table);
            SqliteStatement rows = connection.prepare("SELECT * FROM \"" + table + "\" ORDER BY rowid");
            while (rows.step())
                for (int i = 0; i < rows.columnCount(); ++i)
                    mix(rows.isNull(i) ? "<null>" : rows.text(i));
        }
    }
    return hash;
}

TEST_F(DemoDataTest, SameSeedAndEndDateGiveTheSameData)
{
    QTemporaryDir again;
    QTemporaryDir otherSeed;
    DemoOptions options;
    options.seed = kSeed;
    options.endDate = kEndDate;
    options.outDir = again.path().toStdString();
    generateDemoData(options);
    options.seed = kSeed + 1;
    options.outDir = otherSeed.path().toStdString();
    generateDemoData(options);

    const std::uint64_t original = contentDigest(dir());
    EXPECT_EQ(original, contentDigest(again.path().toStdString()));
    EXPECT_NE(original, contentDigest(otherSeed.path().toStdString()));
}

TEST_F(DemoDataTest, RegeneratingReplacesEarlierFiles)
{
    QTemporaryDir folder;
    DemoOptions options;
    options.outDir = folder.path().toStdString();
    options.seed = 1;
    options.endDate = QDate(2020, 1, 31);
    generateDemoData(options);
    options.endDate = QDate(2020, 6, 30);
    generateDemoData(options);

    const auto stamp = readDemoStamp(options.outDir);
    ASSERT_TRUE(stamp.has_value());
    EXPECT_EQ(QDate(2020, 6, 30), stamp->endDate);
    const auto database = qelvan::openEmbeddedDatabase(options.outDir + "/vuq.db", true);
    const auto latest = database->execute("SELECT MAX(YWRQ00) FROM NEW.XSVXSFP0@LNK1 WHERE YWRQ00 < '2099'");
    EXPECT_EQ("2020-06-30 23:59:59", text(latest.rows.at(0).at(0)));
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("LNK1.db.part")));
}

} // namespace

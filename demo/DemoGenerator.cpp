#include "DemoGenerator.h"

#include "DemoCatalog.h"
#include "DemoRandom.h"
#include "SqliteConnection.h"

#include "db/OracleDialect.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <system_error>

namespace qelvan::demo {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kClerk = "1000";
constexpr std::string_view kOtherClerks[] = {"1001", "1002", "2000"};

// One of the two sales views every link database holds.
struct SalesView {
    std::string_view table;
    std::string_view dateColumn;
    bool amounts;   // stores amount and tax; otherwise the unit price before tax
};

constexpr SalesView kAmountView{"XSVXSFP0", "YWRQ00", true};
constexpr SalesView kPriceView{"XSVGJFP0", "CKRQ00", false};
constexpr SalesView kViews[] = {kAmountView, kPriceView};

// Dates far outside any range a clerk would ask for.
constexpr std::string_view kOutlierDates[] = {
    "1900-01-01 00:00:00", "1999-12-31 23:59:59", "2099-12-31 08:30:00"};

struct SizeProfile {
    int years;
    double linesPerCompanyDay;   // for a full company in the view it mainly uses
};

SizeProfile profile(DemoSize size)
{
    return size == DemoSize::Large ? SizeProfile{5, 220.0} : SizeProfile{3, 6.0};
}

constexpr double kSecondaryViewShare = 0.1;   // the view a company mainly does not use
constexpr double kForeignShare = 0.02;        // lines of companies that live elsewhere
constexpr double kTaxRate = 0.17;

double round2(double value)
{
    return std::round(value * 100.0) / 100.0;
}

// Carton prices rise a little every year.
double cartonPrice(const DemoProduct& product, int year)
{
    return std::max(1.0, std::round(product.cartonPrice * std::pow(1.03, year - 2020)));
}

std::string dayText(const QDate& day)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year(), day.month(), day.day());
    return text;
}

std::string timeText(const std::string& day, int second)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s %02d:%02d:%02d", day.c_str(), second / 3600, second / 60 % 60,
                  second % 60);
    return text;
}

class ProductPicker {
public:
    ProductPicker()
    {
        int total = 0;
        for (const DemoProduct& product : kDemoProducts) {
            total += product.weight;
            m_cumulative.push_back(total);
        }
    }
    const DemoProduct& pick(DemoRandom& random) const
    {
        const int ticket = random.below(m_cumulative.back());
        const auto found = std::upper_bound(m_cumulative.begin(), m_cumulative.end(), ticket);
        return kDemoProducts[found - m_cumulative.begin()];
    }

private:
    std::vector<int> m_cumulative;
};

struct SalesLine {
    int second = 0;   // time of day
    std::string_view company;
    std::string_view clerk;
    const DemoProduct* product = nullptr;
    double quantity = 0;
};

class SalesWriter {
public:
    SalesWriter(SqliteConnection& connection, const SalesView& view)
        : m_view(view)
        , m_insert(connection.prepare(
              view.amounts
                  ? "INSERT INTO XSVXSFP0 (SPDM00,SL0000,JE0000,SE0000,GSDW00,YWRY00,YWRQ00)"
                    " VALUES (?,?,?,?,?,?,?)"
                  : "INSERT INTO XSVGJFP0 (SPDM00,SL0000,DJIA00,GSDW00,YWRY00,CKRQ00) VALUES (?,?,?,?,?,?)"))
    {
    }

    void write(const SalesLine& line, int year, const std::string& dateTime)
    {
        const double price = cartonPrice(*line.product, year);
        int column = 1;
        m_insert.bind(column++, line.product->code);
        m_insert.bind(column++, line.quantity);
        if (m_view.amounts) {
            const double amount = round2(line.quantity * price);
            m_insert.bind(column++, amount);
            m_insert.bind(column++, round2(amount * kTaxRate / (1.0 + kTaxRate)));
        } else {
            m_insert.bind(column++, round2(price / (1.0 + kTaxRate)));
        }
        m_insert.bind(column++, line.company);
        m_insert.bind(column++, line.clerk);
        m_insert.bind(column++, dateTime);
        m_insert.step();
        m_insert.reset();
        ++m_rows;
    }

    long long rows() const { return m_rows; }

private:
    SalesView m_view;
    SqliteStatement m_insert;
    long long m_rows = 0;
};

int draws(DemoRandom& random, double expected)
{
    const double whole = std::floor(expected);
    return static_cast<int>(whole) + (random.unit() < expected - whole ? 1 : 0);
}

// Mostly a few cartons, now and then a large order or a return.
double quantity(DemoRandom& random)
{
    const int kind = random.below(100);
    if (kind < 2)
        return -random.between(1, 5);
    if (kind < 62)
        return random.between(1, 5);
    if (kind < 92)
        return random.between(6, 20);
    return random.between(21, 60);
}

int secondOfDay(DemoRandom& random)
{
    const int kind = random.below(100);
    if (kind == 0)
        return 0;
    if (kind == 1)
        return 86399;
    return random.between(8 * 3600, 18 * 3600 - 1);
}

class LinkWriter {
public:
    LinkWriter(const DemoOptions& options, const QDate& first, std::string_view link)
        : m_options(options), m_first(first), m_link(link)
    {
        for (const DemoCompany& company : kDemoCompanies) {
            if (company.link == link && company.volume > 0)
                m_companies.push_back(&company);
            else if (company.link != link)
                m_foreign.push_back(company.code);
        }
        m_foreign.push_back(kUnknownCompanyCode);
    }

    void write(SqliteConnection& connection, DemoSummary& summary)
    {
        connection.exec(
            "CREATE TABLE XSVXSFP0 (SPDM00 TEXT, SL0000 REAL, JE0000 REAL, SE0000 REAL,"
            " GSDW00 TEXT, YWRY00 TEXT, YWRQ00 TEXT);"
            "CREATE TABLE XSVGJFP0 (SPDM00 TEXT, SL0000 REAL, DJIA00 REAL,"
            " GSDW00 TEXT, YWRY00 TEXT, CKRQ00 TEXT);");
        for (const SalesView& view : kViews) {
            const long long rows = writeView(connection, view);
            summary.tables.push_back({std::string(m_link) + "." + std::string(view.table), rows});
            summary.salesRows += rows;
        }
        // Indexes after the rows: one sort instead of a million insertions.
        // The day index serves the summaries' TRUNC(date) ranges; the plain
        // one serves queries written on the raw date text.
        for (const SalesView& view : kViews) {
            const std::string table(view.table);
            const std::string date(view.dateColumn);
            connection.exec("CREATE INDEX " + table + "_DAY ON " + table + " (GSDW00, YWRY00, TRUNC(" + date
                            + "));"
                              "CREATE INDEX "
                            + table + "_TIME ON " + table + " (GSDW00, YWRY00, " + date + ");");
        }
    }

private:
    bool mainlyUses(const DemoCompany& company, const SalesView& view) const
    {
        return storesAmounts(company.code) == view.amounts;
    }

    long long writeView(SqliteConnection& connection, const SalesView& view)
    {
        DemoRandom random(DemoRandom::streamSeed(m_options.seed, std::string(m_link) + "/"
                                                                     + std::string(view.table)));
        SalesWriter writer(connection, view);
        const SizeProfile size = profile(m_options.size);
        const QDate cancellingDate = demoCancellingDate(m_options.endDate);
        std::vector<SalesLine> lines;

        for (QDate day = m_first; day <= m_options.endDate; day = day.addDays(1)) {
            lines.clear();
            const bool edge = day == m_first || day == m_options.endDate;
            const double weekday = day.dayOfWeek() == Qt::Sunday ? 0.6 : 1.0;
            for (const DemoCompany* company : m_companies) {
                const bool main = mainlyUses(*company, view);
                const double share = company->volume * (main ? 1.0 : kSecondaryViewShare);
                int count = draws(random, size.linesPerCompanyDay * share * weekday
                                              * (0.7 + 0.6 * random.unit()));
                if (main && edge)
                    count = std::max(count, 2);
                const size_t begin = lines.size();
                for (int i = 0; i < count; ++i)
                    lines.push_back(randomLine(random, company->code));
                // The first and the last day of the data hold sales at the
                // very first and last second, so range ends are visible.
                if (main && edge) {
                    lines[begin].second = 0;
                    lines[begin].clerk = kClerk;
                    lines.back().second = 86399;
                    lines.back().clerk = kClerk;
                }
            }
            const int foreign = draws(random, static_cast<double>(lines.size()) * kForeignShare);
            for (int i = 0; i < foreign; ++i)
                lines.push_back(randomLine(random, m_foreign[random.below(static_cast<int>(m_foreign.size()))]));
            if (day == cancellingDate)
                addCancellingSales(view, lines);

            std::stable_sort(lines.begin(), lines.end(),
                             [](const SalesLine& a, const SalesLine& b) { return a.second < b.second; });
            const std::string date = dayText(day);
            for (const SalesLine& line : lines)
                writer.write(line, day.year(), timeText(date, line.second));
        }

        for (const DemoCompany* company : m_companies) {
            if (!mainlyUses(*company, view))
                continue;
            for (std::string_view dateTime : kOutlierDates) {
                SalesLine line = randomLine(random, company->code);
                line.clerk = kClerk;
                writer.write(line, std::stoi(std::string(dateTime.substr(0, 4))), std::string(dateTime));
            }
        }
        return writer.rows();
    }

    SalesLine randomLine(DemoRandom& random, std::string_view company)
    {
        SalesLine line;
        line.second = secondOfDay(random);
        line.company = company;
        line.clerk = random.below(100) < 90 ? kClerk : kOtherClerks[random.below(3)];
        line.product = &m_products.pick(random);
        line.quantity = quantity(random);
        return line;
    }

    void addCancellingSales(const SalesView& view, std::vector<SalesLine>& lines) const
    {
        const DemoProduct* product = nullptr;
        for (const DemoProduct& candidate : kDemoProducts)
            if (candidate.code == kCancellingProductCode)
                product = &candidate;
        for (const DemoCancellingSale& sale : kCancellingSales) {
            if (sale.link != m_link || storesAmounts(sale.company) != view.amounts)
                continue;
            lines.push_back({10 * 3600 + 15 * 60, sale.company, kClerk, product, sale.quantity});
            lines.push_back({16 * 3600 + 40 * 60, sale.company, kClerk, product, -sale.quantity});
        }
    }

    const DemoOptions& m_options;
    QDate m_first;
    std::string_view m_link;
    std::vector<const DemoCompany*> m_companies;
    std::vector<std::string_view> m_foreign;
    ProductPicker m_products;
};

void bindOrNull(SqliteStatement& statement, int index, std::string_view text)
{
    if (text.empty())
        statement.bindNull(index);
    else
        statement.bind(index, text);
}

void writeHost(SqliteConnection& connection, const DemoOptions& options, const QDate& first)
{
    connection.exec(
        "CREATE TABLE XTTGSSZ0 (GSDM00 TEXT, GSJC00 TEXT, ZBDM00 TEXT, SJZBDM TEXT, DBLINK TEXT);"
        "CREATE TABLE GSTJYGL1 (SPDM00 TEXT, SPMC00 TEXT, JLDW00 TEXT);"
        "CREATE UNIQUE INDEX GSTJYGL1_SPDM00 ON GSTJYGL1 (SPDM00);"
        "CREATE TABLE DB_LINKS (DB_LINK TEXT, FILE_NAME TEXT);"
        "CREATE TABLE DEMO_INFO (NAME TEXT, VALUE TEXT);");

    SqliteStatement company = connection.prepare("INSERT INTO XTTGSSZ0 VALUES (?,?,?,?,?)");
    for (const DemoCompany& row : kDemoCompanies) {
        company.bind(1, row.code);
        company.bind(2, row.shortName);
        bindOrNull(company, 3, row.headOffice);
        bindOrNull(company, 4, row.attachedTo);
        bindOrNull(company, 5, row.link);
        company.step();
        company.reset();
    }

    SqliteStatement product = connection.prepare("INSERT INTO GSTJYGL1 VALUES (?,?,?)");
    for (const DemoProduct& row : kDemoProducts) {
        if (row.name.empty())
            continue;
        product.bind(1, row.code);
        product.bind(2, row.name);
        product.bind(3, row.code.substr(0, 2) == "12" ? "盒" : "条");
        product.step();
        product.reset();
    }

    SqliteStatement link = connection.prepare("INSERT INTO DB_LINKS VALUES (?,?)");
    for (const DemoLink& row : kDemoLinks) {
        link.bind(1, row.name);
        link.bind(2, row.fileName);
        link.step();
        link.reset();
    }

    SqliteStatement info = connection.prepare("INSERT INTO DEMO_INFO VALUES (?,?)");
    const std::pair<std::string, std::string> stamp[] = {
        {"seed", std::to_string(options.seed)},
        {"size", std::string(sizeName(options.size))},
        {"end_date", dayText(options.endDate)},
        {"first_date", dayText(first)},
    };
    for (const auto& [name, value] : stamp) {
        info.bind(1, name);
        info.bind(2, value);
        info.step();
        info.reset();
    }
}

// Opens a fresh database at a temporary name next to `target`; commit()
// finishes it and renames it over the target.
class FreshDatabase {
public:
    explicit FreshDatabase(fs::path target)
        : m_target(std::move(target)), m_part(m_target.string() + ".part")
    {
        std::error_code ignored;
        fs::remove(m_part, ignored);
        m_connection.emplace(m_part.string(), SqliteConnection::Mode::ReadWriteCreate);
        if (const int rc = db::registerOracleFunctions(m_connection->handle()); rc != 0)
            throw SqliteError("cannot register the date functions (SQLite error " + std::to_string(rc) + ")");
        // A half-written file is thrown away, so durability buys nothing here.
        m_connection->exec(
            "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA locking_mode=EXCLUSIVE;"
            "PRAGMA cache_size=-65536; PRAGMA temp_store=MEMORY; BEGIN;");
    }
    ~FreshDatabase()
    {
        if (m_connection) {
            m_connection.reset();
            std::error_code ignored;
            fs::remove(m_part, ignored);
        }
    }
    FreshDatabase(const FreshDatabase&) = delete;
    FreshDatabase& operator=(const FreshDatabase&) = delete;

    SqliteConnection& connection() { return *m_connection; }

    void commit()
    {
        m_connection->exec("COMMIT; ANALYZE;");
        m_connection.reset();
        fs::rename(m_part, m_target);
    }

private:
    fs::path m_target;
    fs::path m_part;
    std::optional<SqliteConnection> m_connection;
};

} // namespace

std::string_view sizeName(DemoSize size)
{
    return size == DemoSize::Large ? "large" : "small";
}

std::optional<DemoSize> parseSize(std::string_view name)
{
    if (name == "small")
        return DemoSize::Small;
    if (name == "large")
        return DemoSize::Large;
    return std::nullopt;
}

QDate demoFirstDate(DemoSize size, const QDate& endDate)
{
    return endDate.addYears(-profile(size).years).addDays(1);
}

QDate demoCancellingDate(const QDate& endDate)
{
    return endDate.addDays(-1);
}

DemoSummary generateDemoData(const DemoOptions& options)
{
    if (!options.endDate.isValid() || options.endDate.year() < 1901 || options.endDate.year() > 9999)
        throw std::runtime_error("the end date is not a valid date");
    if (options.outDir.empty())
        throw std::runtime_error("no output folder given");

    const fs::path dir(options.outDir);
    std::error_code error;
    fs::create_directories(dir, error);
    if (error)
        throw std::runtime_error("cannot create " + dir.string() + ": " + error.message());

    DemoSummary summary;
    summary.firstDate = demoFirstDate(options.size, options.endDate);

    // A host database left from an earlier run would point at link files
    // about to be replaced: it goes first and comes back last.
    fs::remove(dir / kHostFileName, error);

    for (const DemoLink& link : kDemoLinks) {
        FreshDatabase file(dir / link.fileName);
        LinkWriter(options, summary.firstDate, link.name).write(file.connection(), summary);
        file.commit();
    }

    FreshDatabase host(dir / kHostFileName);
    writeHost(host.connection(), options, summary.firstDate);
    host.commit();
    return summary;
}

std::optional<DemoOptions> readDemoStamp(const std::string& dir)
{
    const fs::path host = fs::path(dir) / kHostFileName;
    std::error_code error;
    if (!fs::exists(host, error))
        return std::nullopt;
    try {
        SqliteConnection connection(host.string(), SqliteConnection::Mode::ReadOnly);
        SqliteStatement query = connection.prepare("SELECT NAME, VALUE FROM DEMO_INFO");
        std::map<std::string, std::string> values;
        while (query.step())
            values[query.text(0)] = query.text(1);
        const std::optional<DemoSize> size = parseSize(values["size"]);
        if (!size || values["seed"].empty())
            return std::nullopt;
        DemoOptions options;
        options.outDir = dir;
        options.seed = std::stoull(values["seed"]);
        options.size = *size;
        options.endDate = QDate::fromString(QString::fromStdString(values["end_date"]), Qt::ISODate);
        for (const DemoLink& link : kDemoLinks)
            if (!fs::exists(fs::path(dir) / link.fileName, error))
                return std::nullopt;
        return options;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace qelvan::demo

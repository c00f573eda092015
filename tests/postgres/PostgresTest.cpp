// The window's company statements through the host's session on a real
// client-server database: PostgreSQL behind the Qt SQL backend.

#include "PluginDriver.h"

#include <qelvan/backends.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <cstdlib>

#include <unistd.h>

namespace {

using qelvan::test::parameters;
using qelvan::test::PluginDriver;

constexpr const char* kWindowConnection = "qelvan-pg-window";
constexpr const char* kAdminConnection = "qelvan-pg-admin";

QString setting(const char* name)
{
    const char* value = std::getenv(name);
    return value ? QString::fromLocal8Bit(value) : QString();
}

QSqlDatabase connect(const char* name)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QString::fromLatin1(name));
    db.setHostName(setting("QELVAN_TEST_PG_HOST"));
    db.setPort(setting("QELVAN_TEST_PG_PORT").toInt());
    db.setUserName(setting("QELVAN_TEST_PG_USER"));
    db.setDatabaseName(QStringLiteral("postgres"));
    db.open();
    return db;
}

void run(QSqlDatabase& db, const QString& statement)
{
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(statement)) << statement.toStdString() << ": " << q.lastError().text().toStdString();
}

class PostgresTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (setting("QELVAN_TEST_PG_HOST").isEmpty())
            GTEST_SKIP() << "no PostgreSQL server (scripts/test starts one)";
        admin = connect(kAdminConnection);
        if (!admin.isOpen())
            GTEST_SKIP() << "PostgreSQL server not reachable: " << admin.lastError().text().toStdString();
        // CTest runs these tests side by side on one server: each process
        // keeps its tables in a schema of its own.
        schema = QStringLiteral("qelvan_test_%1").arg(::getpid());
        run(admin, QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
        run(admin, QStringLiteral("CREATE SCHEMA %1").arg(schema));
        run(admin, QStringLiteral("SET search_path TO %1").arg(schema));
        run(admin, "CREATE TABLE XTTGSSZ0(GSDM00 VARCHAR(12), GSJC00 VARCHAR(30), ZBDM00 VARCHAR(12), "
                   "SJZBDM VARCHAR(12), DBLINK VARCHAR(30))");
        run(admin, "INSERT INTO XTTGSSZ0 VALUES "
                   "('135021000000', '江州市公司', 'Z1', 'Z1', 'LNK1'), "
                   "('135021060000', NULL, 'Z1', 'Z1', NULL), "
                   "('135021070000', 'O''Neil营销部', 'Z1', 'Z1', NULL), "
                   "('135031000000', NULL, 'Z3', NULL, 'LNK3')");
        window = connect(kWindowConnection);
        ASSERT_TRUE(window.isOpen());
        run(window, QStringLiteral("SET search_path TO %1").arg(schema));
        session.add("VUQ", qelvan::wrapQtSqlConnection(kWindowConnection));
    }

    void TearDown() override
    {
        if (admin.isOpen() && !schema.isEmpty())
            QSqlQuery(admin).exec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
        window = QSqlDatabase();
        admin = QSqlDatabase();
        QSqlDatabase::removeDatabase(QString::fromLatin1(kWindowConnection));
        QSqlDatabase::removeDatabase(QString::fromLatin1(kAdminConnection));
    }

    static QStringList items(const TFm_Main& w)
    {
        QStringList out;
        for (int i = 0; i < w.cob_gsmc->count(); ++i)
            out << w.cob_gsmc->itemText(i);
        return out;
    }

    QString schema;
    QSqlDatabase admin;
    QSqlDatabase window;
    qelvan::SimpleSession session;
};

TEST_F(PostgresTest, CompanyListReadsNullNamesAsEmptyText)
{
    struct Case {
        const char* code;
        QStringList list;
    };
    const Case cases[] = {
        {"135021000000", {"江州市公司", "", "O'Neil营销部"}},   // head office with companies attached
        {"135031000000", {""}},                                  // own company, NULL short name
        {"135099000000", {""}},                                  // a code the table does not hold
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        PluginDriver driver;
        QStringList list;
        ASSERT_TRUE(driver.call(session, parameters(c.code), [&](TFm_Main& w, Tdm&) { list = items(w); }));
        // The server gives no order without ORDER BY; the list shows what it gets.
        EXPECT_EQ(QSet<QString>(list.begin(), list.end()), QSet<QString>(c.list.begin(), c.list.end()));
        EXPECT_EQ(list.size(), c.list.size());
        EXPECT_TRUE(driver.boxes.empty()) << driver.boxes.front().text.toStdString();
    }
}

TEST_F(PostgresTest, CompanyWithoutLinkOrWithQuotesQueriesNothingAndStaysQuiet)
{
    PluginDriver driver;
    int rows = -1;
    ASSERT_TRUE(driver.call(session, parameters("135021000000"), [&](TFm_Main& w, Tdm& data) {
        for (const QString& name : {QStringLiteral("O'Neil营销部"), QString()}) {
            ASSERT_TRUE(PluginDriver::query(w, name));
            rows = data.qry_xstgjfp1->recordCount();
        }
    }));
    EXPECT_EQ(rows, 0);
    // The empty name asks for a company; the quoted one looks up without error.
    ASSERT_EQ(driver.boxes.size(), 1u);
    EXPECT_EQ(driver.boxes[0].text, QStringLiteral("请选择公司名称！"));
}

TEST_F(PostgresTest, DroppedConnectionShowsTheServerErrorAndTheWindowStaysOpen)
{
    QSqlQuery pid(window);
    ASSERT_TRUE(pid.exec(QStringLiteral("SELECT pg_backend_pid()")) && pid.next());
    const int backend = pid.value(0).toInt();

    PluginDriver driver;
    bool openAfterError = false;
    QStringList listAfterError;
    ASSERT_TRUE(driver.call(session, parameters("135021000000"), [&](TFm_Main& w, Tdm&) {
        QSqlQuery kill(admin);
        ASSERT_TRUE(kill.exec(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(backend)));
        ASSERT_TRUE(PluginDriver::query(w, QStringLiteral("江州市公司")));
        openAfterError = w.isVisible();
        listAfterError = items(w);
    }));
    EXPECT_TRUE(openAfterError);
    EXPECT_EQ(listAfterError.size(), 3);
    ASSERT_EQ(driver.boxes.size(), 1u);
    EXPECT_EQ(driver.boxes[0].icon, qelvan::app::MessageIcon::Error);
    const QString text = driver.boxes[0].text;
    EXPECT_TRUE(text.contains(QStringLiteral("terminat"), Qt::CaseInsensitive)
                || text.contains(QStringLiteral("connection"), Qt::CaseInsensitive))
        << text.toStdString();
}

TEST_F(PostgresTest, StatementErrorOnTheServerIsShownAndTheWindowStillOpens)
{
    // The company code is a number on this server: a code that is not one
    // fails in the server, not in the plug-in.
    run(admin, "ALTER TABLE XTTGSSZ0 ALTER COLUMN GSDM00 TYPE NUMERIC(12) USING GSDM00::NUMERIC");
    PluginDriver driver;
    bool shown = false;
    ASSERT_TRUE(driver.call(session, parameters("A'1"), [&](TFm_Main& w, Tdm&) { shown = w.isVisible(); }));
    EXPECT_TRUE(shown);
    ASSERT_EQ(driver.boxes.size(), 1u);
    EXPECT_EQ(driver.boxes[0].icon, qelvan::app::MessageIcon::Error);
    EXPECT_TRUE(driver.boxes[0].text.contains(QStringLiteral("A'1"))) << driver.boxes[0].text.toStdString();
    // The connection survives a statement error: the next call works.
    PluginDriver second;
    QStringList list;
    ASSERT_TRUE(second.call(session, parameters("135021000000"), [&](TFm_Main& w, Tdm&) { list = items(w); }));
    EXPECT_EQ(list.size(), 3);
    EXPECT_TRUE(second.boxes.empty());
}

} // namespace

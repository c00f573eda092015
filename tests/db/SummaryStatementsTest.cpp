// The plug-in's statements, unchanged, against a small company database whose
// sums are known: company lookups on the host database and the per-product
// summaries read through a database link.

#include "TestDatabases.h"

#include "db/Query.h"

#include <qelvan/backends.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using qelvan::db::FieldType;
using qelvan::db::Query;

// Stored amounts, business date YWRQ00.
std::string amountStatement(const std::string& link, const std::string& code, const std::string& start,
                            const std::string& end, bool guarded)
{
    const std::string divisor = guarded ? "NULLIF(SUM(SL0000),0)" : "SUM(SL0000)";
    return "SELECT A.SPDM00,SUM(SL0000) SL0000,SUM(JE0000) JE0000,SUM(SE0000) SE0000, SUM(JE0000)/" + divisor
           + " DJIA00,SUM(JE0000)-SUM(SE0000) BHSJE0,B.SPMC00 FROM  NEW.XSVXSFP0@" + link + " A,GSTJYGL1 B"
           + " WHERE A.SPDM00=B.SPDM00" + " AND A.GSDW00='" + code + "' AND A.YWRY00='1000'"
           + " AND TRUNC(A.YWRQ00)>=TO_DATE('" + start + "','YYYY-MM-DD')"
           + " AND TRUNC(A.YWRQ00)<=TO_DATE('" + end + "','YYYY-MM-DD')" + " GROUP BY A.SPDM00,B.SPMC00";
}

// Unit prices, amounts derived at 17 % tax, outbound date CKRQ00.
std::string priceStatement(const std::string& link, const std::string& code, const std::string& start,
                           const std::string& end, bool guarded)
{
    const std::string divisor = guarded ? "NULLIF(SUM(SL0000),0)" : "SUM(SL0000)";
    return "SELECT A.SPDM00,SUM(SL0000) SL0000,SUM(SL0000*DJIA00*1.17) JE0000,SUM(SL0000*DJIA00*0.17) SE0000,"
           " SUM(SL0000*DJIA00*1.17)/" + divisor
           + " DJIA00,SUM(SL0000*DJIA00*1.17)-SUM(SL0000*DJIA00*0.17) BHSJE0,B.SPMC00 FROM  NEW.XSVGJFP0@" + link
           + " A,GSTJYGL1 B" + " WHERE A.SPDM00=B.SPDM00" + " AND A.GSDW00='" + code + "' AND A.YWRY00='1000'"
           + " AND TRUNC(A.CKRQ00)>=TO_DATE('" + start + "','YYYY-MM-DD')"
           + " AND TRUNC(A.CKRQ00)<=TO_DATE('" + end + "','YYYY-MM-DD')" + " GROUP BY A.SPDM00,B.SPMC00";
}

class SummaryStatements : public ::testing::Test {
protected:
    void SetUp() override
    {
        qelvan::test::writeDatabase(m_folder.file("vuq.db"), R"(
            CREATE TABLE XTTGSSZ0(GSDM00 VARCHAR(12), GSJC00 VARCHAR(20), ZBDM00 VARCHAR(12), SJZBDM VARCHAR(12), DBLINK VARCHAR(30));
            INSERT INTO XTTGSSZ0 VALUES('A1', '总部', 'Z1', 'Z1', NULL);
            INSERT INTO XTTGSSZ0 VALUES('135021020000', '一分公司', NULL, 'Z1', 'LNK1');
            INSERT INTO XTTGSSZ0 VALUES('135021020001', '二分公司', NULL, 'Z1', 'LNK1');
            INSERT INTO XTTGSSZ0 VALUES('B9', '别家公司', 'Z9', 'Z9', 'LNK1');
            CREATE TABLE GSTJYGL1(SPDM00 VARCHAR(8), SPMC00 VARCHAR(30));
            INSERT INTO GSTJYGL1 VALUES('P001', '甲品'), ('P002', '乙品'), ('P003', '丙品');
            CREATE TABLE DB_LINKS(DB_LINK TEXT, FILE_NAME TEXT);
            INSERT INTO DB_LINKS VALUES('LNK1', 'sales1.db');
        )");
        // Quantities and amounts are REAL: SQLite divides integers as integers.
        qelvan::test::writeDatabase(m_folder.file("sales1.db"), R"(
            CREATE TABLE XSVXSFP0(SPDM00 VARCHAR(8), SL0000 REAL, JE0000 REAL, SE0000 REAL, GSDW00 VARCHAR(12), YWRY00 VARCHAR(4), YWRQ00 DATE);
            CREATE INDEX XSVXSFP0_DAY ON XSVXSFP0(TRUNC(YWRQ00));
            INSERT INTO XSVXSFP0 VALUES
              ('P001', 2, 234, 34, '135021020000', '1000', '2004-05-12 09:30:00'),
              ('P001', 3, 351, 51, '135021020000', '1000', '2004-05-12'),
              ('P001', 1, 117, 17, '135021020000', '1000', '2004-05-13 00:00:00'),
              ('P001', 5, 585, 85, '135021020000', '1000', '2004-05-11 23:59:59'),
              ('P001', 4, 468, 68, '135021020000', '2000', '2004-05-12 10:00:00'),
              ('P002', 10, 1000, 145.3, '135021020000', '1000', '2004-05-12 18:00:00'),
              ('P003', 1, 50, 5, '135021020000', '1000', '2004-05-12 08:00:00'),
              ('P003', -1, -50, -5, '135021020000', '1000', '2004-05-12'),
              ('P004', 7, 700, 100, '135021020000', '1000', '2004-05-12'),
              ('P001', 9, 900, 90, '135021000000', '1000', '2004-05-12');
            CREATE TABLE XSVGJFP0(SPDM00 VARCHAR(8), SL0000 REAL, DJIA00 REAL, GSDW00 VARCHAR(12), YWRY00 VARCHAR(4), CKRQ00 DATE);
            INSERT INTO XSVGJFP0 VALUES
              ('P001', 2, 100, '135021020001', '1000', '2004-05-12 11:00:00'),
              ('P001', 3, 200, '135021020001', '1000', '2004-05-12'),
              ('P001', 1, 50, '135021020001', '1000', '2004-05-13'),
              ('P002', 4, 25, '135021020001', '1000', '2004-05-12 23:59:59'),
              ('P002', 4, 25, '135021020001', '9999', '2004-05-12');
        )");
        m_session.add("VUQ", qelvan::openEmbeddedDatabase(m_folder.file("vuq.db"), true));
        qelvan::db::setDefaultSession(&m_session);

        m_temp.setDatabaseName("VUQ");
        m_summary.setDatabaseName("VUQ");
        const std::pair<const char*, FieldType> fields[] = {
            {"SPDM00", FieldType::String}, {"SL0000", FieldType::Float}, {"JE0000", FieldType::Float},
            {"SE0000", FieldType::Float},  {"SPMC00", FieldType::String}, {"DJIA00", FieldType::Float},
            {"BHSJE0", FieldType::Float},
        };
        for (const auto& [column, type] : fields)
            m_summary.addField({QStringLiteral("qry_xstgjfp1") + column, column, type,
                                type == FieldType::String ? (column == std::string("SPDM00") ? 8 : 30) : 0});
    }
    void TearDown() override { qelvan::db::setDefaultSession(nullptr); }

    static void openQuery(Query& query, const std::string& statement)
    {
        query.close();
        query.sql().clear();
        query.sql().append(QString::fromStdString(statement));
        query.open();
    }

    // Every row as "field=value|...", sorted: the database chooses the order.
    static QStringList rowsOf(const Query& query)
    {
        QStringList rows;
        for (int r = 0; r < query.recordCount(); ++r) {
            QStringList cells;
            for (int f = 0; f < query.fieldCount(); ++f)
                cells << query.fieldName(f) + "=" + query.text(r, f);
            rows << cells.join('|');
        }
        rows.sort();
        return rows;
    }

    qelvan::test::Folder m_folder;
    qelvan::SimpleSession m_session;
    Query m_temp;
    Query m_summary;
};

TEST_F(SummaryStatements, CompanyLookupsRunUnchanged)
{
    openQuery(m_temp, "SELECT SJZBDM FROM XTTGSSZ0 WHERE SJZBDM IN (SELECT ZBDM00 FROM XTTGSSZ0 WHERE GSDM00='A1')");
    EXPECT_EQ(rowsOf(m_temp), QStringList({"SJZBDM=Z1", "SJZBDM=Z1", "SJZBDM=Z1"}));
    openQuery(m_temp, "SELECT GSJC00 FROM XTTGSSZ0 WHERE SJZBDM IN (SELECT ZBDM00 FROM XTTGSSZ0 WHERE GSDM00='A1')");
    EXPECT_EQ(rowsOf(m_temp), QStringList({"GSJC00=一分公司", "GSJC00=二分公司", "GSJC00=总部"}));
    openQuery(m_temp, "SELECT GSJC00 FROM XTTGSSZ0 WHERE GSDM00='A1'");
    EXPECT_EQ(m_temp.asString("GSJC00"), "总部");
    openQuery(m_temp, "SELECT GSDM00,DBLINK FROM XTTGSSZ0 WHERE GSJC00='总部'");
    EXPECT_EQ(m_temp.asString("GSDM00"), "A1");
    EXPECT_EQ(m_temp.asString("DBLINK"), "");
}

TEST_F(SummaryStatements, StoredAmountsSumPerProductWithinTheDays)
{
    const QStringList expected = {
        "SPDM00=P001|SL0000=5|JE0000=585|SE0000=85|SPMC00=甲品|DJIA00=117|BHSJE0=500",
        "SPDM00=P002|SL0000=10|JE0000=1000|SE0000=145.3|SPMC00=乙品|DJIA00=100|BHSJE0=854.7",
        "SPDM00=P003|SL0000=0|JE0000=0|SE0000=0|SPMC00=丙品|DJIA00=|BHSJE0=0",
    };
    for (const bool guarded : {true, false}) {
        SCOPED_TRACE(guarded ? "NULLIF" : "plain");
        openQuery(m_summary, amountStatement("LNK1", "135021020000", "2004-05-12", "2004-05-12", guarded));
        EXPECT_EQ(rowsOf(m_summary), expected);
    }
    // Dates as a locale may write them read the same.
    openQuery(m_summary, amountStatement("lnk1", "135021020000", "2004/5/12", "2004/5/12", true));
    EXPECT_EQ(rowsOf(m_summary), expected);

    openQuery(m_summary, amountStatement("LNK1", "135021020000", "2004-05-11", "2004-05-13", true));
    EXPECT_EQ(rowsOf(m_summary).first(), "SPDM00=P001|SL0000=11|JE0000=1287|SE0000=187|SPMC00=甲品|DJIA00=117|BHSJE0=1100");
}

TEST_F(SummaryStatements, UnitPricesDeriveAmountsAtSeventeenPercent)
{
    for (const bool guarded : {true, false}) {
        SCOPED_TRACE(guarded ? "NULLIF" : "plain");
        openQuery(m_summary, priceStatement("LNK1", "135021020001", "2004-05-12", "2004-05-12", guarded));
        EXPECT_EQ(rowsOf(m_summary), QStringList({
            "SPDM00=P001|SL0000=5|JE0000=936|SE0000=136|SPMC00=甲品|DJIA00=187.2|BHSJE0=800",
            "SPDM00=P002|SL0000=4|JE0000=117|SE0000=17|SPMC00=乙品|DJIA00=29.25|BHSJE0=100",
        }));
    }
}

TEST_F(SummaryStatements, FailuresLeaveTheSummaryClosed)
{
    openQuery(m_summary, amountStatement("LNK1", "135021020000", "2004-05-12", "2004-05-12", true));
    const std::pair<std::string, std::string> cases[] = {
        {amountStatement("LNK7", "135021020000", "2004-05-12", "2004-05-12", true), "Unknown database link 'LNK7'"},
        {amountStatement("LNK1", "135021020000", "2004-13-12", "2004-05-12", true),
         "TO_DATE: cannot read '2004-13-12' with format 'YYYY-MM-DD': month must be between 1 and 12"},
        {"SELECT SPDM00,SL0000,JE0000,SE0000,SL0000 DJIA00,SPDM00 SPMC00 FROM NEW.XSVXSFP0@LNK1",
         "Field 'BHSJE0' not found"},
    };
    for (const auto& [statement, message] : cases) {
        SCOPED_TRACE(message);
        try {
            openQuery(m_summary, statement);
            ADD_FAILURE() << "opened";
        } catch (const qelvan::DatabaseError& e) {
            EXPECT_EQ(e.what(), message);
        }
        EXPECT_FALSE(m_summary.active());
        EXPECT_EQ(m_summary.recordCount(), 0);
    }
}

TEST_F(SummaryStatements, DayRangeUsesTheIndexOnTruncatedDates)
{
    auto& db = m_session.database("VUQ");
    const auto plan = db.execute(
        "EXPLAIN QUERY PLAN " + amountStatement("LNK1", "135021020000", "2004-05-12", "2004-05-12", true));
    const int detail = plan.columnIndex("detail");
    ASSERT_GE(detail, 0);
    std::string details;
    for (const auto& row : plan.rows)
        details += std::get<std::string>(row[size_t(detail)]) + "\n";
    EXPECT_NE(details.find("USING INDEX XSVXSFP0_DAY (<expr>>? AND <expr><?)"), std::string::npos) << details;
}

} // namespace

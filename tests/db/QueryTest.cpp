// Query over the default session: binding of declared fields, the cursor,
// reopening with another statement.

#include "db/Query.h"

#include <qelvan/backends.h>

#include <gtest/gtest.h>

namespace {

using qelvan::DatabaseError;
using qelvan::db::FieldDef;
using qelvan::db::FieldType;
using qelvan::db::Query;

class QueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto db = qelvan::openEmbeddedDatabase(":memory:");
        db->execute("CREATE TABLE S(SPDM00 VARCHAR(8), SL0000 REAL, N INTEGER, NOTE VARCHAR(10), E)");
        db->execute("INSERT INTO S VALUES('P1', 1.5, 1, NULL, NULL), ('P2', 2.5, 2, 'two', NULL),"
                    " ('P3', NULL, 3, 'three', NULL)");
        m_session.add("VUQ", std::move(db));
        qelvan::db::setDefaultSession(&m_session);
        m_query.setDatabaseName("VUQ");
    }
    void TearDown() override { qelvan::db::setDefaultSession(nullptr); }

    void reopen(const QString& statement)
    {
        m_query.close();
        m_query.sql().clear();
        m_query.sql().append(statement);
        m_query.open();
    }

    std::string openError(const QString& statement)
    {
        try {
            reopen(statement);
        } catch (const DatabaseError& e) {
            return e.what();
        }
        return "opened";
    }

    qelvan::SimpleSession m_session;
    Query m_query;
};

TEST_F(QueryTest, ReadsFieldsByNameWithNullAsEmptyOrZero)
{
    reopen("SELECT SPDM00, SL0000, N, NOTE FROM S ORDER BY SPDM00");
    EXPECT_EQ(m_query.recordCount(), 3);
    EXPECT_EQ(m_query.fieldCount(), 4);
    EXPECT_EQ(m_query.fieldType(m_query.fieldIndex("sl0000")), FieldType::Float);
    EXPECT_EQ(m_query.fieldType(m_query.fieldIndex("N")), FieldType::Integer);

    EXPECT_EQ(m_query.asString("SPDM00"), "P1");
    EXPECT_EQ(m_query.asString("note"), "");
    EXPECT_TRUE(m_query.isNull("NOTE"));
    EXPECT_EQ(m_query.asFloat("SL0000"), 1.5);
    EXPECT_EQ(m_query.asString("SL0000"), "1.5");
    m_query.moveTo(2);
    EXPECT_EQ(m_query.asFloat("SL0000"), 0.0);
    EXPECT_EQ(m_query.asString("SL0000"), "");
    EXPECT_EQ(m_query.asString("N"), "3");
    EXPECT_EQ(m_query.text(1, 3), "two");
    EXPECT_EQ(m_query.number(1, 1), 2.5);
    EXPECT_THROW(m_query.asFloat("NOTE"), DatabaseError);   // 'three' is no number
    try {
        m_query.asString("NOPE");
        ADD_FAILURE() << "read an unknown field";
    } catch (const DatabaseError& e) {
        EXPECT_STREQ(e.what(), "Field 'NOPE' not found");
    }
}

TEST_F(QueryTest, CursorWalksTheRowsAndSignalsEachMove)
{
    std::vector<int> moves;
    QObject::connect(&m_query, &Query::currentRowChanged, [&](int row) { moves.push_back(row); });
    EXPECT_TRUE(m_query.eof());
    EXPECT_EQ(m_query.recNo(), -1);

    reopen("SELECT SPDM00 FROM S ORDER BY SPDM00");
    QStringList seen;
    for (m_query.first(); !m_query.eof(); m_query.next())
        seen << m_query.asString("SPDM00");
    EXPECT_EQ(seen, QStringList({"P1", "P2", "P3"}));
    EXPECT_EQ(m_query.recNo(), 2);   // stepping off the end stays on the last row
    m_query.moveTo(7);
    EXPECT_EQ(m_query.recNo(), 2);
    EXPECT_FALSE(m_query.eof());
    m_query.first();
    EXPECT_EQ(moves, std::vector<int>({0, 1, 2, 0}));

    reopen("SELECT SPDM00 FROM S WHERE 0");
    EXPECT_TRUE(m_query.active());
    EXPECT_TRUE(m_query.isEmpty());
    EXPECT_TRUE(m_query.eof());
    EXPECT_EQ(m_query.asString("SPDM00"), "");
}

TEST_F(QueryTest, ReopeningWithAnotherStatementDiscardsTheOldResult)
{
    int opened = 0, closed = 0;
    QObject::connect(&m_query, &Query::opened, [&] { ++opened; });
    QObject::connect(&m_query, &Query::closed, [&] { ++closed; });

    reopen("SELECT SPDM00 FROM S");
    m_query.next();
    m_query.open();   // already open: nothing happens
    EXPECT_EQ(m_query.recNo(), 1);

    reopen("SELECT NOTE, N FROM S WHERE N = 2");
    EXPECT_EQ(m_query.recordCount(), 1);
    EXPECT_EQ(m_query.recNo(), 0);
    EXPECT_EQ(m_query.fieldCount(), 2);
    EXPECT_EQ(m_query.fieldIndex("SPDM00"), -1);
    EXPECT_EQ(m_query.asString("NOTE"), "two");
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(closed, 1);

    // A failed open leaves the query closed with the new statement.
    EXPECT_EQ(openError("SELECT * FROM NOPE"), "no such table: NOPE");
    EXPECT_FALSE(m_query.active());
    EXPECT_EQ(m_query.recordCount(), 0);
    EXPECT_EQ(m_query.sql(), QStringList("SELECT * FROM NOPE"));
}

TEST_F(QueryTest, DeclaredFieldsBindByColumnNameOrRefuseToOpen)
{
    m_query.addField({"qSPDM00", "SPDM00", FieldType::String, 8});
    m_query.addField({"qSL0000", "SL0000", FieldType::Float, 0});
    struct Case {
        const char* statement;
        const char* outcome;
    } cases[] = {
        {"SELECT SL0000, SPDM00, N FROM S", "opened"},
        {"SELECT N SL0000, SPDM00 FROM S", "opened"},                // integer column, float field
        {"SELECT E SL0000, E SPDM00 FROM S", "opened"},              // all NULL: type unknown
        {"SELECT SPDM00 || 'long text' SPDM00, SL0000 FROM S", "opened"},   // lengths not compared
        {"SELECT SPDM00 FROM S", "Field 'SL0000' not found"},
        {"SELECT SPDM00, NOTE SL0000 FROM S", "Type mismatch for field 'SL0000', expecting: Float actual: String"},
        {"SELECT SL0000 SPDM00, SL0000 FROM S", "Type mismatch for field 'SPDM00', expecting: String actual: Float"},
        {"SELECT N SPDM00, SL0000 FROM S", "Type mismatch for field 'SPDM00', expecting: String actual: Integer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        EXPECT_EQ(openError(c.statement), c.outcome);
        EXPECT_EQ(m_query.active(), std::string(c.outcome) == "opened");
    }

    reopen("SELECT N, SL0000, SPDM00 FROM S ORDER BY N");
    EXPECT_EQ(m_query.fieldCount(), 2);   // N has no declared field
    EXPECT_EQ(m_query.fieldName(0), "SPDM00");
    EXPECT_EQ(m_query.fieldIndex("N"), -1);
    EXPECT_EQ(m_query.text(0, 0), "P1");
    EXPECT_EQ(m_query.number(1, 1), 2.5);

    Query integers;
    integers.setDatabaseName("VUQ");
    integers.addField({"qN", "N", FieldType::Integer, 0});
    integers.sql() << "SELECT SL0000 N FROM S";
    try {
        integers.open();
        ADD_FAILURE() << "opened";
    } catch (const DatabaseError& e) {
        EXPECT_STREQ(e.what(), "Type mismatch for field 'N', expecting: Integer actual: Float");
    }
}

TEST_F(QueryTest, SessionProblemsAreDatabaseErrors)
{
    m_query.setDatabaseName("OTHER");
    EXPECT_EQ(openError("SELECT 1"), "Unknown database: OTHER");
    m_query.setDatabaseName("vuq");   // names compare case-insensitively
    EXPECT_EQ(openError("SELECT 1"), "opened");
    m_query.close();
    qelvan::db::setDefaultSession(nullptr);
    EXPECT_EQ(openError("SELECT 1"), "No database session");
}

TEST(DataSource, FollowsItsQueryAndForgetsAFreedOne)
{
    qelvan::db::DataSource source;
    std::vector<Query*> changes;
    QObject::connect(&source, &qelvan::db::DataSource::dataSetChanged, [&](Query* q) { changes.push_back(q); });
    auto* query = new Query;
    source.setDataSet(query);
    EXPECT_EQ(source.dataSet(), query);
    delete query;
    EXPECT_EQ(source.dataSet(), nullptr);
    EXPECT_EQ(changes, std::vector<Query*>({query, nullptr}));
}

} // namespace

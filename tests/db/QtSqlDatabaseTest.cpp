// The Qt SQL backend on the in-memory SQLite driver.

#include <qelvan/backends.h>

#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

using qelvan::Cell;
using qelvan::ColumnType;
using qelvan::DatabaseError;

class QtSqlBackend : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", kName);
        db.setDatabaseName(":memory:");
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("CREATE TABLE S(SPDM00 VARCHAR(8), SL0000 REAL, N INTEGER, NOTE VARCHAR(10))"));
        ASSERT_TRUE(q.exec("INSERT INTO S VALUES('P1', 1.5, 1, NULL), ('P2', 2.5, 2, 'two')"));
    }
    void TearDown() override { QSqlDatabase::removeDatabase(kName); }

    static constexpr const char* kName = "qt-sql-backend-test";
};

TEST_F(QtSqlBackend, ReadsWholeResultsWithTypesAndNulls)
{
    auto db = qelvan::wrapQtSqlConnection(kName);
    const auto result = db->execute("SELECT SPDM00, SL0000, N, NOTE, SUM(SL0000) OVER () T FROM S ORDER BY SPDM00");
    ASSERT_EQ(result.columns.size(), 5u);
    const ColumnType types[] = {ColumnType::Text, ColumnType::Float, ColumnType::Integer, ColumnType::Text,
                                ColumnType::Float};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(result.columns[i].type, types[i]) << result.columns[i].name;
    ASSERT_EQ(result.rows.size(), 2u);
    EXPECT_EQ(result.rows[0], (std::vector<Cell>{std::string("P1"), 1.5, std::int64_t(1), Cell(), 4.0}));
    EXPECT_EQ(result.rows[1][3], Cell(std::string("two")));
}

TEST_F(QtSqlBackend, ErrorsCarryTheDriverTextAndTheConnectionStaysOpen)
{
    {
        auto db = qelvan::wrapQtSqlConnection(kName);
        try {
            db->execute("SELECT * FROM NOPE");
            ADD_FAILURE() << "ran";
        } catch (const DatabaseError& e) {
            EXPECT_STREQ(e.what(), "no such table: NOPE");
        }
        // Passed through unchanged: no link rewriting on this backend.
        EXPECT_THROW(db->execute("SELECT * FROM NEW.S@LNK1"), DatabaseError);
    }
    EXPECT_TRUE(QSqlDatabase::database(kName, false).isOpen());
    EXPECT_THROW(qelvan::wrapQtSqlConnection("no-such-connection"), DatabaseError);
}

} // namespace

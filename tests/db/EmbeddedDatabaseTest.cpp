// The embedded backend: links through DB_LINKS, read-only access, column types.

#include "TestDatabases.h"

#include <qelvan/backends.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using qelvan::Cell;
using qelvan::ColumnType;
using qelvan::DatabaseError;
using qelvan::test::writeDatabase;

std::string errorOf(qelvan::Database& db, const std::string& statement)
{
    try {
        db.execute(statement);
    } catch (const DatabaseError& e) {
        return e.what();
    }
    return "no error";
}

std::int64_t single(qelvan::Database& db, const std::string& statement)
{
    const auto result = db.execute(statement);
    EXPECT_EQ(result.rows.size(), 1u);
    return std::get<std::int64_t>(result.rows.at(0).at(0));
}

int attachLimit()
{
    sqlite3* raw = nullptr;
    sqlite3_open(":memory:", &raw);
    const int limit = sqlite3_limit(raw, SQLITE_LIMIT_ATTACHED, -1);
    sqlite3_close(raw);
    return limit;
}

class Links : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeDatabase(m_folder.file("host.db"),
                      "CREATE TABLE DB_LINKS(DB_LINK TEXT, FILE_NAME TEXT);"
                      "INSERT INTO DB_LINKS VALUES('Lnk1','sales/one.db');"
                      "INSERT INTO DB_LINKS VALUES('LNK2','" + m_other.file("two.db") + "');"
                      "INSERT INTO DB_LINKS VALUES('GONE','missing.db');"
                      "INSERT INTO DB_LINKS VALUES('JUNK','junk.db');");
        QDir(QString::fromStdString(m_folder.path())).mkdir("sales");
        writeDatabase(m_folder.file("sales/one.db"), "CREATE TABLE T(V INTEGER); INSERT INTO T VALUES(1);");
        writeDatabase(m_other.file("two.db"), "CREATE TABLE T(V INTEGER); INSERT INTO T VALUES(2);");
        QFile junk(QString::fromStdString(m_folder.file("junk.db")));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
    }

    qelvan::test::Folder m_folder;
    qelvan::test::Folder m_other;
};

TEST_F(Links, ResolveThroughTheCatalogRelativeToTheHostFolder)
{
    auto db = qelvan::openEmbeddedDatabase(m_folder.file("host.db"), true);
    EXPECT_EQ(single(*db, "SELECT V FROM NEW.T@LNK1"), 1);
    EXPECT_EQ(single(*db, "SELECT V FROM new.t@lnk2"), 2);
    EXPECT_EQ(single(*db, "SELECT A.V*10+B.V FROM NEW.T@lnk1 A, T@Lnk2 B"), 12);
}

TEST_F(Links, FailuresNameTheLink)
{
    auto db = qelvan::openEmbeddedDatabase(m_folder.file("host.db"), true);
    EXPECT_EQ(errorOf(*db, "SELECT V FROM NEW.T@LNK9"), "Unknown database link 'LNK9'");
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT V FROM NEW.T@GONE", "Database link 'GONE' ("},
        {"SELECT V FROM NEW.T@JUNK", "Database link 'JUNK' ("},
        {"SELECT V FROM NEW.NOPE@LNK1", "no such table: @LNK1.NOPE"},
    };
    for (const auto& [statement, start] : cases) {
        SCOPED_TRACE(statement);
        EXPECT_EQ(errorOf(*db, statement).rfind(start, 0), 0u) << errorOf(*db, statement);
    }
    // The failures leave the connection usable.
    EXPECT_EQ(single(*db, "SELECT V FROM NEW.T@LNK1"), 1);
}

TEST_F(Links, HostWithoutCatalogReportsTheLink)
{
    writeDatabase(m_folder.file("bare.db"), "CREATE TABLE X(A);");
    auto db = qelvan::openEmbeddedDatabase(m_folder.file("bare.db"), true);
    EXPECT_EQ(errorOf(*db, "SELECT * FROM T@LNK1"),
              "Database link 'LNK1' cannot be resolved: no such table: main.DB_LINKS");
}

TEST_F(Links, AreReadOnlyAndSoIsAReadOnlyHost)
{
    auto writable = qelvan::openEmbeddedDatabase(m_folder.file("host.db"), false);
    EXPECT_NE(errorOf(*writable, "INSERT INTO NEW.T@LNK1 VALUES(5)").find("readonly"), std::string::npos);
    EXPECT_EQ(single(*writable, "SELECT COUNT(*) FROM T@LNK1"), 1);

    auto readOnly = qelvan::openEmbeddedDatabase(m_folder.file("host.db"), true);
    EXPECT_NE(errorOf(*readOnly, "CREATE TABLE X(A)").find("readonly"), std::string::npos);
}

TEST(EmbeddedLinks, AnyNumberOfLinksBeyondTheAttachLimit)
{
    qelvan::test::Folder folder;
    const int limit = attachLimit();
    const int count = limit + 3;
    std::string catalog = "CREATE TABLE DB_LINKS(DB_LINK TEXT, FILE_NAME TEXT);";
    for (int i = 0; i < count; ++i) {
        const std::string name = "l" + std::to_string(i) + ".db";
        writeDatabase(folder.file(name.c_str()),
                      "CREATE TABLE T(V INTEGER); INSERT INTO T VALUES(" + std::to_string(i) + ");");
        catalog += "INSERT INTO DB_LINKS VALUES('L" + std::to_string(i) + "','" + name + "');";
    }
    writeDatabase(folder.file("host.db"), catalog);
    auto db = qelvan::openEmbeddedDatabase(folder.file("host.db"), true);

    auto link = [](int i) { return "NEW.T@L" + std::to_string(i); };
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(single(*db, "SELECT V FROM " + link(i)), i);

    // A statement that needs as many links as can be attached, mixing
    // attached and detached ones.
    std::string all = "SELECT SUM(V) FROM (SELECT V FROM " + link(0);
    for (int i = 1; i < limit; ++i)
        all += " UNION ALL SELECT V FROM " + link(i * 3 % count);
    all += ")";
    std::int64_t sum = 0;
    for (int i = 0; i < limit; ++i)
        sum += i * 3 % count;
    EXPECT_EQ(single(*db, all), sum);

    std::string tooMany = "SELECT 1 FROM " + link(0);
    for (int i = 1; i <= limit; ++i)
        tooMany += ", " + link(i) + " X" + std::to_string(i);
    EXPECT_EQ(errorOf(*db, tooMany), "The statement uses " + std::to_string(limit + 1)
                                         + " database links; at most " + std::to_string(limit)
                                         + " can be open at once");
}

TEST(EmbeddedDatabase, ColumnTypesComeFromDeclarationsElseFromValues)
{
    qelvan::test::Folder folder;
    writeDatabase(folder.file("t.db"),
                  "CREATE TABLE T(I INTEGER, R REAL, S VARCHAR(8), N NUMBER(12,2), D DATE, U);"
                  "INSERT INTO T VALUES(NULL, NULL, NULL, NULL, NULL, NULL);"
                  "INSERT INTO T VALUES(1, 2.5, 'x', 3, '2004-05-12', 'free');");
    auto db = qelvan::openEmbeddedDatabase(folder.file("t.db"), true);
    const auto result = db->execute(
        "SELECT I, R, S, N, D, U, SUM(R) OVER () SR, S||'y' SY, I+1 I1, NULL Z, COUNT(*) OVER () C FROM T");
    const std::vector<std::pair<std::string, ColumnType>> expected = {
        {"I", ColumnType::Integer}, {"R", ColumnType::Float},    {"S", ColumnType::Text},
        {"N", ColumnType::Float},   {"D", ColumnType::Text},     {"U", ColumnType::Text},
        {"SR", ColumnType::Float},  {"SY", ColumnType::Text},    {"I1", ColumnType::Integer},
        {"Z", ColumnType::Unknown}, {"C", ColumnType::Integer},
    };
    ASSERT_EQ(result.columns.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].first);
        EXPECT_EQ(result.columns[i].name, expected[i].first);
        EXPECT_EQ(result.columns[i].type, expected[i].second);
    }
    ASSERT_EQ(result.rows.size(), 2u);
    EXPECT_EQ(result.rows[0][2], Cell());
    EXPECT_EQ(result.rows[1][2], Cell(std::string("x")));
    EXPECT_EQ(result.rows[1][1], Cell(2.5));
    EXPECT_EQ(result.columnIndex("sy"), 7);
    EXPECT_EQ(result.columnIndex("nope"), -1);
}

TEST(EmbeddedDatabase, RefusesWhatItCannotRun)
{
    qelvan::test::Folder folder;
    writeDatabase(folder.file("t.db"), "CREATE TABLE T(A);");
    EXPECT_THROW(qelvan::openEmbeddedDatabase(folder.file("missing.db")), DatabaseError);
    QFile junk(QString::fromStdString(folder.file("junk.db")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_THROW(qelvan::openEmbeddedDatabase(folder.file("junk.db")), DatabaseError);

    auto db = qelvan::openEmbeddedDatabase(folder.file("t.db"));
    EXPECT_EQ(errorOf(*db, "SELECT * FROM NOPE"), "no such table: NOPE");
    EXPECT_EQ(errorOf(*db, "SELECT 1; SELECT 2"), "Only one statement can be run at a time");
    EXPECT_EQ(errorOf(*db, " -- nothing\n"), "No statement to run");
    EXPECT_EQ(db->execute("SELECT 1; -- done\n").rows.size(), 1u);
}

} // namespace

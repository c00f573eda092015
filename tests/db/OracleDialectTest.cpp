// TO_DATE and TRUNC as SQL functions on a bare connection, the way the demo
// generator registers them.

#include "db/OracleDialect.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <string>

namespace {

class OracleFunctions : public ::testing::Test {
protected:
    void SetUp() override
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(":memory:", &raw), SQLITE_OK);
        m_db.reset(raw);
        ASSERT_EQ(qelvan::db::registerOracleFunctions(raw), 0);
    }

    // The text of `SELECT expression`, "NULL", or "error: " and the message.
    std::string eval(const std::string& expression)
    {
        const std::string sql = "SELECT " + expression;
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(m_db.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK)
            return "error: " + std::string(sqlite3_errmsg(m_db.get()));
        std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
        if (sqlite3_step(raw) != SQLITE_ROW)
            return "error: " + std::string(sqlite3_errmsg(m_db.get()));
        if (sqlite3_column_type(raw, 0) == SQLITE_NULL)
            return "NULL";
        return reinterpret_cast<const char*>(sqlite3_column_text(raw, 0));
    }

    std::unique_ptr<sqlite3, int (*)(sqlite3*)> m_db{nullptr, sqlite3_close};
};

struct ToDateCase {
    const char* text;
    const char* format;
    const char* expected;   // the canonical text, "NULL", or a part of the error message
};

TEST_F(OracleFunctions, ToDateReadsTheFormatLeniently)
{
    const ToDateCase cases[] = {
        {"'2004-05-12'", "'YYYY-MM-DD'", "2004-05-12"},
        {"'2004/5/12'", "'YYYY-MM-DD'", "2004-05-12"},
        {"'2004.05.12'", "'YYYY-MM-DD'", "2004-05-12"},
        {"' 2004-5-2 '", "'YYYY-MM-DD'", "2004-05-02"},
        {"'20040512'", "'YYYY-MM-DD'", "2004-05-12"},
        {"'2004-5-12'", "'yyyy-mm-dd'", "2004-05-12"},
        {"'12/05/2004'", "'DD/MM/YYYY'", "2004-05-12"},
        {"'2004-02-29'", "'YYYY-MM-DD'", "2004-02-29"},
        {"'2000-02-29'", "'YYYY-MM-DD'", "2000-02-29"},
        {"'2004-05-12 13:45:06'", "'YYYY-MM-DD HH24:MI:SS'", "2004-05-12 13:45:06"},
        {"'2004-05-12'", "'YYYY-MM-DD HH24:MI:SS'", "2004-05-12"},
        {"'2004-05-12 00:00:00'", "'YYYY-MM-DD HH24:MI:SS'", "2004-05-12"},
        {"NULL", "'YYYY-MM-DD'", "NULL"},
        {"''", "'YYYY-MM-DD'", "NULL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(eval(std::string("TO_DATE(") + c.text + "," + c.format + ")"), c.expected);
    }
}

TEST_F(OracleFunctions, ToDateRefusesTextsItCannotReadAndNamesThem)
{
    const ToDateCase cases[] = {
        {"2004-13-01", "YYYY-MM-DD", "month must be between 1 and 12"},
        {"2004-00-10", "YYYY-MM-DD", "month must be between 1 and 12"},
        {"2004-02-30", "YYYY-MM-DD", "day must be between"},
        {"1900-02-29", "YYYY-MM-DD", "day must be between"},
        {"2004-04-31", "YYYY-MM-DD", "day must be between"},
        {"2004-05-32", "YYYY-MM-DD", "day must be between"},
        {"0000-05-12", "YYYY-MM-DD", "year must be between"},
        {"2004-05", "YYYY-MM-DD", "ends before DD"},
        {"2004-05-12x", "YYYY-MM-DD", "format ends before the text"},
        {"12/05/2004", "YYYY-MM-DD", "format ends before the text"},
        {"abc", "YYYY-MM-DD", "a number is needed for YYYY"},
        {"2004年5月12日", "YYYY-MM-DD", "a number is needed for MM"},
        {"2004-05-12 25:00:00", "YYYY-MM-DD HH24:MI:SS", "hour must be between"},
        {"2004-05-12", "YYYY-MON-DD", "unsupported format element 'MON'"},
        {"2004-05-12", "YYYY-MM", "needs YYYY, MM and DD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string result = eval(std::string("TO_DATE('") + c.text + "','" + c.format + "')");
        EXPECT_NE(result.find("error: TO_DATE: cannot read '" + std::string(c.text) + "'"), std::string::npos)
            << result;
        EXPECT_NE(result.find(c.expected), std::string::npos) << result;
    }
}

TEST_F(OracleFunctions, TruncCutsDatesToTheDayAndNumbersToTheirPlaces)
{
    const std::pair<const char*, const char*> cases[] = {
        {"TRUNC('2004-05-12 13:45:06')", "2004-05-12"},
        {"TRUNC('2004-05-12')", "2004-05-12"},
        {"TRUNC('2004-05-12T08:00:00.250')", "2004-05-12"},
        {"TRUNC('2004-05-12 13:45')", "2004-05-12"},
        {"TRUNC('2004-05-12 13:45:06','MM')", "2004-05-01"},
        {"TRUNC('2004-05-12 13:45:06','YYYY')", "2004-01-01"},
        {"TRUNC('2004-05-12 13:45:06','HH24')", "2004-05-12 13:00:00"},
        {"TRUNC(12.7)", "12.0"},
        {"TRUNC(-12.7)", "-12.0"},
        {"TRUNC(7)", "7"},
        {"TRUNC(15.79, 1)", "15.7"},
        {"TRUNC(1.15, 2)", "1.15"},
        {"TRUNC(1234, -2)", "1200"},
        // Place counts past any double's digits, and past 32 bits, do not wrap.
        {"TRUNC(1.5, 4294967297)", "1.5"},
        {"TRUNC(1.5, 2147483647)", "1.5"},
        {"TRUNC(1234.5, -2147483648)", "0.0"},
        {"TRUNC('12.7')", "12.0"},
        {"TRUNC(NULL)", "NULL"},
        {"typeof(TRUNC(12.7))", "real"},
        // The same canonical text on both sides, whatever the stored form.
        {"TRUNC('2004-05-12 23:59:59') = TO_DATE('2004/5/12','YYYY-MM-DD')", "1"},
        {"TRUNC('2004-05-12 00:00:00') = TO_DATE('2004-05-12 00:00:00','YYYY-MM-DD HH24:MI:SS')", "1"},
        {"'2004-05-12 08:00:00' > TO_DATE('2004-05-12','YYYY-MM-DD')", "1"},
        {"TRUNC('2004-02-30')", "error: TRUNC: '2004-02-30' is neither a date nor a number"},
        {"TRUNC('abc')", "error: TRUNC: 'abc' is neither a date nor a number"},
        {"TRUNC('2004-05-12','Q')", "error: TRUNC: unsupported date format 'Q'"},
    };
    for (const auto& [expression, expected] : cases) {
        SCOPED_TRACE(expression);
        EXPECT_EQ(eval(expression), expected);
    }
}

} // namespace

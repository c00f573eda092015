// TO_DATE and TRUNC read text from statements and stored rows. Any text and
// any format must give a date or a clean error, a date read must print and
// read back as itself, and the SQL functions must answer every argument
// without an exception crossing into SQLite.

#include "db/OracleDate.h"
#include "db/OracleDialect.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

using namespace qelvan::db;

namespace {

bool same(const DateTime& a, const DateTime& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute
           && a.second == b.second;
}

void mustReadBack(const DateTime& v)
{
    const std::string text = canonicalText(v);
    const auto stored = parseStoredDate(text);
    if (!stored || !same(*stored, v))
        std::abort();
    if (!same(parseWithFormat(text, "YYYY-MM-DD HH24:MI:SS"), v))
        std::abort();
}

sqlite3* connection()
{
    static sqlite3* db = [] {
        sqlite3* raw = nullptr;
        if (sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK
            || registerOracleFunctions(raw) != 0)
            std::abort();
        return raw;
    }();
    return db;
}

void runFunctions(const std::string& text, const std::string& format, std::int64_t places)
{
    static sqlite3_stmt* stmt = [] {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(connection(),
                               "SELECT TO_DATE(?1, ?2), TRUNC(?1), TRUNC(?1, ?2), TRUNC(?3, ?4), TRUNC(?1, ?4)",
                               -1, &s, nullptr) != SQLITE_OK)
            std::abort();
        return s;
    }();
    for (int pass = 0; pass < 2; ++pass) {
        sqlite3_reset(stmt);
        sqlite3_bind_text(stmt, 1, text.data(), int(text.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 2, format.data(), int(format.size()), SQLITE_TRANSIENT);
        // The number argument as an integer, then as a real.
        if (pass == 0)
            sqlite3_bind_int64(stmt, 3, places);
        else
            sqlite3_bind_double(stmt, 3, double(places) / 7.0);
        sqlite3_bind_int64(stmt, 4, places);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::int64_t places = in.ConsumeIntegral<std::int64_t>();
    const std::string text = in.ConsumeRandomLengthString(64);
    const std::string format = in.ConsumeRemainingBytesAsString();

    try {
        mustReadBack(parseWithFormat(text, format));
    } catch (const std::invalid_argument&) {
    }
    if (const auto stored = parseStoredDate(text))
        mustReadBack(*stored);
    runFunctions(text, format, places);
    return 0;
}

#include "db/OracleDialect.h"

#include "db/AsciiText.h"
#include "db/OracleDate.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qelvan::db {

namespace {

std::string_view textOf(sqlite3_value* v)
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, size_t(sqlite3_value_bytes(v))) : std::string_view();
}

void resultText(sqlite3_context* ctx, std::string_view s)
{
    sqlite3_result_text(ctx, s.data(), int(s.size()), SQLITE_TRANSIENT);
}

// Exceptions must not cross into SQLite: every function body runs in here.
template <typename Body>
void guarded(sqlite3_context* ctx, Body body)
{
    try {
        body();
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(ctx);
    } catch (const std::exception& e) {
        sqlite3_result_error(ctx, e.what(), -1);
    }
}

void truncNumber(sqlite3_context* ctx, sqlite3_value* number, sqlite3_value* places)
{
    // Far beyond a double's range of places nothing is cut off (or everything
    // is); clamping keeps std::abs and pow defined for any place count given.
    const sqlite3_int64 wanted = places ? sqlite3_value_int64(places) : 0;
    const int digits = int(std::clamp<sqlite3_int64>(wanted, -400, 400));
    if (sqlite3_value_type(number) == SQLITE_INTEGER && digits >= 0) {
        sqlite3_result_value(ctx, number);
        return;
    }
    const double x = sqlite3_value_double(number);
    double result;
    if (digits == 0) {
        result = std::trunc(x);
    } else if (digits > 300) {
        result = x;
    } else if (digits < -300) {
        result = 0.0;
    } else {
        const double scale = std::pow(10.0, std::abs(digits));
        double scaled = digits > 0 ? x * scale : x / scale;
        // 1.15 * 100 is 114.999...; a value this close to a whole number is that number.
        const double nearest = std::nearbyint(scaled);
        if (std::abs(scaled - nearest) <= 1e-9 * std::max(1.0, std::abs(scaled)))
            scaled = nearest;
        result = digits > 0 ? std::trunc(scaled) / scale : std::trunc(scaled) * scale;
    }
    if (sqlite3_value_type(number) == SQLITE_INTEGER
        && std::abs(result) < 9.2e18)
        sqlite3_result_int64(ctx, sqlite3_int64(result));
    else
        sqlite3_result_double(ctx, result);
}

DateTime truncDate(DateTime v, std::string_view unit)
{
    const std::string u = asciiUpper(unit);
    if (u == "DD" || u == "DDD" || u == "J") {
        v.hour = v.minute = v.second = 0;
    } else if (u == "MM" || u == "MON" || u == "MONTH" || u == "RM") {
        v.day = 1;
        v.hour = v.minute = v.second = 0;
    } else if (u == "YYYY" || u == "SYYYY" || u == "YYY" || u == "YY" || u == "Y" || u == "YEAR"
               || u == "SYEAR") {
        v.month = v.day = 1;
        v.hour = v.minute = v.second = 0;
    } else if (u == "HH" || u == "HH12" || u == "HH24") {
        v.minute = v.second = 0;
    } else if (u == "MI") {
        v.second = 0;
    } else {
        throw std::invalid_argument("TRUNC: unsupported date format '" + std::string(unit) + "'");
    }
    return v;
}

// TRUNC(date [, unit]) or TRUNC(number [, places]), told apart by the value as
// Oracle tells them apart by the argument's type.
void truncFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    guarded(ctx, [&] {
        sqlite3_value* value = argv[0];
        sqlite3_value* second = argc > 1 ? argv[1] : nullptr;
        const int type = sqlite3_value_type(value);
        if (type == SQLITE_NULL || (second && sqlite3_value_type(second) == SQLITE_NULL)) {
            sqlite3_result_null(ctx);
            return;
        }
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
            truncNumber(ctx, value, second);
            return;
        }
        const std::string_view text = textOf(value);
        if (const auto date = parseStoredDate(text)) {
            if (!second) {
                // The stored form starts with the canonical date: no formatting needed.
                resultText(ctx, text.substr(0, 10));
                return;
            }
            resultText(ctx, canonicalText(truncDate(*date, textOf(second))));
            return;
        }
        const int numeric = sqlite3_value_numeric_type(value);
        if (numeric == SQLITE_INTEGER || numeric == SQLITE_FLOAT) {
            truncNumber(ctx, value, second);
            return;
        }
        throw std::invalid_argument("TRUNC: '" + std::string(text) + "' is neither a date nor a number");
    });
}

void toDateFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    guarded(ctx, [&] {
        if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
        const std::string_view text = textOf(argv[0]);
        if (text.empty()) {   // Oracle's empty text is NULL
            sqlite3_result_null(ctx);
            return;
        }
        resultText(ctx, canonicalText(parseWithFormat(text, textOf(argv[1]))));
    });
}

} // namespace

int registerOracleFunctions(sqlite3* connection)
{
    // Deterministic and innocuous: indexes on TRUNC(column) need both.
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    struct Entry {
        const char* name;
        int args;
        void (*fn)(sqlite3_context*, int, sqlite3_value**);
    };
    const Entry entries[] = {
        {"TRUNC", 1, truncFunction},
        {"TRUNC", 2, truncFunction},
        {"TO_DATE", 2, toDateFunction},
    };
    for (const Entry& e : entries) {
        const int rc = sqlite3_create_function_v2(connection, e.name, e.args, flags, nullptr, e.fn,
                                                  nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

} // namespace qelvan::db

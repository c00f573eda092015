#pragma once
// Dates as the embedded backend stores them (ISO text) and as the Oracle
// functions read and write them.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qelvan::db {

struct DateTime {
    int year = 1;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

int daysInMonth(int year, int month);

/// 'YYYY-MM-DD' for a date at midnight, else 'YYYY-MM-DD HH:MM:SS'. Every date
/// the functions return has this one form, so stored text and function
/// results compare as text.
std::string canonicalText(const DateTime& value);

/// Reads a stored date: 'YYYY-MM-DD', optionally followed by ' ' or 'T' and
/// 'HH:MM', 'HH:MM:SS' or 'HH:MM:SS.fff' (fraction ignored). Empty when the
/// text is not such a date or names a day that does not exist.
std::optional<DateTime> parseStoredDate(std::string_view text);

/// Reads `text` with an Oracle date format such as 'YYYY-MM-DD', leniently as
/// Oracle does: any punctuation or blanks may stand between the numbers,
/// leading zeros may be missing, trailing time parts may be missing. Known
/// format codes: YYYY, RRRR, MM, DD, HH24, MI, SS. Throws
/// std::invalid_argument with a message naming the text when the text or the
/// format cannot be read or the date does not exist.
DateTime parseWithFormat(std::string_view text, std::string_view format);

} // namespace qelvan::db

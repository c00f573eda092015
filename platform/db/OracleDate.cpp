#include "db/OracleDate.h"

#include "db/AsciiText.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace qelvan::db {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isSeparator(char c)
{
    switch (c) {
    case '-': case '/': case ',': case '.': case ';': case ':': case ' ': case '\t':
        return true;
    default:
        return false;
    }
}

// Reads exactly `count` digits at `pos`.
bool fixedNumber(std::string_view text, size_t& pos, int count, int& out)
{
    if (pos + count > text.size())
        return false;
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char c = text[pos + i];
        if (!isDigit(c))
            return false;
        value = value * 10 + (c - '0');
    }
    pos += count;
    out = value;
    return true;
}

// Range check shared by both readers; returns the complaint, or nullptr.
const char* rangeProblem(const DateTime& v)
{
    if (v.year < 1 || v.year > 9999)
        return "year must be between 1 and 9999";
    if (v.month < 1 || v.month > 12)
        return "month must be between 1 and 12";
    if (v.day < 1 || v.day > daysInMonth(v.year, v.month))
        return "day must be between 1 and the last day of the month";
    if (v.hour > 23)
        return "hour must be between 0 and 23";
    if (v.minute > 59)
        return "minutes must be between 0 and 59";
    if (v.second > 59)
        return "seconds must be between 0 and 59";
    return nullptr;
}

enum class Part { Year, Month, Day, Hour, Minute, Second };

struct FormatCode {
    const char* code;
    Part part;
    int digits;
};

// Longest codes first so that HH24 is not read as HH.
const FormatCode kCodes[] = {
    {"YYYY", Part::Year, 4}, {"RRRR", Part::Year, 4}, {"HH24", Part::Hour, 2},
    {"MM", Part::Month, 2},  {"DD", Part::Day, 2},    {"MI", Part::Minute, 2},
    {"SS", Part::Second, 2},
};

bool isTimePart(Part p) { return p == Part::Hour || p == Part::Minute || p == Part::Second; }

} // namespace

int daysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return days[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::string canonicalText(const DateTime& v)
{
    char buf[32];
    if (v.hour == 0 && v.minute == 0 && v.second == 0)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", v.year, v.month, v.day);
    else
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", v.year, v.month, v.day,
                      v.hour, v.minute, v.second);
    return buf;
}

std::optional<DateTime> parseStoredDate(std::string_view text)
{
    DateTime v;
    size_t pos = 0;
    if (!fixedNumber(text, pos, 4, v.year) || pos >= text.size() || text[pos++] != '-'
        || !fixedNumber(text, pos, 2, v.month) || pos >= text.size() || text[pos++] != '-'
        || !fixedNumber(text, pos, 2, v.day))
        return std::nullopt;
    if (pos < text.size()) {
        if (text[pos] != ' ' && text[pos] != 'T')
            return std::nullopt;
        ++pos;
        if (!fixedNumber(text, pos, 2, v.hour) || pos >= text.size() || text[pos++] != ':'
            || !fixedNumber(text, pos, 2, v.minute))
            return std::nullopt;
        if (pos < text.size()) {
            if (text[pos++] != ':' || !fixedNumber(text, pos, 2, v.second))
                return std::nullopt;
            if (pos < text.size()) {
                if (text[pos++] != '.' || pos == text.size())
                    return std::nullopt;
                while (pos < text.size() && isDigit(text[pos]))
                    ++pos;
                if (pos != text.size())
                    return std::nullopt;
            }
        }
    }
    if (rangeProblem(v))
        return std::nullopt;
    return v;
}

DateTime parseWithFormat(std::string_view text, std::string_view format)
{
    auto fail = [&](const std::string& why) -> std::invalid_argument {
        return std::invalid_argument("TO_DATE: cannot read '" + std::string(text) + "' with format '"
                                     + std::string(format) + "': " + why);
    };

    // The format: a sequence of codes; separators in it only mark where the
    // text may have some, and the text may have them anywhere between numbers.
    std::vector<const FormatCode*> codes;
    bool seen[6] = {};
    for (size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (isSeparator(c)) {
            ++i;
            continue;
        }
        const FormatCode* match = nullptr;
        for (const FormatCode& fc : kCodes) {
            const size_t n = std::char_traits<char>::length(fc.code);
            if (i + n > format.size())
                continue;
            bool same = true;
            for (size_t k = 0; k < n && same; ++k)
                same = asciiUpper(format[i + k]) == fc.code[k];
            if (same) {
                match = &fc;
                break;
            }
        }
        if (!match) {
            size_t end = i;
            while (end < format.size() && (isLetter(format[end]) || isDigit(format[end])))
                ++end;
            throw fail("unsupported format element '"
                       + std::string(format.substr(i, std::max<size_t>(end - i, 1))) + "'");
        }
        if (seen[int(match->part)])
            throw fail("format code '" + std::string(match->code) + "' appears twice");
        seen[int(match->part)] = true;
        codes.push_back(match);
        i += std::char_traits<char>::length(match->code);
    }
    if (!seen[int(Part::Year)] || !seen[int(Part::Month)] || !seen[int(Part::Day)])
        throw fail("the format needs YYYY, MM and DD");

    DateTime v;
    size_t pos = 0;
    for (size_t k = 0; k < codes.size(); ++k) {
        while (pos < text.size() && isSeparator(text[pos]))
            ++pos;
        if (pos == text.size()) {
            // Oracle lets the text stop before trailing time codes: midnight.
            bool onlyTimeLeft = true;
            for (size_t r = k; r < codes.size(); ++r)
                onlyTimeLeft = onlyTimeLeft && isTimePart(codes[r]->part);
            if (onlyTimeLeft)
                break;
            throw fail("the text ends before " + std::string(codes[k]->code));
        }
        int value = 0;
        int digits = 0;
        while (digits < codes[k]->digits && pos < text.size() && isDigit(text[pos])) {
            value = value * 10 + (text[pos++] - '0');
            ++digits;
        }
        if (digits == 0)
            throw fail(std::string("a number is needed for ") + codes[k]->code);
        switch (codes[k]->part) {
        case Part::Year: v.year = value; break;
        case Part::Month: v.month = value; break;
        case Part::Day: v.day = value; break;
        case Part::Hour: v.hour = value; break;
        case Part::Minute: v.minute = value; break;
        case Part::Second: v.second = value; break;
        }
    }
    while (pos < text.size() && isSeparator(text[pos]))
        ++pos;
    if (pos != text.size())
        throw fail("the format ends before the text does");
    if (const char* problem = rangeProblem(v))
        throw fail(problem);
    return v;
}

} // namespace qelvan::db

#include "format/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace qelvan::format;

namespace {

FormatSettings plainSettings()
{
    FormatSettings s;
    s.decimalSeparator = QLatin1Char('.');
    s.thousandSeparator = QLatin1Char(',');
    s.currencyString = QStringLiteral("￥");
    return s;
}

struct Case {
    const char* pattern;
    double value;
    const char* expected;
};

TEST(NumberFormat, PatternsRenderValues)
{
    const Case cases[] = {
        // What the sales window shows.
        {"￥,0.000000;-￥,0.000000", 12.5, "￥12.500000"},
        {",0.00;-,0.00", -1234.5, "-1,234.50"},
        {" 0.00", 12.5, " 12.50"},
        {"0.00;-0.00", -3.2, "-3.20"},
        {"￥,0.00;-￥,0.00", 1234567.891, "￥1,234,567.89"},
        {"￥,0.00;-￥,0.00", -0.5, "-￥0.50"},
        {"￥,0.00", -12, "-￥12.00"},
        // Half away from zero on the decimal value, not the binary one.
        {"0.00", 2.675, "2.68"},
        {"0.00", -2.675, "-2.68"},
        {"0.00", 1.005, "1.01"},
        {"0", 0.5, "1"},
        {"0", 0.4, "0"},
        {",0.00", 999.995, "1,000.00"},
        {"0.00", 9.999, "10.00"},
        // Nothing left after rounding is zero, never "-0.00".
        {"0.00", -0.001, "0.00"},
        {"0.00;-0.00", -0.004, "0.00"},
        {"0.00", -0.0, "0.00"},
        {"0.00;-0.00;\"zero\"", 0, "zero"},
        {"0.00;-0.00;\"zero\"", -0.001, "zero"},
        {"0.00;(0.00)", -5, "(5.00)"},
        {"0.00;;\"zero\"", -5, "-5.00"},
        // Optional and required digits, grouping.
        {"#,##0", 1234567, "1,234,567"},
        {"#,##0", 0, "0"},
        {"0.##", 1.5, "1.5"},
        {"0.##", 1, "1"},
        {"#.00", 0.5, ".50"},
        {"000", 7, "007"},
        {"0", 1234.5, "1235"},
        {",0", 1e20, "100,000,000,000,000,000,000"},
        {"0.00", 1e-10, "0.00"},
        // Literals, quoted or not.
        {"'#'0", 5, "#5"},
        {"\"0.00\" 0", 5, "0.00 5"},
        {"0.00 元", 3, "3.00 元"},
        {"0%", 5, "5%"},
        {"abc", 5, "abc"},
        // No pattern: the general form.
        {"", 0.1 + 0.2, "0.3"},
        {"", -3, "-3"},
    };
    const FormatSettings s = plainSettings();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " / " + std::to_string(c.value));
        EXPECT_EQ(formatFloat(QString::fromUtf8(c.pattern), c.value, s).toStdString(), c.expected);
    }
}

TEST(NumberFormat, GeneralFormSwitchesToScientificAtTheEdges)
{
    const Case cases[] = {
        {"", 12.5, "12.5"},
        {"", 0.00001, "0.00001"},
        {"", 0.000001, "1E-6"},
        {"", 1e20, "1E+20"},
        {"", 123456789012345678.0, "1.23456789012346E+17"},
        {"", 0, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(formatGeneral(c.value, plainSettings()).toStdString(), c.expected);
    }
}

TEST(NumberFormat, NonFiniteValuesAreNamed)
{
    const FormatSettings s = plainSettings();
    EXPECT_EQ(formatFloat(u"0.00", std::numeric_limits<double>::quiet_NaN(), s), QStringLiteral("NAN"));
    EXPECT_EQ(formatFloat(u"0.00", -std::numeric_limits<double>::infinity(), s), QStringLiteral("-INF"));
}

// A formatter that hard-codes '.' and ',' fails here.
TEST(NumberFormat, SeparatorsComeFromTheSettings)
{
    FormatSettings s = plainSettings();
    s.decimalSeparator = QLatin1Char('~');
    s.thousandSeparator = QLatin1Char('?');
    EXPECT_EQ(formatFloat(u",0.00", 1234567.5, s), QStringLiteral("1?234?567~50"));
    EXPECT_EQ(formatFloat(u"0.##", 1.25, s), QStringLiteral("1~25"));
    EXPECT_EQ(formatFloat(u"0.00;-0.00", -0.5, s), QStringLiteral("-0~50"));
    EXPECT_EQ(formatGeneral(1.5, s), QStringLiteral("1~5"));
}

TEST(NumberFormat, CurrencyDefaultFollowsSymbolPlacementAndDecimals)
{
    struct Placement {
        const char* symbol;
        int format;
        int decimals;
        const char* pattern;
        const char* sample; // -1234.5 in that pattern
    } cases[] = {
        {"￥", 0, 2, "￥,0.00;-￥,0.00", "-￥1,234.50"},
        {"€", 1, 2, ",0.00€;-,0.00€", "-1,234.50€"},
        {"$", 2, 2, "$ ,0.00;-$ ,0.00", "-$ 1,234.50"},
        {"€", 3, 2, ",0.00 €;-,0.00 €", "-1,234.50 €"},
        {"￥", 0, 0, "￥,0;-￥,0", "-￥1,235"},
        // A symbol made of pattern characters must stay text.
        {"kr.", 3, 2, ",0.00 \"kr.\";-,0.00 \"kr.\"", "-1,234.50 kr."},
    };
    for (const Placement& c : cases) {
        SCOPED_TRACE(c.pattern);
        FormatSettings s = plainSettings();
        s.currencyString = QString::fromUtf8(c.symbol);
        s.currencyFormat = c.format;
        s.currencyDecimals = c.decimals;
        const QString pattern = currencyDefaultPattern(s);
        EXPECT_EQ(pattern.toStdString(), c.pattern);
        EXPECT_EQ(formatFloat(pattern, -1234.5, s).toStdString(), c.sample);
    }
}

TEST(NumberFormat, PatternValidity)
{
    EXPECT_TRUE(isValidPattern(u"0.00;-0.00;\"zero\""));
    EXPECT_TRUE(isValidPattern(u"'a;b'0"));
    EXPECT_FALSE(isValidPattern(u"0.00;-0.00;0;0"));
    EXPECT_FALSE(isValidPattern(u"\"unterminated 0.00"));
}

} // namespace

#include "format/FormatSettings.h"
#include "format/NumberFormat.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace qelvan::format;

namespace {

TEST(FormatSettings, ChineseLocaleGivesTheFullwidthYuanPattern)
{
    const FormatSettings s = FormatSettings::fromLocale(QLocale(QStringLiteral("zh_CN")));
    EXPECT_EQ(currencyDefaultPattern(s), QStringLiteral("￥,0.00;-￥,0.00"));
    EXPECT_EQ(s.decimalSeparator, QLatin1Char('.'));
    EXPECT_EQ(s.thousandSeparator, QLatin1Char(','));
    EXPECT_EQ(formatFloat(currencyDefaultPattern(s), 1234.5, s), QStringLiteral("￥1,234.50"));
}

TEST(FormatSettings, OtherLocalesPlaceTheirSymbolAsTheyWriteIt)
{
    struct Case {
        const char* locale;
        int format;
        int decimals;
    } cases[] = {
        {"en_US", 0, 2},
        {"de_DE", 3, 2},
        {"nl_NL", 2, 2},
        {"ja_JP", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const QLocale locale(QString::fromLatin1(c.locale));
        const FormatSettings s = FormatSettings::fromLocale(locale);
        EXPECT_EQ(s.currencyString, locale.currencySymbol());
        EXPECT_EQ(s.currencyFormat, c.format);
        EXPECT_EQ(s.currencyDecimals, c.decimals);
        EXPECT_EQ(s.decimalSeparator, locale.decimalPoint().at(0));
    }
    const FormatSettings german = FormatSettings::fromLocale(QLocale(QStringLiteral("de_DE")));
    EXPECT_EQ(formatFloat(currencyDefaultPattern(german), -1234.5, german), QStringLiteral("-1.234,50 €"));
}

TEST(FormatSettings, ShortDateKeepsTheLocalesOrder)
{
    const QDate date(2004, 5, 11);
    for (const char* name : {"zh_CN", "en_US", "de_DE"}) {
        SCOPED_TRACE(name);
        const QLocale locale(QString::fromLatin1(name));
        const FormatSettings s = FormatSettings::fromLocale(locale);
        EXPECT_EQ(date.toString(s.shortDateFormat), locale.toString(date, QLocale::ShortFormat));
    }
}

TEST(FormatSettings, ProcessSettingsComeFromTheSystemLocaleUnlessPinned)
{
    const FormatSettings system = FormatSettings::fromLocale(QLocale::system());
    EXPECT_EQ(processSettings().currencyString, system.currencyString);
    EXPECT_EQ(processSettings().shortDateFormat, system.shortDateFormat);

    FormatSettings pinned;
    pinned.decimalSeparator = QLatin1Char('~');
    overrideProcessSettings(&pinned);
    EXPECT_EQ(formatFloat(u"0.0", 1.5), QStringLiteral("1~5"));
    overrideProcessSettings(nullptr);
    EXPECT_EQ(processSettings().decimalSeparator, system.decimalSeparator);
}

} // namespace

#include "FormatSettings.h"

namespace qelvan::format {
namespace {

// Where the locale puts its currency symbol, read from a formatted amount:
// 0 before, 1 after, 2 before with a space, 3 after with a space.
int currencyPlacement(const QString& sample, const QString& symbol)
{
    const qsizetype at = symbol.isEmpty() ? -1 : sample.indexOf(symbol);
    if (at < 0)
        return 0;
    qsizetype firstDigit = -1;
    qsizetype lastDigit = -1;
    for (qsizetype i = 0; i < sample.size(); ++i) {
        if (sample[i].isDigit()) {
            if (firstDigit < 0)
                firstDigit = i;
            lastDigit = i;
        }
    }
    if (firstDigit < 0)
        return 0;
    if (at < firstDigit) {
        const bool spaced = at + symbol.size() < firstDigit && sample[at + symbol.size()].isSpace();
        return spaced ? 2 : 0;
    }
    const bool spaced = at > lastDigit + 1 && sample[at - 1].isSpace();
    return spaced ? 3 : 1;
}

// Digits the locale shows after the decimal point of an amount.
int currencyDecimalsOf(const QString& sample, QChar decimalPoint)
{
    const qsizetype point = sample.lastIndexOf(decimalPoint);
    if (point < 0)
        return 0;
    int count = 0;
    for (qsizetype i = point + 1; i < sample.size() && sample[i].isDigit(); ++i)
        ++count;
    return count;
}

const FormatSettings* overridden = nullptr;

} // namespace

FormatSettings FormatSettings::fromLocale(const QLocale& locale)
{
    FormatSettings s;
    // Separators that are more than one character in Qt (rare) fall back
    // to their first character; an empty one keeps the default.
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    if (!decimal.isEmpty())
        s.decimalSeparator = decimal.at(0);
    if (!group.isEmpty())
        s.thousandSeparator = group.at(0);

    s.currencyString = locale.currencySymbol(QLocale::CurrencySymbol);
    // The yuan is written with the fullwidth sign in Chinese text; Qt's
    // locale data gives the narrow one shared with the yen.
    if (locale.language() == QLocale::Chinese && s.currencyString == QStringLiteral("\u00A5"))
        s.currencyString = QStringLiteral("\uFFE5");

    const QString sample = locale.toCurrencyString(1.0);
    s.currencyFormat = currencyPlacement(sample, locale.currencySymbol(QLocale::CurrencySymbol));
    s.currencyDecimals = currencyDecimalsOf(sample, s.decimalSeparator);

    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    if (!shortDate.isEmpty())
        s.shortDateFormat = shortDate;
    return s;
}

const FormatSettings& processSettings()
{
    if (overridden)
        return *overridden;
    static const FormatSettings fromSystem = FormatSettings::fromLocale(QLocale::system());
    return fromSystem;
}

void overrideProcessSettings(const FormatSettings* settings)
{
    overridden = settings;
}

} // namespace qelvan::format

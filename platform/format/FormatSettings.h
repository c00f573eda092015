#pragma once
// The process's numeric, currency and date conventions, taken once from the
// user's locale and then fixed for the life of the process.

#include <QChar>
#include <QLocale>
#include <QString>

namespace qelvan::format {

struct FormatSettings {
    QChar decimalSeparator = QLatin1Char('.');
    QChar thousandSeparator = QLatin1Char(',');
    QString currencyString;          ///< e.g. "￥"
    /// Placement of the currency symbol for positive amounts:
    /// 0 before ("￥1"), 1 after ("1￥"), 2 before with a space, 3 after with a space.
    int currencyFormat = 0;
    int currencyDecimals = 2;
    /// Short date format as a QDate format string, e.g. "yyyy-MM-dd" or "M/d/yy".
    QString shortDateFormat = QStringLiteral("yyyy-MM-dd");

    static FormatSettings fromLocale(const QLocale& locale);
};

/// The settings of this process: read from QLocale::system() on first use.
const FormatSettings& processSettings();
/// Tests pin the process settings with this; pass nullptr to go back to the locale.
void overrideProcessSettings(const FormatSettings* settings);

} // namespace qelvan::format

#include "DateFormat.h"

#include <cmath>

namespace qelvan::format {
namespace {
const QDate epoch(1899, 12, 30);
constexpr double msPerDay = 86400000.0;
} // namespace

QString formatShortDate(const QDate& date, const FormatSettings& settings)
{
    return date.toString(settings.shortDateFormat);
}

QString isoDate(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

// Before the epoch the day count is negative but the fraction still counts
// forward from midnight: -1.25 is 29 December 1899, 06:00.
double toDateTimeValue(const QDateTime& dt)
{
    const double days = static_cast<double>(epoch.daysTo(dt.date()));
    const double fraction = dt.time().msecsSinceStartOfDay() / msPerDay;
    return days < 0 ? days - fraction : days + fraction;
}

QDateTime fromDateTimeValue(double value)
{
    const double whole = std::trunc(value);
    double ms = std::round(std::fabs(value - whole) * msPerDay);
    qint64 days = static_cast<qint64>(whole);
    if (ms >= msPerDay) { // rounding reached the next midnight
        ms = 0;
        ++days;
    }
    return QDateTime(epoch.addDays(days), QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

} // namespace qelvan::format

#pragma once
#include "FormatSettings.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace qelvan::format {

/// The date part in the short date format of the settings.
QString formatShortDate(const QDate& date, const FormatSettings& settings = processSettings());

/// Always "yyyy-MM-dd", whatever the locale: the form statements use.
QString isoDate(const QDate& date);

/// Days since 30 December 1899 with the time as the fraction, and back.
double toDateTimeValue(const QDateTime& dt);
QDateTime fromDateTimeValue(double value);

} // namespace qelvan::format

#pragma once
// How a cell reads as text, as a number and as a variant.

#include <qelvan/session.h>

#include <QString>
#include <QVariant>

namespace qelvan::db {

/// NULL reads as "", numbers in decimal (up to 15 significant digits).
QString cellText(const Cell& cell);

/// NULL reads as 0. Text must hold a number (C locale); otherwise throws
/// DatabaseError "'%s' is not a valid floating point value".
double cellNumber(const Cell& cell);

/// The raw value for models and reports: double, qint64 or QString; NULL is
/// an invalid QVariant.
QVariant cellVariant(const Cell& cell);

} // namespace qelvan::db

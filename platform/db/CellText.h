#pragma once
// How a cell reads as text and as a number.

#include <qelvan/session.h>

#include <QString>

namespace qelvan::db {

/// NULL reads as "", numbers in decimal (up to 15 significant digits).
QString cellText(const Cell& cell);

/// NULL reads as 0. Text must hold a number (C locale); otherwise throws
/// DatabaseError "'%s' is not a valid floating point value".
double cellNumber(const Cell& cell);

} // namespace qelvan::db

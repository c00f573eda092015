#pragma once
// The host's parameter array, read at the boundary into our own copies.

#include <QString>
#include <QStringList>

#include <cstdint>

namespace qelvan::entry {

/// How many elements a call needs; further elements are not read.
constexpr int parameterCount = 12;

/// Decodes elements 0 to 11 of the host's counted-string array. Throws
/// std::invalid_argument when `params` is null or `highIndex` is below 11.
QStringList readParameters(const char* const* params, std::int32_t highIndex);

/// The decimal integer in `text` (optional leading blanks, optional sign).
/// Throws std::invalid_argument naming `what` for anything else, including
/// values outside the 32-bit range.
int parameterToInt(const QString& text, const char* what);

} // namespace qelvan::entry

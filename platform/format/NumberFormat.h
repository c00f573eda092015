#pragma once
// Numeric display patterns: '0' a required digit, '#' an optional digit,
// ',' thousands grouping (anywhere in the section), '.' the decimal point,
// ';' separates the positive, negative and zero sections, text in quotes and
// every other character copied as it is. Values are rounded half away from
// zero on their shortest decimal representation (2.675 -> 2.68).

#include "FormatSettings.h"

#include <QString>
#include <QStringView>

namespace qelvan::format {

QString formatFloat(QStringView pattern, double value, const FormatSettings& settings = processSettings());

/// The currency pattern built from the settings: ",0.00" with the symbol
/// placed as currencyFormat says, then ";-" and the same again.
/// On a Chinese locale: "￥,0.00;-￥,0.00".
QString currencyDefaultPattern(const FormatSettings& settings = processSettings());

/// A value without a pattern: up to 15 significant digits, the settings'
/// decimal point, no grouping; scientific ("1.5E+20") outside 1E-5 .. 1E15.
QString formatGeneral(double value, const FormatSettings& settings = processSettings());

/// Quick validity check for patterns read from files: false when the pattern
/// has an unterminated quote or more than three sections.
bool isValidPattern(QStringView pattern);

} // namespace qelvan::format

#pragma once
// A double as the decimal digit string it prints as (shortest round-trip),
// so rounding works on the decimal value the user sees rather than on the
// nearest binary fraction: 2.675 rounds to 2.68, not 2.67.

#include <string>

namespace qelvan::format {

struct DecimalDigits {
    /// Significant digits without leading or trailing zeros; empty for zero.
    std::string digits;
    /// Digits before the decimal point: the value is 0.<digits> x 10^pointPos.
    int pointPos = 0;
    bool negative = false;

    /// Only for finite values.
    static DecimalDigits fromDouble(double value);

    bool isZero() const { return digits.empty(); }
    /// Rounds half away from zero to `fractionDigits` places after the point.
    void roundToFraction(int fractionDigits);
    /// Rounds half away from zero to `count` significant digits.
    void roundToSignificant(int count);
    /// The digits before the point, without leading zeros ("" for none).
    std::string integerDigits() const;
    /// Exactly `count` digits after the point, zero-filled.
    std::string fractionDigits(int count) const;

private:
    void roundAt(int keep);
};

} // namespace qelvan::format

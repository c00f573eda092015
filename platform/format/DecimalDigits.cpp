#include "DecimalDigits.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace qelvan::format {

DecimalDigits DecimalDigits::fromDouble(double value)
{
    DecimalDigits d;
    d.negative = std::signbit(value);
    if (value == 0.0)
        return d;
    // Scientific form keeps huge and tiny magnitudes short: "d.ddde±x".
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    const char* p = buf;
    const char* end = res.ptr;
    int exponent = 0;
    for (; p != end && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    }
    if (p != end)
        exponent = std::atoi(std::string(p + 1, end).c_str());
    d.pointPos = exponent + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

void DecimalDigits::roundAt(int keep)
{
    if (keep >= static_cast<int>(digits.size()))
        return;
    if (keep < 0) {
        digits.clear();
        return;
    }
    const bool up = digits[static_cast<size_t>(keep)] >= '5';
    digits.resize(static_cast<size_t>(keep));
    if (up) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            if (digits[static_cast<size_t>(i)] == '9') {
                digits[static_cast<size_t>(i)] = '0';
            } else {
                ++digits[static_cast<size_t>(i)];
                break;
            }
        }
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            ++pointPos;
        }
    }
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
}

void DecimalDigits::roundToFraction(int fractionDigits)
{
    roundAt(pointPos + fractionDigits);
}

void DecimalDigits::roundToSignificant(int count)
{
    roundAt(count);
}

std::string DecimalDigits::integerDigits() const
{
    if (pointPos <= 0 || digits.empty())
        return {};
    std::string out = digits.substr(0, static_cast<size_t>(pointPos));
    out.append(static_cast<size_t>(pointPos) - out.size(), '0');
    return out;
}

std::string DecimalDigits::fractionDigits(int count) const
{
    std::string out(static_cast<size_t>(count), '0');
    for (int i = 0; i < count; ++i) {
        const int idx = pointPos + i;
        if (idx >= 0 && idx < static_cast<int>(digits.size()))
            out[static_cast<size_t>(i)] = digits[static_cast<size_t>(idx)];
    }
    return out;
}

} // namespace qelvan::format

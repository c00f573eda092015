#include "PlainNumber.h"

#include <array>
#include <charconv>
#include <cmath>

namespace qelvan::exporting {

QByteArray plainNumber(double value)
{
    if (!std::isfinite(value))
        return {};
    if (value == 0)
        value = 0;
    // Fixed notation of the largest double needs 309 digits.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return QByteArray(buffer.data(), result.ptr - buffer.data());
}

} // namespace qelvan::exporting

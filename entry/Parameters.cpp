#include "Parameters.h"

#include "Cp936.h"

#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

namespace qelvan::entry {

namespace {

QString readCountedString(const char* text)
{
    if (!text)
        return {};
    std::int32_t length = 0;
    std::memcpy(&length, text - 4, sizeof length);
    if (length < 0)
        throw std::invalid_argument("a parameter has a negative length");
    return decodeCp936(std::string_view(text, std::size_t(length)));
}

} // namespace

QStringList readParameters(const char* const* params, std::int32_t highIndex)
{
    if (!params)
        throw std::invalid_argument("showdll: the parameter array is null");
    if (highIndex < parameterCount - 1)
        throw std::invalid_argument("showdll: the parameter array has " + std::to_string(std::int64_t(highIndex) + 1) +
                                    " elements, at least 12 are needed");
    QStringList texts;
    texts.reserve(parameterCount);
    for (int i = 0; i < parameterCount; ++i)
        texts.append(readCountedString(params[i]));
    return texts;
}

int parameterToInt(const QString& text, const char* what)
{
    auto fail = [&] {
        throw std::invalid_argument("'" + text.toStdString() + "' is not a decimal integer (" + what + ")");
    };
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        fail();
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            fail();
        value = value * 10 + (c.unicode() - '0');
        if (value > std::int64_t(std::numeric_limits<int>::max()) + 1)
            fail();
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        fail();
    return int(value);
}

} // namespace qelvan::entry

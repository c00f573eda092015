// Display patterns come from report templates; values from the database.
// Any pattern with any value must format, and the general form must read
// back as a number.

#include "format/NumberFormat.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QStringDecoder>

#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace qelvan::format;

namespace {

FormatSettings oddSettings()
{
    FormatSettings s;
    s.decimalSeparator = QLatin1Char('~');
    s.thousandSeparator = QChar(0x2009);
    s.currencyString = QStringLiteral("0$;'");
    s.currencyFormat = 3;
    s.currencyDecimals = 3;
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const double value = in.ConsumeBool() ? in.ConsumeFloatingPoint<double>()
                                          : double(in.ConsumeIntegral<std::int64_t>()) / 1000.0;
    const std::string bytes = in.ConsumeRemainingBytesAsString();
    const QString pattern = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));

    FormatSettings plain;
    plain.decimalSeparator = QLatin1Char('.');
    plain.thousandSeparator = QLatin1Char(',');
    static const FormatSettings odd = oddSettings();

    (void)isValidPattern(pattern);
    (void)formatFloat(pattern, value, plain);
    (void)formatFloat(pattern, -value, odd);
    (void)currencyDefaultPattern(odd);

    const QString general = formatGeneral(value, plain);
    if (std::isfinite(value)) {
        bool ok = false;
        const double back = general.toDouble(&ok);
        // Fifteen significant digits: close to the value, never something
        // else. Next to the largest double they may round past it.
        const bool overflows = std::abs(value) > 1.79769313486e308;
        if (!overflows && (!ok || std::abs(back - value) > 1e-14 * std::max(1.0, std::abs(value)) + 1e-300))
            std::abort();
    }
    return 0;
}

// The host's parameter array: counted strings of any bytes (null elements,
// embedded NULs, text that is not code page 936), any element count and any
// geometry text. Reading must give twelve texts or a clean refusal; the
// decoder must turn any bytes into text, and text it decodes cleanly must
// write back to code page 936.

#include "Cp936.h"
#include "Parameters.h"

#include <qelvan/counted_string.h>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

using namespace qelvan::entry;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const int highIndex = in.ConsumeIntegralInRange<int>(-2, 14);

    // Exactly highIndex + 1 elements: the host's promise the reader relies on.
    qelvan::CountedStringArray array;
    for (int i = 0; i <= highIndex; ++i) {
        if (in.ConsumeIntegralInRange<int>(0, 7) == 0)
            array.appendNull();
        else
            array.appendCp936(in.ConsumeRandomLengthString(24));
    }
    const std::string rest = in.ConsumeRemainingBytesAsString();

    try {
        const QStringList texts = readParameters(highIndex >= 0 ? array.data() : nullptr, highIndex);
        if (texts.size() != parameterCount)
            std::abort();
        for (int i = 8; i < parameterCount; ++i) {
            try {
                (void)parameterToInt(texts[i], "geometry");
            } catch (const std::invalid_argument&) {
            }
        }
    } catch (const std::invalid_argument&) {
        if (highIndex >= parameterCount - 1)
            std::abort();   // enough elements are never refused
    }

    const QString decoded = decodeCp936(rest);
    if (!rest.empty() && decoded.isEmpty())
        std::abort();
    if (!decoded.contains(QChar(0xFFFD))) {
        try {
            (void)qelvan::toCp936(decoded.toStdString());
        } catch (const std::invalid_argument&) {
            std::abort();
        }
    }
    return 0;
}

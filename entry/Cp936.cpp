#include "Cp936.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace qelvan::entry {

namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle openDecoder()
{
    iconv_t cd = iconv_open("UTF-8", "CP936");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("code page 936 is not available");
    return IconvHandle(cd);
}

} // namespace

QString decodeCp936(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const IconvHandle decoder = openDecoder();
    // Every code page 936 character takes at most three bytes in UTF-8.
    std::string out(bytes.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    static const char replacement[] = "\xEF\xBF\xBD";
    while (inLeft > 0) {
        if (iconv(static_cast<iconv_t>(decoder.get()), &in, &inLeft, &dst, &outLeft) != static_cast<std::size_t>(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            throw std::runtime_error("code page 936 text could not be decoded");
        // A replacement takes three bytes for at least one byte skipped;
        // make room when the bad bytes come one at a time.
        if (outLeft < 3) {
            const std::size_t used = out.size() - outLeft;
            out.resize(out.size() + inLeft * 3 + 4);
            dst = out.data() + used;
            outLeft = out.size() - used;
        }
        std::memcpy(dst, replacement, 3);
        dst += 3;
        outLeft -= 3;
        ++in;
        --inLeft;
        iconv(static_cast<iconv_t>(decoder.get()), nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(out.size() - outLeft);
    return QString::fromUtf8(out.data(), qsizetype(out.size()));
}

} // namespace qelvan::entry

#pragma once
// Builds the parameter array showdll reads: each element the address of the
// first character of a NUL-terminated text in code page 936, with the text's
// 32-bit length just before it and a 32-bit reference count before that
// (-1: a constant that is never released). A null element stands for the
// empty string. Header-only; needs iconv (part of the C library on Linux).

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qelvan {

/// UTF-8 text to code page 936. Throws std::invalid_argument for text that
/// is not UTF-8 or that code page 936 cannot hold.
inline std::string toCp936(std::string_view utf8)
{
    struct Converter {
        iconv_t cd = iconv_open("CP936", "UTF-8");
        ~Converter()
        {
            if (cd != reinterpret_cast<iconv_t>(-1))
                iconv_close(cd);
        }
    } converter;
    if (converter.cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("code page 936 is not available");

    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    if (iconv(converter.cd, &in, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1))
        throw std::invalid_argument("text cannot be written in code page 936: " + std::string(utf8));
    out.resize(out.size() - outLeft);
    return out;
}

/// An owned array of counted strings. The pointers from data() stay valid
/// while the array lives and is not appended to.
class CountedStringArray {
public:
    CountedStringArray() = default;
    /// One element per UTF-8 text, converted to code page 936.
    explicit CountedStringArray(const std::vector<std::string>& utf8Texts)
    {
        for (const std::string& text : utf8Texts)
            append(text);
    }

    /// Adds a UTF-8 text, converted to code page 936; an empty text becomes
    /// a null element, as hosts pass it.
    void append(std::string_view utf8) { appendCp936(toCp936(utf8)); }

    /// Adds bytes already in code page 936.
    void appendCp936(std::string_view bytes)
    {
        if (bytes.empty()) {
            appendNull();
            return;
        }
        const std::int32_t refCount = -1;
        const auto length = static_cast<std::int32_t>(bytes.size());
        std::unique_ptr<char[]> block(new char[8 + bytes.size() + 1]);
        std::memcpy(block.get(), &refCount, 4);
        std::memcpy(block.get() + 4, &length, 4);
        std::memcpy(block.get() + 8, bytes.data(), bytes.size());
        block[8 + bytes.size()] = '\0';
        m_elements.push_back(block.get() + 8);
        m_blocks.push_back(std::move(block));
    }

    void appendNull() { m_elements.push_back(nullptr); }

    const char* const* data() const { return m_elements.data(); }
    std::int32_t highIndex() const { return static_cast<std::int32_t>(m_elements.size()) - 1; }
    std::size_t size() const { return m_elements.size(); }

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::vector<const char*> m_elements;
};

} // namespace qelvan

#pragma once
// ASCII-only case folding: identifiers, link names, declared types and date
// format codes compare as Oracle compares unquoted names, whatever the locale.

#include <string>
#include <string_view>

namespace qelvan::db {

inline char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

inline std::string asciiUpper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = asciiUpper(c);
    return out;
}

} // namespace qelvan::db

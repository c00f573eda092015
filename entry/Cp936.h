#pragma once
// Code page 936 text from the host, decoded to Unicode.

#include <QString>

#include <string_view>

namespace qelvan::entry {

/// Decodes code page 936 bytes. A byte sequence the code page does not
/// define becomes U+FFFD, so one bad byte cannot stop a call.
QString decodeCp936(std::string_view bytes);

} // namespace qelvan::entry

#pragma once
// Text inside the control is UTF-8; these convert it to and from the UTF-16
// that COM, the stream's wide strings and the platform's W functions use.

#include <string>

namespace corvane {

// Ill-formed UTF-8 (a stray byte, a cut sequence) becomes U+FFFD.
std::u16string Utf16FromUtf8(const std::string& text);
// An unpaired surrogate becomes U+FFFD.
std::string Utf8FromUtf16(const char16_t* units, size_t count);
inline std::string Utf8FromUtf16(const std::u16string& units) {
    return Utf8FromUtf16(units.data(), units.size());
}

inline bool IsAscii(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace corvane

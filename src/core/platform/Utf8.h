#pragma once
// Text inside the control is UTF-8; these convert it to and from the UTF-16
// that COM, the stream's wide strings and the platform's W functions use.

#include <cstdint>
#include <cstring>
#include <string>

namespace corvane {

// Ill-formed UTF-8 (a stray byte, a cut sequence) becomes U+FFFD.
std::u16string Utf16FromUtf8(const std::string& text);
// An unpaired surrogate becomes U+FFFD.
std::string Utf8FromUtf16(const char16_t* units, size_t count);
inline std::string Utf8FromUtf16(const std::u16string& units) {
    return Utf8FromUtf16(units.data(), units.size());
}

// Eight bytes at a time: every caption a document loads passes through here.
inline bool IsAscii(const char* text, size_t length) {
    uint64_t high = 0;
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t word = 0;
        std::memcpy(&word, text + i, 8);
        high |= word;
    }
    for (; i < length; ++i)
        high |= static_cast<unsigned char>(text[i]);
    return (high & 0x8080808080808080ull) == 0;
}
inline bool IsAscii(const std::string& text) {
    return IsAscii(text.data(), text.size());
}

} // namespace corvane

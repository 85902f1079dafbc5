#pragma once
// The control's UTF-8 text as the UTF-16 of the W functions, and back.
// wchar_t is 16 bits on Windows, so the units convert as they are.

#include "core/platform/Utf8.h"

#include <string>

namespace corvane::win32 {

inline std::wstring WideFromUtf8(const std::string& text) {
    const std::u16string units = Utf16FromUtf8(text);
    return std::wstring(units.begin(), units.end());
}

inline std::string Utf8FromWide(const wchar_t* text, size_t count) {
    return Utf8FromUtf16(reinterpret_cast<const char16_t*>(text), count);
}

inline std::string Utf8FromWide(const std::wstring& text) {
    return Utf8FromWide(text.data(), text.size());
}

} // namespace corvane::win32

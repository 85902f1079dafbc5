#include "core/platform/CodePage.h"

#include "core/platform/Utf8.h"

namespace corvane {
namespace {

// 0x80..0x9F of Windows-1252; the five bytes it leaves undefined map to the
// C1 controls of the same number, as the system's conversion does.
constexpr char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t UnitOf1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? HighControls[byte - 0x80] : char16_t(byte);
}

bool ByteOf1252(char16_t unit, char& byte) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        byte = static_cast<char>(unit);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (HighControls[i] == unit) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

bool ToAnsi1252(const std::string& text, std::string& ansi) {
    const std::u16string units = Utf16FromUtf8(text);
    ansi.clear();
    ansi.reserve(units.size());
    for (const char16_t unit : units) {
        char byte = 0;
        // U+FFFD stands for ill-formed input, which no code page holds.
        if (!ByteOf1252(unit, byte))
            return false;
        ansi += byte;
    }
    return true;
}

std::string FromAnsi1252(const std::string& ansi) {
    std::u16string units;
    units.reserve(ansi.size());
    for (const char c : ansi)
        units += UnitOf1252(static_cast<unsigned char>(c));
    return Utf8FromUtf16(units);
}

const TCodePage* g_page = &Windows1252;

} // namespace

const TCodePage Windows1252 = {&ToAnsi1252, &FromAnsi1252};

void SetCodePage(const TCodePage* page) {
    g_page = page ? page : &Windows1252;
}

bool TextToAnsi(const std::string& text, std::string& ansi) {
    if (IsAscii(text)) {
        ansi = text;
        return true;
    }
    return g_page->ToAnsi(text, ansi);
}

std::string TextFromAnsi(std::string ansi) {
    if (IsAscii(ansi))
        return ansi;
    return g_page->FromAnsi(ansi);
}

} // namespace corvane

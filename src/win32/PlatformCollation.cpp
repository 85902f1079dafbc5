#include "win32/PlatformCollation.h"

#include "core/platform/CodePage.h"
#include "core/platform/Collation.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"

namespace corvane::win32 {
namespace {

// lstrcmpW is WINAPI (stdcall on 32-bit), so it needs a plain wrapper. It
// orders as lstrcmpA did for code-page text: both compare the wide form.
int CompareWithLstrcmp(const char* a, const char* b) {
    return ::lstrcmpW(WideFromUtf8(a).c_str(), WideFromUtf8(b).c_str());
}

bool ToSystemAnsi(const std::string& text, std::string& ansi) {
    const std::wstring wide = WideFromUtf8(text);
    const int chars = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int bytes = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), chars,
                                            nullptr, 0, nullptr, &usedDefault);
    if (usedDefault || (bytes == 0 && chars > 0))
        return false;
    ansi.assign(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), chars, ansi.data(), bytes,
                          nullptr, &usedDefault);
    // U+FFFD stands for ill-formed input; a code page that holds it would
    // still not give back what was stored.
    return !usedDefault && wide.find(L'\xFFFD') == std::wstring::npos;
}

std::string FromSystemAnsi(const std::string& ansi) {
    const int bytes = static_cast<int>(ansi.size());
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, nullptr, 0);
    std::wstring wide(static_cast<size_t>(chars), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, wide.data(), chars);
    return Utf8FromWide(wide);
}

const TCodePage SystemCodePage = {&ToSystemAnsi, &FromSystemAnsi};

} // namespace

void InstallPlatformCollation() {
    SetCaptionCompare(&CompareWithLstrcmp);
    SetCodePage(&SystemCodePage);
}

namespace {

// Installed while the program or library loads, so that a host sorting or
// saving a control that has no window yet does so as the platform does.
// (Only pointers are stored: nothing here may call into other libraries
// while the loader runs.)
const bool installedAtLoad = (InstallPlatformCollation(), true);

} // namespace

} // namespace corvane::win32

#include "win32/Dpi.h"

#include "win32/GdiHandles.h"

namespace corvane::win32 {
namespace {

using TGetDpiForWindow = UINT(WINAPI*)(HWND);

// Looked up rather than linked: older systems lack it.
TGetDpiForWindow GetDpiForWindowEntry() {
    static const TGetDpiForWindow entry = [] {
        const HMODULE user = ::GetModuleHandleA("user32.dll");
        return user == nullptr ? nullptr
                               : reinterpret_cast<TGetDpiForWindow>(reinterpret_cast<void*>(
                                     ::GetProcAddress(user, "GetDpiForWindow")));
    }();
    return entry;
}

} // namespace

int WindowPixelsPerInch(HWND window) {
    if (window != nullptr) {
        if (const TGetDpiForWindow entry = GetDpiForWindowEntry()) {
            if (const UINT dpi = entry(window); dpi != 0)
                return static_cast<int>(dpi);
        }
    }
    const WindowDC screen(window);
    const int dpi = screen.get() != nullptr ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : TDpiScale::BasePixelsPerInch;
}

} // namespace corvane::win32

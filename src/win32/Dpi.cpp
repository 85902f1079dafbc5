#include "win32/Dpi.h"

#include "win32/GdiHandles.h"

namespace corvane::win32 {
namespace {

// Looked up rather than linked: older systems lack it.
TWindowDpiQuery GetDpiForWindowEntry() {
    static const TWindowDpiQuery entry = [] {
        const HMODULE user = ::GetModuleHandleA("user32.dll");
        return user == nullptr ? nullptr
                               : reinterpret_cast<TWindowDpiQuery>(reinterpret_cast<void*>(
                                     ::GetProcAddress(user, "GetDpiForWindow")));
    }();
    return entry;
}

} // namespace

TWindowDpiQuery SystemWindowDpiQuery() {
    return GetDpiForWindowEntry();
}

int WindowPixelsPerInch(HWND window) {
    return WindowPixelsPerInch(window, GetDpiForWindowEntry());
}

int WindowPixelsPerInch(HWND window, TWindowDpiQuery query) {
    if (window != nullptr && query != nullptr) {
        if (const UINT dpi = query(window); dpi != 0)
            return static_cast<int>(dpi);
    }
    const WindowDC screen(window);
    const int dpi = screen.get() != nullptr ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : TDpiScale::BasePixelsPerInch;
}

} // namespace corvane::win32

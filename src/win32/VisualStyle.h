#pragma once
// The platform's visual styles (uxtheme), looked up at run time: on a system
// without uxtheme, or with visual styles off or turned off for a window, the
// window has no theme and draws the classic way.

#include "win32/WinApi.h"

#include <uxtheme.h>

#include <optional>

namespace corvane::win32 {

// The theme of one window for one class list, closed when replaced or
// destroyed.
class WindowTheme {
public:
    WindowTheme() = default;
    ~WindowTheme() { Close(); }
    WindowTheme(const WindowTheme&) = delete;
    WindowTheme& operator=(const WindowTheme&) = delete;

    // Closes the theme held, then opens the window's theme for classList;
    // none when visual styles are off (or turned off for the window) or
    // uxtheme is missing.
    void Open(HWND window, const wchar_t* classList);
    void Close();
    explicit operator bool() const { return theme_ != nullptr; }

    // False when there is no theme or the theme could not draw the part.
    bool DrawBackground(HDC dc, int part, int state, const RECT& rect) const;
    // A colour property of the part in the state, when the theme has one.
    std::optional<COLORREF> Color(int part, int state, int property) const;

private:
    HTHEME theme_ = nullptr;
};

// Turns visual styles off for one window, which then draws the classic way
// in the system colours, or gives it the system's style back.
void SetClassicLook(HWND window, bool classic);

} // namespace corvane::win32

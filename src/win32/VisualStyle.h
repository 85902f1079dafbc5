#pragma once
// The platform's visual styles (uxtheme), looked up at run time: on a system
// without uxtheme, or with visual styles off or turned off for a window, the
// window has no theme and draws the classic way.

#include "win32/GdiHandles.h"

#include <uxtheme.h>

#include <optional>
#include <vector>

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

    // Fills rect with background and draws the part over it; false when
    // there is no theme or it could not draw the part. A part drawn before
    // at the same size on the same background is copied from that drawing
    // (onto the screen or a bitmap): the theme's own drawing is slow, and a
    // header of 50 columns of one width draws its item once, not 50 times.
    bool DrawBackground(HDC dc, int part, int state, const RECT& rect, COLORREF background) const;
    // A colour property of the part in the state, when the theme has one.
    std::optional<COLORREF> Color(int part, int state, int property) const;

private:
    struct Drawn {
        int Part, State, Width, Height;
        COLORREF Background;
        UniqueBitmap Bitmap;
    };
    // The drawing at this size on this background, made on first use; null
    // for a printer or a metafile (they get the theme's own drawing).
    HBITMAP Cached(HDC dc, int part, int state, int width, int height, COLORREF background) const;
    bool DrawDirect(HDC dc, int part, int state, const RECT& rect, COLORREF background) const;

    HTHEME theme_ = nullptr;
    mutable std::vector<Drawn> drawn_; // the latest last; of the open theme only
};

// Turns visual styles off for one window, which then draws the classic way
// in the system colours, or gives it the system's style back.
void SetClassicLook(HWND window, bool classic);

} // namespace corvane::win32

#pragma once
// Colour tests for pixels read back from GDI. Text may be antialiased, so
// "text-coloured" means close to the text colour rather than equal to it.

#include "DibSurface.h"
#include "win32/WinApi.h"

#include <cstdlib>
#include <functional>

namespace corvane::win32::testing {

inline bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

inline std::function<bool(COLORREF)> Is(COLORREF color) {
    return [color](COLORREF c) { return c == color; };
}

inline std::function<bool(COLORREF)> IsNot(COLORREF color) {
    return [color](COLORREF c) { return c != color; };
}

// Within a quarter of the way from `color` to anything else.
inline std::function<bool(COLORREF)> CloseTo(COLORREF color) {
    return [color](COLORREF c) { return Near(c, color, 64); };
}

inline COLORREF Inverted(COLORREF c) {
    return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c));
}

inline COLORREF Sys(int index) {
    return ::GetSysColor(index);
}

// Number of pixels in which two images of the same size differ.
inline int Differences(const DibSurface& a, const DibSurface& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                ++n;
    return n;
}

} // namespace corvane::win32::testing

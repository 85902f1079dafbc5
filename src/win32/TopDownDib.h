#pragma once
// A 32-bit top-down DIB section: rows from the top, one 0x00RRGGBB value per
// pixel, readable in place (screenshots, pixel tests).

#include "win32/GdiHandles.h"

namespace corvane::win32 {

// Null when the bitmap cannot be made; *bits then stays null.
UniqueBitmap CreateTopDownDib(HDC dc, int width, int height, void** bits);

} // namespace corvane::win32

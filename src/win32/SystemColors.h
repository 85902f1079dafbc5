#pragma once
// Framework colours (direct 0x00BBGGRR or 0x80000000 | system colour index)
// turned into the COLORREF that GDI draws with.

#include "core/framework/Graphics.h"

#include "win32/WinApi.h"

namespace corvane::win32 {

COLORREF ToColorRef(TColor color);

} // namespace corvane::win32

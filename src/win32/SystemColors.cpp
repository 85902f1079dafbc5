#include "win32/SystemColors.h"

namespace corvane::win32 {

COLORREF ToColorRef(TColor color) {
    if (IsSystemColor(color))
        return ::GetSysColor(static_cast<int>(color & 0xFFu));
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

} // namespace corvane::win32

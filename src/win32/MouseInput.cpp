#include "win32/MouseInput.h"

namespace corvane::win32 {

TPoint PointFromLParam(LPARAM lParam) {
    return TPoint{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

TShiftState ShiftFromKeys(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT)
        shift |= ssShift;
    if (keys & MK_CONTROL)
        shift |= ssCtrl;
    if (keys & MK_LBUTTON)
        shift |= ssLeft;
    if (keys & MK_RBUTTON)
        shift |= ssRight;
    if (keys & MK_MBUTTON)
        shift |= ssMiddle;
    // Mouse messages do not carry Alt.
    if (::GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

TShiftState ShiftFromKeyboard(LPARAM keyData) {
    TShiftState shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (::GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    constexpr LPARAM ContextCode = LPARAM{1} << 29; // Alt was down
    if (::GetKeyState(VK_MENU) < 0 || (keyData & ContextCode) != 0)
        shift |= ssAlt;
    return shift;
}

} // namespace corvane::win32

#pragma once
// Reading mouse and key messages: the client point and the framework's shift
// state.

#include "core/control/StrativTypes.h"
#include "core/framework/Graphics.h"

#include "win32/WinApi.h"

namespace corvane::win32 {

// The signed 16-bit halves of a position value.
TPoint PointFromLParam(LPARAM lParam);

// MK_* key flags of a mouse message, plus the Alt key from the keyboard state.
TShiftState ShiftFromKeys(WPARAM keys);

// Shift, Ctrl and Alt from the keyboard state for a key message; Alt also
// from the message's own context bit (system keys carry it).
TShiftState ShiftFromKeyboard(LPARAM keyData);

} // namespace corvane::win32

#pragma once
// What a screen reader is told about a painted push button (a window class
// of our own, which the system's objects know only as a client area): a
// push button named by its caption, focusable, pressed by its default
// action. Everything else is the system's object for the window.

#include "win32/WinApi.h"

namespace corvane::win32::editor {

// The answer to WM_GETOBJECT for the button's client area; 0 for any other
// object (the system answers those).
LRESULT AccessibleButtonObject(HWND button, WPARAM flags, LPARAM objectId);

} // namespace corvane::win32::editor

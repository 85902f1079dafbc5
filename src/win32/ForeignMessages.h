#pragma once
// Any thread or process can send or post any message to any window. The
// system marshals its own messages across processes, but neither WM_NOTIFY
// nor a common control's own (WM_USER and up): their parameters are read as
// pointers into the receiver, where a foreign sender's values point at
// whatever it chose. The control's windows take such messages only from the
// window's own thread, and never posted.

#include "win32/WinApi.h"

namespace corvane::win32 {

// Makes `window` refuse foreign WM_NOTIFY and, for a system control, its
// own messages: sent from another thread they answer 0 and reach nothing;
// posted they arrive as WM_NULL. A window of another thread is left as it is.
// Lasts until the window goes.
enum class TForeignGuard { SystemControl, OwnWindow };
void RefuseForeignMessages(HWND window, TForeignGuard kind);

} // namespace corvane::win32

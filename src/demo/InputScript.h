#pragma once
// A fixed piece of input for the hosted control, posted to its window
// through the message loop as a user's would arrive: a click on a column, a
// column's right edge dragged wider, then keys: Right to the next column,
// Space to click it, Ctrl+Left to make it a pixel narrower. The events it
// causes go to the log as usual, so a run shows what a host hears.

#include "win32/WinApi.h"

namespace corvane::demo {

// Returns when the input has been handled.
void RunInputScript(HWND control);

} // namespace corvane::demo

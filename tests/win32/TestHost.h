#pragma once
// A visible top-level window on the test display for header windows to live
// in (the shared container window), and message pumping for what was posted
// to this thread.

#include "win32/WinApi.h"

#include "host/ContainerWindow.h"

namespace corvane::win32::testing {

class HostWindow {
public:
    HostWindow(int clientWidth = 700, int clientHeight = 200);
    HWND get() const { return window_.Handle(); }

    // One host for the whole test program, at its standard size. Wine waits
    // up to two seconds for a window manager whenever a top-level window
    // that owns popups (tooltips) is destroyed; a shared host pays that once.
    static HWND Shared();

private:
    host::ContainerWindow window_;
};

// Dispatches every message waiting for this thread.
using host::PumpMessages;

// Screen position of a client point of `window`.
POINT ToScreen(HWND window, int x, int y);

} // namespace corvane::win32::testing

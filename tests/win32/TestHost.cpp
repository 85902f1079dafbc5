#include "TestHost.h"

namespace corvane::win32::testing {
namespace {

host::WindowPlacement HostPlacement(int clientWidth, int clientHeight) {
    host::WindowPlacement placement;
    placement.x = 20;
    placement.y = 20;
    placement.clientWidth = clientWidth;
    placement.clientHeight = clientHeight;
    placement.style = WS_POPUP | WS_CLIPCHILDREN;
    return placement;
}

} // namespace

HostWindow::HostWindow(int clientWidth, int clientHeight)
    : window_("host", HostPlacement(clientWidth, clientHeight)) {
    PumpMessages();
}

HWND HostWindow::Shared() {
    static HostWindow* shared = new HostWindow(); // lives until the process ends
    ::SetWindowPos(shared->get(), nullptr, 20, 20, 700, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    return shared->get();
}

POINT ToScreen(HWND window, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(window, &p);
    return p;
}

} // namespace corvane::win32::testing

#include "TestHost.h"

#include <stdexcept>

namespace corvane::win32::testing {
namespace {

constexpr const char* HostClassName = "CorvaneTestHost";

void RegisterHostClass() {
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = HostClassName;
    ::RegisterClassExA(&wc);
    registered = true;
}

} // namespace

HostWindow::HostWindow(int clientWidth, int clientHeight) {
    RegisterHostClass();
    RECT r{0, 0, clientWidth, clientHeight};
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN;
    ::AdjustWindowRect(&r, style, FALSE);
    window_.reset(::CreateWindowExA(0, HostClassName, "host", style, 20, 20, r.right - r.left,
                                    r.bottom - r.top, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                                    nullptr));
    if (!window_)
        throw std::runtime_error("cannot create the host window");
    ::ShowWindow(window_.get(), SW_SHOW);
    ::UpdateWindow(window_.get());
    PumpMessages();
}

HWND HostWindow::Shared() {
    static HostWindow* shared = new HostWindow(); // lives until the process ends
    ::SetWindowPos(shared->get(), nullptr, 20, 20, 700, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    return shared->get();
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

POINT ToScreen(HWND window, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(window, &p);
    return p;
}

} // namespace corvane::win32::testing

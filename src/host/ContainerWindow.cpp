#include "host/ContainerWindow.h"

#include "host/HostError.h"

namespace corvane::host {
namespace {

constexpr const char* ClassName = "CorvaneContainerWindow";

void RegisterClassOnce() {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExA(::GetModuleHandleA(nullptr), ClassName, &existing))
        return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcA; // until WM_NCCREATE hands over
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = ClassName;
    if (::RegisterClassExA(&wc) == 0)
        throw HostError("RegisterClassEx failed", HRESULT_FROM_WIN32(::GetLastError()));
}

} // namespace

ContainerWindow::ContainerWindow(const char* title, const WindowPlacement& placement) {
    RegisterClassOnce();
    RECT r{0, 0, placement.clientWidth, placement.clientHeight};
    ::AdjustWindowRect(&r, placement.style, FALSE);
    window_ = ::CreateWindowExA(0, ClassName, title, placement.style, placement.x, placement.y,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
    if (window_ == nullptr)
        throw HostError("CreateWindowEx failed", HRESULT_FROM_WIN32(::GetLastError()));
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
    ::ShowWindow(window_, placement.show);
    ::UpdateWindow(window_);
}

ContainerWindow::~ContainerWindow() {
    if (window_ != nullptr)
        ::DestroyWindow(window_);
}

LRESULT CALLBACK ContainerWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* self = reinterpret_cast<ContainerWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        // An owner's handler must not unwind into Windows; the message is
        // answered as unhandled.
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT ContainerWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = window_;
    switch (message) {
    case WM_SIZE:
        if (OnSize)
            OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_CLOSE:
        if (!QuitOnClose)
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
        ::ShowWindow(hwnd, SW_HIDE);
        ::PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        window_ = nullptr;
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    default:
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void PumpMessagesFor(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        PumpMessages();
        ::Sleep(5);
    } while (::GetTickCount() - start < milliseconds);
}

int RunMessageLoop() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace corvane::host

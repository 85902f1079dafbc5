#include "MainWindow.h"

#include "SampleTree.h"
#include "core/framework/Exceptions.h"
#include "win32/Dpi.h"
#include "win32/ErrorBox.h"

#include <algorithm>
#include <string>

namespace corvane::demo {
namespace {

constexpr const char* ClassName = "CorvaneDemoWindow";
constexpr int Margin = 12;
constexpr int HeaderClientHeight = 72;
constexpr int HeaderWidth = 600;
constexpr int InstructionsHeight = 52;

// The window being made, for its WM_NCCREATE: never a pointer taken from a
// message, which anyone can send.
thread_local MainWindow* t_creating = nullptr;

void RegisterClassOnce() {
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &MainWindow::WindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = ClassName;
    if (::RegisterClassExA(&wc) == 0)
        win32::RaiseLastWin32Error("RegisterClassEx");
    registered = true;
}

// The system's button face colour, as an OLE colour.
constexpr OLE_COLOR ButtonFace = 0x80000000u | COLOR_BTNFACE;

void Require(HRESULT hr, const char* what) {
    if (FAILED(hr))
        throw Exception(std::string("Setting up the header control: ") + what + " failed");
}

void SetUp(ICorvane& control, const TDpiScale& scale) {
    Require(control.put_Color(ButtonFace), "Color");
    Require(control.put_Headerstyle(::bsNew), "Headerstyle");
    Require(control.put_DoubleBuffered(VARIANT_TRUE), "DoubleBuffered");
    Require(control.put_AllowHint(VARIANT_TRUE), "AllowHint");
    // Captions hold text in any script, whatever the system's code page.
    BuildSampleTree(control, scale,
                    "Delivery \u00b7 \u0414\u043e\u0441\u0442\u0430\u0432\u043a\u0430 "
                    "\u00b7 \u03a0\u03b1\u03c1\u03ac\u03b4\u03bf\u03c3\u03b7");
}

} // namespace

MainWindow::MainWindow() : scale_(win32::WindowDpiScale(nullptr)) {
    RegisterClassOnce();
    const TDpiScale& s = scale_;

    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT r{0, 0, s(HeaderWidth) + 2 + 2 * s(Margin),
           s(HeaderClientHeight) + 2 + 3 * s(Margin) + s(InstructionsHeight)};
    ::AdjustWindowRect(&r, style, FALSE);
    // WM_NCCREATE hands the window to window_.
    t_creating = this;
    const HWND created = ::CreateWindowExA(
        0, ClassName, "CorvaneC header demo", style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
        r.bottom - r.top, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    t_creating = nullptr;
    if (created == nullptr)
        win32::RaiseLastWin32Error("CreateWindowEx");

    RECT client{};
    ::GetClientRect(window_.get(), &client);
    site_ = std::make_unique<host::ControlSite>(window_.get());
    site_->Position = HeaderRect(client.right);
    control_ = std::make_unique<host::HostedControl>(*site_, &sink_);
    SetUp(control_->Control(), scale_);
    instructions_.reset(::CreateWindowExA(
        0, "STATIC",
        "Drag a column's right edge or a band's bottom edge to resize (double-click an edge "
        "to fit its caption, Shift+drag a group's edge to resize its columns in proportion); "
        "click, or drag a section onto another to move it; right-click for the menu. Keys: "
        "arrows, Home, End, Space, Ctrl+arrows, Alt+Left/Right, Shift+F10. Events go to "
        "standard output.",
        WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window_.get(), nullptr, ::GetModuleHandleA(nullptr),
        nullptr));
    ::SendMessageA(instructions_.get(), WM_SETFONT,
                   reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    LayOut(client.right);
    ::ShowWindow(window_.get(), SW_SHOW);
    // The header starts with the keyboard focus; the focus rectangle marks
    // its first section.
    ::SetFocus(HeaderHandle());
    ::UpdateWindow(window_.get());
}

RECT MainWindow::HeaderRect(int clientWidth) const {
    const int margin = scale_(Margin);
    const int width = std::max(clientWidth - 2 * margin, 40);
    return RECT{margin, margin, margin + width, margin + scale_(HeaderClientHeight) + 2};
}

void MainWindow::LayOut(int clientWidth) {
    const int margin = scale_(Margin);
    const int width = std::max(clientWidth - 2 * margin, 40);
    if (control_)
        control_->Move(HeaderRect(clientWidth));
    if (instructions_)
        ::MoveWindow(instructions_.get(), margin, 2 * margin + scale_(HeaderClientHeight) + 2,
                     width, scale_(InstructionsHeight), TRUE);
}

MainWindow* MainWindow::FromHandle(HWND hwnd, UINT message) {
    if (message == WM_NCCREATE && t_creating != nullptr &&
        ::GetWindowLongPtrA(hwnd, GWLP_USERDATA) == 0) {
        MainWindow* const self = t_creating;
        t_creating = nullptr;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_.reset(hwnd);
        return self;
    }
    return reinterpret_cast<MainWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        MainWindow* self = FromHandle(hwnd, message);
        if (self == nullptr)
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
        switch (message) {
        case WM_SIZE:
            return self->OnSize(lParam);
        case WM_DESTROY:
            return self->OnDestroy();
        case WM_NCDESTROY:
            return self->OnNcDestroy(hwnd, wParam, lParam);
        default:
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
        }
    } catch (...) {
        win32::ShowCurrentException(hwnd);
        return 0;
    }
}

LRESULT MainWindow::OnSize(LPARAM lParam) {
    LayOut(LOWORD(lParam));
    return 0;
}

LRESULT MainWindow::OnDestroy() {
    control_.reset();
    ::PostQuitMessage(0);
    return 0;
}

LRESULT MainWindow::OnNcDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    window_.release();
    instructions_.release(); // destroyed with its parent
    return ::DefWindowProcA(hwnd, WM_NCDESTROY, wParam, lParam);
}

} // namespace corvane::demo

// The window procedure of the header's window class, and the class itself.
#include "win32/ErrorBox.h"
#include "win32/PlatformCollation.h"
#include "win32/StrativWindow.h"

#include <mutex>

namespace corvane::win32 {

LRESULT CALLBACK StrativWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    StrativWindow* self = FromHandle(hwnd, message);
    // Whatever a host does inside a handler's modal loops (the error box's
    // among them), the window and its owner stay until the message is done.
    const ControlEntry entry(self != nullptr ? self->entryOwner_ : nullptr);
    // Nothing may unwind into Windows code: any error of a handler ends here
    // and is shown in the error box.
    try {
        // A window on its way out after a re-creation has nothing left to
        // say to the control.
        if (self == nullptr || (hwnd != self->Handle() && message != WM_NCDESTROY))
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
        const MessageScope scope(*self);
        LRESULT hooked = 0;
        if (self->messageHook_ && self->messageHook_(message, wParam, lParam, hooked))
            return hooked;
        switch (message) {
        case WM_NCHITTEST:
            return self->OnNcHitTest(wParam, lParam);
        case WM_SETCURSOR:
            return self->OnSetCursor(wParam, lParam);
        case WM_MOUSEMOVE:
            return self->OnMouseMove(wParam, lParam);
        case WM_LBUTTONDOWN:
            return self->OnLButtonDown(wParam, lParam);
        case WM_LBUTTONDBLCLK:
            return self->OnLButtonDblClk(wParam, lParam);
        case WM_RBUTTONDOWN:
            return self->OnRButtonDown(wParam, lParam);
        case WM_MBUTTONDOWN:
            return self->OnMButtonDown(wParam, lParam);
        case WM_LBUTTONUP:
            return self->OnLButtonUp(wParam, lParam);
        case WM_RBUTTONUP:
            return self->OnRButtonUp(wParam, lParam);
        case WM_MBUTTONUP:
            return self->OnMButtonUp(wParam, lParam);
        case WM_MOUSELEAVE:
            return self->OnMouseLeave();
        case WM_CAPTURECHANGED:
            return self->OnCaptureChanged(lParam);
        case WM_GETDLGCODE:
            return self->OnGetDlgCode(lParam);
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return self->OnKeyDown(message, wParam, lParam);
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return self->OnKeyUp(message, wParam, lParam);
        case WM_CONTEXTMENU:
            return self->OnContextMenu(wParam, lParam);
        case WM_SETFOCUS:
            return self->OnSetFocus();
        case WM_KILLFOCUS:
            return self->OnKillFocus();
        case WM_PAINT:
            return self->OnPaint();
        case WM_PRINTCLIENT:
            return self->OnPrintClient(wParam);
        case WM_ERASEBKGND:
            return self->OnEraseBkgnd();
        case WM_SIZE:
            return self->OnSize();
        case WM_MOVE:
            return self->OnMove();
        case WM_NCDESTROY:
            return self->OnNcDestroy(hwnd, wParam, lParam);
        case DpiChangedBeforeParentMessage:
        case DpiChangedAfterParentMessage:
            return self->OnDpiChanged();
        case WM_THEMECHANGED:
            return self->OnThemeChanged();
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            return self->OnSystemSettingChange(message);
        case WM_UPDATEUISTATE:
            return self->OnUpdateUIState(wParam, lParam);
        default:
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
        }
    } catch (...) {
        ShowCurrentException(hwnd, self->loops_); // only a handler of `self` raises
        return 0;
    }
}

HINSTANCE StrativWindowModule() {
    // The module holding this code: the executable, or the control library
    // when a host loaded it.
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&StrativWindow::WindowProc), &module);
    return module;
}

void RegisterStrativWindowClass() {
    static std::once_flag once;
    std::call_once(once, [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        InstallPlatformCollation();

        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        // Redraw the whole window on every size change: the last column
        // stretches to the right edge, so no old pixel stays valid. A double
        // click on a column's edge fits the column to its caption.
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = &StrativWindow::WindowProc;
        wc.hInstance = StrativWindowModule();
        wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        wc.lpszClassName = StrativWindow::ClassName;
        if (::RegisterClassExA(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            RaiseLastWin32Error("RegisterClassEx");
    });
}

} // namespace corvane::win32

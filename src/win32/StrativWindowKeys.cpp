// The keyboard and the focus: key messages go to the control's key entry
// point, the focus messages tell it whether it has the focus.
#include "win32/MouseInput.h"
#include "win32/StrativWindow.h"

namespace corvane::win32 {

// Dialogs (and containers that work like them) leave the arrows to the
// header, and every other key it would use now; Tab still moves on.
LRESULT StrativWindow::OnGetDlgCode(LPARAM lParam) {
    LRESULT code = control_.WantsTabStop() ? DLGC_WANTARROWS : 0;
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg != nullptr && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) &&
        control_.WantsKey(static_cast<uint16_t>(msg->wParam), ShiftFromKeyboard(msg->lParam)))
        code |= DLGC_WANTMESSAGE;
    return code;
}

LRESULT StrativWindow::OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = window_.get();
    ShowFocusCues();
    if (!control_.KeyDown(static_cast<uint16_t>(wParam), ShiftFromKeyboard(lParam)))
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    usedKey_ = wParam;
    // Alt+arrow still goes past the system's handling, which then knows the
    // Alt key was not pressed alone (its release would open the menu bar).
    if (message == WM_SYSKEYDOWN && wParam != VK_F10 && window_)
        ::DefWindowProcA(hwnd, message, wParam, lParam);
    return 0;
}

LRESULT StrativWindow::OnKeyUp(UINT message, WPARAM wParam, LPARAM lParam) {
    if (usedKey_ != 0 && wParam == usedKey_) {
        usedKey_ = 0;
        return 0;
    }
    return ::DefWindowProcA(window_.get(), message, wParam, lParam);
}

// The menu key and Shift+F10 reach the control as keys; a context menu
// request made another way from the keyboard (position -1, -1) opens the
// menu at the focused section too.
LRESULT StrativWindow::OnContextMenu(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) == window_.get() && lParam == -1 &&
        control_.ContextMenuAtFocus())
        return 0;
    return ::DefWindowProcA(window_.get(), WM_CONTEXTMENU, wParam, lParam);
}

LRESULT StrativWindow::OnSetFocus() {
    control_.FocusEnter();
    return 0;
}

LRESULT StrativWindow::OnKillFocus() {
    usedKey_ = 0;
    control_.FocusExit();
    return 0;
}

} // namespace corvane::win32

// One handler per window message, each handing the message to the control in
// the form its entry points take.
#include "win32/DoubleBuffer.h"
#include "win32/MouseInput.h"
#include "win32/StrativWindow.h"

namespace corvane::win32 {

LRESULT StrativWindow::OnNcHitTest(WPARAM wParam, LPARAM lParam) {
    const LRESULT code = ::DefWindowProcA(window_.get(), WM_NCHITTEST, wParam, lParam);
    control_.WMNCHitTest(PointFromLParam(lParam));
    return code;
}

LRESULT StrativWindow::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    const int hitTest = static_cast<short>(LOWORD(lParam));
    if (control_.WMSetCursor(hitTest))
        return TRUE;
    return ::DefWindowProcA(window_.get(), WM_SETCURSOR, wParam, lParam);
}

LRESULT StrativWindow::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    const TPoint p = PointFromLParam(lParam);
    control_.WMMouseMove(p);
    // The control may have taken a new hint text; the move that turns the
    // tip on is the one it must time its showing from.
    if (SyncTooltip())
        tooltip_.Relay(WM_MOUSEMOVE, wParam, lParam);
    StartLeaveTracking();
    control_.MouseMove(ShiftFromKeys(wParam), p.X, p.Y);
    return 0;
}

void StrativWindow::MouseButtonDown(TMouseButton button, WPARAM wParam, LPARAM lParam) {
    const TPoint p = PointFromLParam(lParam);
    tooltip_.Pop();
    control_.MouseDown(button, ShiftFromKeys(wParam), p.X, p.Y);
}

void StrativWindow::MouseButtonUp(TMouseButton button, WPARAM wParam, LPARAM lParam) {
    const TPoint p = PointFromLParam(lParam);
    control_.MouseUp(button, ShiftFromKeys(wParam), p.X, p.Y);
}

LRESULT StrativWindow::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
    MouseButtonDown(mbLeft, wParam, lParam);
    TakeFocusOnClick();
    return 0;
}

LRESULT StrativWindow::OnLButtonDblClk(WPARAM wParam, LPARAM lParam) {
    const TPoint p = PointFromLParam(lParam);
    tooltip_.Pop();
    control_.DblClick(ShiftFromKeys(wParam), p.X, p.Y);
    TakeFocusOnClick();
    return 0;
}

// After the press: the control has already focused the section clicked, so
// gaining the window's focus announces that section, not the first one.
void StrativWindow::TakeFocusOnClick() {
    if (window_ && control_.WantsTabStop() && ::GetFocus() != window_.get())
        ::SetFocus(window_.get());
}

LRESULT StrativWindow::OnRButtonDown(WPARAM wParam, LPARAM lParam) {
    MouseButtonDown(mbRight, wParam, lParam);
    return 0;
}

LRESULT StrativWindow::OnMButtonDown(WPARAM wParam, LPARAM lParam) {
    MouseButtonDown(mbMiddle, wParam, lParam);
    return 0;
}

LRESULT StrativWindow::OnLButtonUp(WPARAM wParam, LPARAM lParam) {
    MouseButtonUp(mbLeft, wParam, lParam);
    return 0;
}

LRESULT StrativWindow::OnRButtonUp(WPARAM wParam, LPARAM lParam) {
    MouseButtonUp(mbRight, wParam, lParam);
    return 0;
}

LRESULT StrativWindow::OnMButtonUp(WPARAM wParam, LPARAM lParam) {
    MouseButtonUp(mbMiddle, wParam, lParam);
    return 0;
}

LRESULT StrativWindow::OnMouseLeave() {
    trackingLeave_ = false;
    control_.MouseLeave();
    return 0;
}

LRESULT StrativWindow::OnCaptureChanged(LPARAM lParam) {
    // Another window took the pointer in the middle of a resize or drag (a
    // menu or box popped up, the user switched away): the user never let go
    // here, so nothing is stored or dropped; the gesture is cancelled.
    const auto newOwner = reinterpret_cast<HWND>(lParam);
    if (releasingCapture_ || newOwner == window_.get())
        return 0;
    control_.CancelGesture();
    return 0;
}

LRESULT StrativWindow::OnPaint() {
    const PaintScope paint(window_.get());
    ReleaseWindowCanvas();
    if (!control_.DoubleBuffered()) {
        PaintControl(paint.dc());
        return 0;
    }
    // Paint off screen and show the result in one copy: no flicker while
    // the window is being resized.
    RECT client{};
    ::GetClientRect(window_.get(), &client);
    const DoubleBuffer buffer(paint.dc(), client.right, client.bottom);
    if (!buffer.Ready()) {
        // No buffer for this size: flicker beats an error box from WM_PAINT.
        PaintControl(paint.dc());
        return 0;
    }
    PaintControl(buffer.dc());
    buffer.Present();
    return 0;
}

LRESULT StrativWindow::OnPrintClient(WPARAM wParam) {
    PaintTo(reinterpret_cast<HDC>(wParam));
    return 0;
}

LRESULT StrativWindow::OnEraseBkgnd() {
    // The control paints its whole client area.
    return 1;
}

LRESULT StrativWindow::OnSize() {
    SyncBoundsFromWindow();
    return 0;
}

LRESULT StrativWindow::OnMove() {
    SyncBoundsFromWindow();
    return 0;
}

LRESULT StrativWindow::OnNcDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    // Destroyed from outside (with its parent): nothing is left to destroy.
    if (window_.get() == hwnd) {
        window_.release();
        tooltip_.Destroy();
        canvas_.Detach();
        canvasDC_.reset();
        // A gesture cannot outlive its window: no later release may end it.
        control_.CancelGesture();
        // Nor can the menu, boxes and dialog it runs (its host's window went).
        loops_.EndAll();
    }
    return ::DefWindowProcA(hwnd, WM_NCDESTROY, wParam, lParam);
}

} // namespace corvane::win32

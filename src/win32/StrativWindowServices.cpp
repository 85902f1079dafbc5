// What the control asks of its window, done on the real HWND.
#include "win32/Alignment.h"
#include "win32/ErrorBox.h"
#include "win32/StrativWindow.h"

namespace corvane::win32 {
namespace {

constexpr WORD SizeWestEastCursor = 32644;   // IDC_SIZEWE
constexpr WORD SizeNorthSouthCursor = 32645; // IDC_SIZENS

} // namespace

void StrativWindow::LookChanged() const {
    if (lookChanged_)
        lookChanged_();
}

void StrativWindow::Invalidate() {
    if (window_)
        ::InvalidateRect(window_.get(), nullptr, FALSE);
    LookChanged();
}

void StrativWindow::Repaint() {
    if (window_)
        ::RedrawWindow(window_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    LookChanged();
}

void StrativWindow::RecreateWnd() {
    LookChanged(); // a border style changed
    if (!window_)
        return;
    // A resize or drag does not carry over to the new window (a handler may
    // change the border in the middle of one): it ends here, capture and all.
    control_.CancelGesture();
    ReleaseWindowCanvas();
    ReleaseCapture();
    tooltip_.Destroy();
    window_.reset();
    CreateHandle();
}

void StrativWindow::Realign() {
    const HWND parent = window_ ? ::GetParent(window_.get()) : nullptr;
    if (parent == nullptr || control_.Align() == alNone)
        return;
    RECT client{};
    ::GetClientRect(parent, &client);
    const Bounds current{control_.Left(), control_.Top(), control_.Width(), control_.Height()};
    const Bounds aligned = AlignedBounds(control_.Align(), current, client.right, client.bottom);
    control_.SetBounds(aligned.Left, aligned.Top, aligned.Width, aligned.Height);
}

void StrativWindow::UpdateWindowState() {
    const HWND hwnd = window_.get();
    if (hwnd == nullptr || syncingBounds_)
        return;
    ::SetWindowPos(hwnd, nullptr, control_.Left(), control_.Top(), control_.Width(),
                   control_.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    // The window's own style, not IsWindowVisible: a parked window's parent
    // is never visible.
    const bool shown = control_.Visible() && !hiddenByHost_;
    if (((::GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0) != shown)
        ::ShowWindow(hwnd, shown ? SW_SHOWNA : SW_HIDE);
    if ((::IsWindowEnabled(hwnd) != FALSE) != control_.Enabled())
        ::EnableWindow(hwnd, control_.Enabled() ? TRUE : FALSE);
    // Options decide whether keyboard users stop here.
    const LONG_PTR style = ::GetWindowLongPtrA(hwnd, GWL_STYLE);
    const LONG_PTR tabStop = (WindowStyle() & WS_TABSTOP) != 0 ? WS_TABSTOP : 0;
    if ((style & WS_TABSTOP) != tabStop)
        ::SetWindowLongPtrA(hwnd, GWL_STYLE, (style & ~LONG_PTR{WS_TABSTOP}) | tabStop);
    SyncTooltip(); // hints may have been switched on
}

TCanvas* StrativWindow::Canvas() {
    // During a paint the canvas already draws where the paint goes.
    if (canvas_.Attached())
        return &canvas_;
    if (!window_)
        return nullptr;
    canvasDC_ = std::make_unique<WindowDC>(window_.get());
    canvas_.Attach(canvasDC_->get());
    return &canvas_;
}

bool StrativWindow::NewStyleControls() const {
    // Three-dimensional controls came with Windows 95 (version 4).
    return LOBYTE(LOWORD(::GetVersion())) >= 4;
}

void StrativWindow::SetCapture() {
    if (window_)
        ::SetCapture(window_.get());
}

void StrativWindow::ReleaseCapture() {
    if (!HasCapture())
        return;
    // Our own release must not count as losing the pointer (OnCaptureChanged).
    releasingCapture_ = true;
    ::ReleaseCapture();
    releasingCapture_ = false;
}

bool StrativWindow::HasCapture() const {
    return window_ && ::GetCapture() == window_.get();
}

bool StrativWindow::SetSizingCursor(TSizingCursor cursor) {
    const WORD id = cursor == TSizingCursor::WestEast ? SizeWestEastCursor : SizeNorthSouthCursor;
    const HCURSOR handle = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
    if (handle == nullptr)
        return false;
    ::SetCursor(handle);
    return true;
}

TPoint StrativWindow::ScreenToClient(TPoint p) const {
    POINT pt{p.X, p.Y};
    if (window_)
        ::ScreenToClient(window_.get(), &pt);
    return TPoint{pt.x, pt.y};
}

TPoint StrativWindow::ClientToScreen(TPoint p) const {
    POINT pt{p.X, p.Y};
    if (window_)
        ::ClientToScreen(window_.get(), &pt);
    return TPoint{pt.x, pt.y};
}

int StrativWindow::TrackPopupMenu(const std::vector<TMenuEntry>& entries, TPoint p) {
    tooltip_.Pop();
    if (loops_.Over())
        return -1;
    const ModalLoops::Running running(loops_, [] { ::EndMenu(); });
    const UniqueMenu menu = BuildPopupMenu(entries);
    const POINT at{p.X, p.Y};
    const int command = menuTracker_ ? menuTracker_(menu.get(), at, window_.get())
                                     : TrackWithSystemMenu(menu.get(), at, window_.get());
    return EntryIndexFromCommand(command, entries.size());
}

int StrativWindow::MessageBox(const std::string& text, const std::string& caption, unsigned style) {
    tooltip_.Pop();
    return loops_.MessageBox(MessageBoxOwner(window_.get()), text, caption, style);
}

void StrativWindow::CancelHint() {
    tooltip_.Pop();
}

void StrativWindow::DesignerModified() {
    // No form designer hosts this window.
}

void StrativWindow::AccessibleEvent(TAccessibleEvent event, const THeaderColumns* Section) {
    if (!window_)
        return;
    LONG child = CHILDID_SELF;
    if (Section != nullptr) {
        child = control_.AccessibleChildId(Section);
        if (child == 0)
            return; // not a section of this header
    }
    DWORD kind = EVENT_OBJECT_FOCUS;
    switch (event) {
    case TAccessibleEvent::Focus:
        break;
    case TAccessibleEvent::NameChange:
        kind = EVENT_OBJECT_NAMECHANGE;
        break;
    case TAccessibleEvent::Reorder:
        kind = EVENT_OBJECT_REORDER;
        break;
    case TAccessibleEvent::LocationChange:
        kind = EVENT_OBJECT_LOCATIONCHANGE;
        break;
    case TAccessibleEvent::DefaultActionChange:
        kind = EVENT_OBJECT_DEFACTIONCHANGE;
        break;
    }
    ::NotifyWinEvent(kind, window_.get(), OBJID_CLIENT, child);
    if (listener_ != nullptr && listener_->Listening())
        listener_->Announce(event, Section);
}

} // namespace corvane::win32

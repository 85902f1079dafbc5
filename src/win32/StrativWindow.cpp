#include "win32/StrativWindow.h"

#include "win32/ErrorBox.h"

namespace corvane::win32 {
namespace {

constexpr DWORD ThinBorderStyle = 0x00800000; // WS_BORDER

// The window this thread is making, for its WM_NCCREATE. Not the message's
// creation parameters: anyone can send a window a WM_NCCREATE of their own.
thread_local StrativWindow* t_creating = nullptr;
// The first of the thread's windows (see NoteAccessibleChangesOnThread).
thread_local StrativWindow* t_firstWindow = nullptr;

// Sets a flag for the life of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

} // namespace

StrativWindow::StrativWindow(TStrativ& control, HWND parent) : control_(control), parent_(parent) {
    canvas_.SetHeaderTheme(&headerTheme_);
    RegisterStrativWindowClass();
    CreateHandle();
    control_.SetWindowServices(this);
    control_.SetCustomizeDialog(&customizeDialog_);
    ApplyWindowDensity();
    nextOnThread_ = t_firstWindow;
    if (nextOnThread_ != nullptr)
        nextOnThread_->previousOnThread_ = this;
    t_firstWindow = this;
}

StrativWindow::~StrativWindow() {
    if (previousOnThread_ != nullptr)
        previousOnThread_->nextOnThread_ = nextOnThread_;
    else if (t_firstWindow == this)
        t_firstWindow = nextOnThread_;
    if (nextOnThread_ != nullptr)
        nextOnThread_->previousOnThread_ = previousOnThread_;
    entryOwner_ = nullptr; // going with its owner: the last messages enter nothing
    ReleaseWindowCanvas();
    tooltip_.Destroy();
    window_.reset();
    control_.CancelGesture(); // no window left to end it
    control_.SetWindowServices(nullptr);
    control_.SetCustomizeDialog(nullptr);
}

DWORD StrativWindow::WindowStyle() const {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (control_.BorderStyle() == bsSingle)
        style |= ThinBorderStyle;
    if (control_.Visible() && !hiddenByHost_)
        style |= WS_VISIBLE;
    if (!control_.Enabled())
        style |= WS_DISABLED;
    if (control_.TabStop() || control_.WantsTabStop())
        style |= WS_TABSTOP;
    return style;
}

void StrativWindow::SetParentWindow(HWND parent) {
    parent_ = parent;
    if (window_ && ::GetParent(window_.get()) != parent) {
        ::SetParent(window_.get(), parent);
        ApplyWindowDensity(); // the host's window may be on another monitor
    }
}

void StrativWindow::SetHiddenByHost(bool hidden) {
    hiddenByHost_ = hidden;
    UpdateWindowState();
}

void StrativWindow::CreateHandle() {
    // WM_NCCREATE hands the new window to window_ (see FromHandle), so it is
    // owned from its first message on.
    StrativWindow* const outer = t_creating;
    t_creating = this;
    const HWND created = ::CreateWindowExA(0, ClassName, "", WindowStyle(), control_.Left(),
                                           control_.Top(), control_.Width(), control_.Height(),
                                           parent_, nullptr, StrativWindowModule(), nullptr);
    t_creating = outer;
    if (created == nullptr)
        RaiseLastWin32Error("CreateWindowEx");
    trackingLeave_ = false;
    ReadSystemLook(); // a theme belongs to one window
    ReadFocusCues();  // a new child starts with its parent's cues
    if (visibleArea_)
        ApplyVisibleArea();
    SyncTooltip();
}

void StrativWindow::SetVisibleArea(const std::optional<RECT>& area) {
    const bool same = area.has_value() == visibleArea_.has_value() &&
                      (!area || ::EqualRect(&*area, &*visibleArea_) != FALSE);
    if (same)
        return;
    visibleArea_ = area;
    ApplyVisibleArea();
}

void StrativWindow::ApplyVisibleArea() {
    if (!window_)
        return;
    HRGN region = visibleArea_ ? ::CreateRectRgnIndirect(&*visibleArea_) : nullptr;
    // Once set, the region belongs to the system.
    if (::SetWindowRgn(window_.get(), region, TRUE) == 0 && region != nullptr)
        ::DeleteObject(region);
}

StrativWindow* StrativWindow::FromHandle(HWND hwnd, UINT message) {
    if (message == WM_NCCREATE && t_creating != nullptr &&
        ::GetWindowLongPtrA(hwnd, GWLP_USERDATA) == 0) {
        StrativWindow* const self = t_creating;
        t_creating = nullptr; // taken by the first new window only
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_.reset(hwnd);
        return self;
    }
    return reinterpret_cast<StrativWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

StrativWindow::MessageScope::MessageScope(StrativWindow& window) : window_(window) {
    ++window_.messageDepth_;
}

StrativWindow::MessageScope::~MessageScope() {
    if (--window_.messageDepth_ != 0)
        return;
    window_.ReleaseWindowCanvas();
    // Whatever the message (or a host between messages) changed is told to
    // assistive technology once the message is done.
    window_.NoteAccessibleChanges();
}

void StrativWindow::NoteAccessibleChanges() noexcept {
    try {
        TAccessibleListener* const listener = listener_;
        const bool automation = listener != nullptr && listener->Listening();
        // Nobody listens: comparing would find changes only to throw them away.
        if (!window_ || !(automation || ::IsWinEventHookInstalled(EVENT_OBJECT_REORDER) ||
                          ::IsWinEventHookInstalled(EVENT_OBJECT_NAMECHANGE) ||
                          ::IsWinEventHookInstalled(EVENT_OBJECT_LOCATIONCHANGE) ||
                          ::IsWinEventHookInstalled(EVENT_OBJECT_DEFACTIONCHANGE) ||
                          ::IsWinEventHookInstalled(EVENT_OBJECT_FOCUS)))
            return;
        control_.NoteAccessibleChanges();
        if (automation)
            listener->MessageDone();
    } catch (...) {
        // Out of memory while comparing: the next look tries again.
    }
}

void StrativWindow::NoteAccessibleChangesOnThread() noexcept {
    for (StrativWindow* w = t_firstWindow; w != nullptr; w = w->nextOnThread_)
        if (w->messageDepth_ == 0)
            w->NoteAccessibleChanges();
}

void StrativWindow::ReleaseWindowCanvas() {
    if (!canvasDC_)
        return;
    canvas_.Detach();
    canvasDC_.reset();
}

void StrativWindow::PaintControl(HDC dc) {
    const CanvasBinding binding(canvas_, dc);
    control_.Paint(canvas_);
}

void StrativWindow::PaintTo(HDC dc, int x, int y) {
    ReleaseWindowCanvas();
    const SavedDCState saved(dc);
    ::OffsetViewportOrgEx(dc, x, y, nullptr);
    ::IntersectClipRect(dc, 0, 0, control_.ClientWidth(), control_.ClientHeight());
    PaintControl(dc);
}

void StrativWindow::SyncBoundsFromWindow() {
    const HWND hwnd = window_.get();
    if (hwnd == nullptr || syncingBounds_)
        return;
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    const FlagScope syncing(syncingBounds_);
    control_.SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool StrativWindow::SyncTooltip() {
    // The tooltip (a top-level window, slow to make) exists from the first
    // time hints are on; embedded controls are often made by the hundred.
    if (!tooltip_.Handle() && control_.ShowHint() && window_)
        tooltip_.Create(window_.get());
    return tooltip_.Update(control_.ShowHint(), control_.Hint());
}

void StrativWindow::StartLeaveTracking() {
    if (trackingLeave_ || !window_)
        return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window_.get();
    trackingLeave_ = ::TrackMouseEvent(&track) != FALSE;
}

} // namespace corvane::win32

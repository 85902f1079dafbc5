#pragma once
// The window of one header control: owns the HWND (recreated when a window
// style changes), routes the window's messages to the control, and gives the
// control the window services it asks for. The control itself is the
// caller's; this object must not outlive it.

#include "core/control/Strativ.h"
#include "core/platform/WindowServices.h"
#include "win32/AccessibleListener.h"
#include "win32/ControlEntry.h"
#include "win32/Dpi.h"
#include "win32/GdiCanvas.h"
#include "win32/GdiHandles.h"
#include "win32/HintTooltip.h"
#include "win32/ModalLoops.h"
#include "win32/PopupMenu.h"
#include "win32/VisualStyle.h"
#include "win32/WindowHandles.h"
#include "win32/editor/CustomizeDialogWin32.h"

#include "win32/WinApi.h"

#include <functional>
#include <memory>
#include <optional>

namespace corvane::win32 {

class StrativWindow : public TWindowServices {
public:
    static constexpr const char* ClassName = "CorvaneStrativ";

    // Creates the window as a child of `parent` at the control's bounds.
    StrativWindow(TStrativ& control, HWND parent);
    ~StrativWindow() override;
    StrativWindow(const StrativWindow&) = delete;
    StrativWindow& operator=(const StrativWindow&) = delete;

    HWND Handle() const { return window_.get(); }
    TStrativ& Control() const { return control_; }
    // The window style the control's properties ask for.
    DWORD WindowStyle() const;

    // Paints the whole control into dc with its client origin at (x, y).
    void PaintTo(HDC dc, int x = 0, int y = 0);

    // Moves the window under another parent (an embedding host's window, or
    // back to a parking window); a re-created window keeps the new parent.
    void SetParentWindow(HWND parent);
    // An embedding host hides the window (while the control stays Visible)
    // and shows it again; every later state change, re-creation included,
    // keeps it as the host left it.
    void SetHiddenByHost(bool hidden);
    bool HiddenByHost() const { return hiddenByHost_; }
    // The part of the window a host lets it show (its clip rectangle, in
    // window coordinates); nothing outside it is ever painted. No value: the
    // whole window. A re-created window keeps it.
    void SetVisibleArea(const std::optional<RECT>& area);
    // Sees each message before the control does; returning true ends the
    // message with `result`. An embedding object watches focus this way.
    using MessageHook =
        std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
    void SetMessageHook(MessageHook hook) { messageHook_ = std::move(hook); }
    // Called whenever the control asks to be drawn anew (its look changed),
    // window or not: an embedding object tells its host's view sink.
    void SetLookChangedHook(std::function<void()> hook) { lookChanged_ = std::move(hook); }
    // Whoever owns the window and its control (an embedding object): every
    // message is an entry into it, open until the message is done.
    void SetEntryOwner(TEntryOwner* owner) { entryOwner_ = owner; }
    // Hears every announcement to assistive technology (nullptr: none).
    void SetAccessibleListener(TAccessibleListener* listener) { listener_ = listener; }
    // The menu, boxes and dialog the window runs for its control.
    ModalLoops& Loops() { return loops_; }

    // Replaces the modal menu tracking (nullptr restores the system's).
    void SetMenuTracker(MenuTracker tracker) { menuTracker_ = std::move(tracker); }
    const HintTooltip& Tooltip() const { return tooltip_; }
    // Where the window's density is read (the system's GetDpiForWindow by
    // default) from the next density message on; tests answer densities
    // Wine never reports.
    void SetDpiQuery(TWindowDpiQuery query);

    // --- TWindowServices -------------------------------------------------------
    void Invalidate() override;
    void Repaint() override;
    void RecreateWnd() override;
    void Realign() override;
    void UpdateWindowState() override;
    TCanvas* Canvas() override;
    bool NewStyleControls() const override;
    TPlatformLook PlatformLook() const override;
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override;
    bool SetSizingCursor(TSizingCursor cursor) override;
    TPoint ScreenToClient(TPoint p) const override;
    TPoint ClientToScreen(TPoint p) const override;
    int TrackPopupMenu(const std::vector<TMenuEntry>& entries, TPoint p) override;
    int MessageBox(const std::string& text, const std::string& caption, unsigned style) override;
    void CancelHint() override;
    void DesignerModified() override;
    // Every announcement to assistive technology goes out here.
    void AccessibleEvent(TAccessibleEvent event, const THeaderColumns* Section) override;
    // A host changed something outside any message of the windows (a call
    // through its automation interfaces): the headers of this thread tell
    // assistive technology now rather than at their next message. Windows
    // inside a message do it when the message ends.
    static void NoteAccessibleChangesOnThread() noexcept;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    // Lives for the handling of one message; the outermost one gives back
    // the window DC that Canvas() took.
    class MessageScope {
    public:
        explicit MessageScope(StrativWindow& window);
        ~MessageScope();
        MessageScope(const MessageScope&) = delete;
        MessageScope& operator=(const MessageScope&) = delete;

    private:
        StrativWindow& window_;
    };

    // The object of a window of this class; takes it over at WM_NCCREATE.
    static StrativWindow* FromHandle(HWND hwnd, UINT message);

    void CreateHandle();
    void NoteAccessibleChanges() noexcept;
    void ApplyVisibleArea();
    void LookChanged() const;
    void SyncBoundsFromWindow();
    bool SyncTooltip(); // true when it turned the tooltip on
    void StartLeaveTracking();
    // The control, its hint and its repaint follow the window's density.
    void ApplyWindowDensity();
    void ReleaseWindowCanvas();
    void PaintControl(HDC dc);
    void MouseButtonDown(TMouseButton button, WPARAM wParam, LPARAM lParam);
    void MouseButtonUp(TMouseButton button, WPARAM wParam, LPARAM lParam);
    // A click gives a header that keyboard users can use the focus.
    void TakeFocusOnClick();

    // --- Message handlers -------------------------------------------------------
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnRButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnMButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnRButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnMButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave();
    LRESULT OnGetDlgCode(LPARAM lParam);
    LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyUp(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus();
    LRESULT OnKillFocus();
    LRESULT OnCaptureChanged(LPARAM lParam);
    LRESULT OnPaint();
    LRESULT OnPrintClient(WPARAM wParam);
    LRESULT OnEraseBkgnd();
    LRESULT OnSize();
    LRESULT OnMove();
    LRESULT OnNcDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam);
    LRESULT OnDpiChanged();
    // The look follows the system: visual style, high contrast, keyboard cues.
    LRESULT OnThemeChanged();
    LRESULT OnSystemSettingChange(UINT message);
    LRESULT OnUpdateUIState(WPARAM wParam, LPARAM lParam);
    void ReadSystemLook(); // high contrast and the window's header theme
    void ReadFocusCues();  // the window's UI state, as DefWindowProc keeps it
    void ShowFocusCues();  // the keyboard is in use here

    TStrativ& control_;
    HWND parent_;
    UniqueWindow window_;
    WindowTheme headerTheme_; // none while high contrast is on
    bool highContrast_ = false;
    bool focusCuesHidden_ = false;
    TGdiCanvas canvas_;
    std::unique_ptr<WindowDC> canvasDC_; // the window DC canvas_ draws on between paints
    HintTooltip tooltip_;
    ModalLoops loops_;
    CustomizeDialogWin32 customizeDialog_{[this] { return window_.get(); }, loops_};
    MenuTracker menuTracker_;
    TWindowDpiQuery dpiQuery_ = SystemWindowDpiQuery();
    MessageHook messageHook_;
    std::function<void()> lookChanged_;
    TAccessibleListener* listener_ = nullptr;
    TEntryOwner* entryOwner_ = nullptr;
    int messageDepth_ = 0;
    // The thread's windows, linked through themselves (nothing to free at
    // thread exit).
    StrativWindow* nextOnThread_ = nullptr;
    StrativWindow* previousOnThread_ = nullptr;
    bool trackingLeave_ = false;
    bool syncingBounds_ = false;
    bool releasingCapture_ = false;
    bool hiddenByHost_ = false;
    std::optional<RECT> visibleArea_;
    // The key whose press the control used: its release is the control's too
    // (the system would make a menu key or F10 out of it).
    WPARAM usedKey_ = 0;
};

// Registers the window class (once per process) and what it needs: the
// common controls for the tooltip and the platform's caption collation.
void RegisterStrativWindowClass();
// The module the window class belongs to.
HINSTANCE StrativWindowModule();

} // namespace corvane::win32

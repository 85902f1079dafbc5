// The header's look follows the system's settings: the visual style of the
// header class, high contrast, and the window's keyboard cues.
#include "win32/HighContrast.h"
#include "win32/StrativWindow.h"

namespace corvane::win32 {

void StrativWindow::ReadSystemLook() {
    highContrast_ = SystemHighContrast();
    tooltip_.SetClassicLook(highContrast_);
    // High contrast draws with the system colours alone, never a theme.
    if (highContrast_ || !window_)
        headerTheme_.Close();
    else
        headerTheme_.Open(window_.get(), L"HEADER");
}

TPlatformLook StrativWindow::PlatformLook() const {
    // Kept, not asked: a message sent from inside a paint would end the
    // outermost message scope and take the canvas's window DC away.
    return TPlatformLook{highContrast_, focusCuesHidden_};
}

void StrativWindow::ReadFocusCues() {
    focusCuesHidden_ =
        window_ && (::SendMessageA(window_.get(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
}

void StrativWindow::ShowFocusCues() {
    // Climbs to the top-level window, which tells all its windows (this one
    // included, through WM_UPDATEUISTATE), as the dialog manager does for
    // the keys it handles itself.
    if (!focusCuesHidden_)
        return;
    const WPARAM show = MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS);
    ::SendMessageA(window_.get(), WM_CHANGEUISTATE, show, 0);
    // A top-level window whose own cues were shown already tells nobody.
    if (focusCuesHidden_)
        ::SendMessageA(window_.get(), WM_UPDATEUISTATE, show, 0);
}

LRESULT StrativWindow::OnThemeChanged() {
    ReadSystemLook();
    Invalidate();
    return 0;
}

LRESULT StrativWindow::OnSystemSettingChange(UINT message) {
    const bool wasHighContrast = highContrast_;
    ReadSystemLook();
    // New system colours show on the next paint; a setting change matters
    // only when it switched high contrast.
    if (message == WM_SYSCOLORCHANGE || highContrast_ != wasHighContrast)
        Invalidate();
    return 0;
}

LRESULT StrativWindow::OnUpdateUIState(WPARAM wParam, LPARAM lParam) {
    const bool hiddenBefore = focusCuesHidden_;
    const LRESULT result = ::DefWindowProcA(window_.get(), WM_UPDATEUISTATE, wParam, lParam);
    ReadFocusCues();
    if (focusCuesHidden_ != hiddenBefore)
        Invalidate();
    return result;
}

} // namespace corvane::win32

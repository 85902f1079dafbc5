// The window's pixel density: read when the window is made or moves under
// another parent, and again whenever a per-monitor-aware host moves it to a
// monitor of another density.
#include "win32/StrativWindow.h"

namespace corvane::win32 {

void StrativWindow::SetDpiQuery(TWindowDpiQuery query) {
    dpiQuery_ = query;
}

void StrativWindow::ApplyWindowDensity() {
    if (!window_)
        return;
    const int pixelsPerInch = WindowPixelsPerInch(window_.get(), dpiQuery_);
    if (pixelsPerInch == tooltip_.PixelsPerInch() &&
        pixelsPerInch == control_.Scale().PixelsPerInch())
        return;
    tooltip_.SetPixelsPerInch(pixelsPerInch);
    control_.ChangeScale(TDpiScale(pixelsPerInch)); // invalidates when it changed anything
}

LRESULT StrativWindow::OnDpiChanged() {
    ApplyWindowDensity();
    return 0;
}

} // namespace corvane::win32

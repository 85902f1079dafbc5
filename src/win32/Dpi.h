#pragma once
// The pixel density a window is shown at: the DPI of its monitor as the
// window's DPI awareness sees it (Windows 10 and later), else the screen's
// logical pixels per inch. 96 when the system cannot tell.

#include "core/framework/DpiScale.h"
#include "win32/WinApi.h"

namespace corvane::win32 {

// Sent to a child window when a per-monitor-aware host's window moved to a
// monitor of another density (before and after the parent has rescaled);
// they carry no density: the window is asked. Spelled out here because
// older SDK headers lack them.
constexpr UINT DpiChangedBeforeParentMessage = 0x02E2;
constexpr UINT DpiChangedAfterParentMessage = 0x02E3;

// window may be null: the primary screen's density.
int WindowPixelsPerInch(HWND window);
// The same with the system's per-window answer (GetDpiForWindow) given:
// null, or an answer of 0, falls back to the screen. Tests pass answers
// Wine never gives, as it reports the screen's density either way.
using TWindowDpiQuery = UINT(WINAPI*)(HWND);
int WindowPixelsPerInch(HWND window, TWindowDpiQuery query);
// The system's GetDpiForWindow, or null where it has none.
TWindowDpiQuery SystemWindowDpiQuery();
inline TDpiScale WindowDpiScale(HWND window) {
    return TDpiScale(WindowPixelsPerInch(window));
}

} // namespace corvane::win32

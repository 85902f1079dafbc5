#pragma once
// The demo's top-level window: the registered header control in place across
// the top, following the window's width, and a line of instructions under it.

#include "EventSink.h"
#include "core/framework/DpiScale.h"
#include "win32/WinApi.h"
#include "win32/WindowHandles.h"

#include "host/ControlSite.h"
#include "host/HostedControl.h"

#include <memory>

namespace corvane::demo {

class MainWindow {
public:
    MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return window_.get(); }
    ICorvane& Control() const { return control_->Control(); }
    // The control's own window (where mouse input goes).
    HWND HeaderHandle() const { return control_->Window(); }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static MainWindow* FromHandle(HWND hwnd, UINT message);
    RECT HeaderRect(int clientWidth) const;
    void LayOut(int clientWidth);

    LRESULT OnSize(LPARAM lParam);
    LRESULT OnDestroy();
    LRESULT OnNcDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam);

    // The screen's density: the demo's sizes are laid out at 96 pixels per inch.
    TDpiScale scale_;
    EventSink sink_; // declared first: the connection to it goes before it
    win32::UniqueWindow window_;
    win32::UniqueWindow instructions_;
    std::unique_ptr<host::ControlSite> site_;      // outlives every reference the control holds
    std::unique_ptr<host::HostedControl> control_; // closed while its container still exists
};

} // namespace corvane::demo

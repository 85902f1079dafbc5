#pragma once
// The demo's top-level window: one header across the top, which follows the
// window's width, and a line of instructions under it.

#include "core/control/Strativ.h"
#include "win32/StrativWindow.h"
#include "win32/WinApi.h"
#include "win32/WindowHandles.h"

#include <memory>

namespace corvane::demo {

class MainWindow {
public:
    MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return window_.get(); }
    TStrativ& Header() { return header_; }
    HWND HeaderHandle() const { return headerWindow_->Handle(); }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static MainWindow* FromHandle(HWND hwnd, UINT message, LPARAM lParam);
    void LayOut(int clientWidth);

    LRESULT OnSize(LPARAM lParam);
    LRESULT OnDestroy();
    LRESULT OnNcDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam);

    TStrativ header_; // declared first: the windows below go before it
    win32::UniqueWindow window_;
    win32::UniqueWindow instructions_;
    std::unique_ptr<win32::StrativWindow> headerWindow_;
};

} // namespace corvane::demo

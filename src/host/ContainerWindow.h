#pragma once
// A top-level window to hold controls, and the message pumping a host
// needs. (Project code includes win32/WinApi.h first.)

#include <windows.h>

#include <functional>

namespace corvane::host {

struct WindowPlacement {
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    int clientWidth = 640, clientHeight = 240;
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    int show = SW_SHOW;
};

class ContainerWindow {
public:
    ContainerWindow(const char* title, const WindowPlacement& placement);
    ~ContainerWindow();
    ContainerWindow(const ContainerWindow&) = delete;
    ContainerWindow& operator=(const ContainerWindow&) = delete;

    HWND Handle() const { return window_; }

    // The new client size, after every WM_SIZE.
    std::function<void(int width, int height)> OnSize;
    // Closing the window (WM_CLOSE) ends the thread's message loop; the
    // window itself stays until its owner goes, after the controls in it.
    bool QuitOnClose = false;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

// Dispatches every message waiting for this thread.
void PumpMessages();
// Keeps dispatching for `milliseconds` (timers, posted input, paints).
void PumpMessagesFor(DWORD milliseconds);
// Runs the thread's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

} // namespace corvane::host

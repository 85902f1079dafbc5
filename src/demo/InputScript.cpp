#include "InputScript.h"

#include "host/ContainerWindow.h"

namespace corvane::demo {
namespace {

struct MouseStep {
    UINT Message;
    WPARAM Keys;
    int X, Y;
};

// Client coordinates of the sample header: "Quantity" lies at x 335..400 on
// the bottom band; "First name" ends at x 85, its edge is grabbed just inside.
// WM_SETCURSOR stands for the system's hit test before a move, which arms a
// resize; posted moves alone never cause one.
constexpr MouseStep Steps[] = {
    {WM_SETCURSOR, 0, 360, 60},
    {WM_MOUSEMOVE, 0, 360, 60},
    {WM_LBUTTONDOWN, MK_LBUTTON, 360, 60},
    {WM_LBUTTONUP, 0, 360, 60},
    {WM_SETCURSOR, 0, 84, 60},
    {WM_MOUSEMOVE, 0, 84, 60},
    {WM_LBUTTONDOWN, MK_LBUTTON, 84, 60},
    {WM_MOUSEMOVE, MK_LBUTTON, 100, 60},
    {WM_MOUSEMOVE, MK_LBUTTON, 115, 60},
    {WM_LBUTTONUP, 0, 115, 60},
};

struct KeyStep {
    WPARAM Key;
    bool Ctrl;
};

// The focus is on "Quantity" after the click on it.
constexpr KeyStep Keys[] = {
    {VK_RIGHT, false},
    {VK_SPACE, false},
    {VK_LEFT, true},
};

// Ctrl held in this thread's keyboard state, as the system keeps it while
// the user holds the key.
void HoldCtrl(bool down) {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[VK_CONTROL] = down ? 0x80 : 0;
    ::SetKeyboardState(state);
}

void HitTest(HWND control, int x, int y) {
    POINT screen{x, y};
    ::ClientToScreen(control, &screen);
    const LRESULT area = ::SendMessageA(control, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    ::SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                   MAKELPARAM(static_cast<WORD>(area), WM_MOUSEMOVE));
}

} // namespace

void RunInputScript(HWND control) {
    host::PumpMessages();
    for (const MouseStep& step : Steps) {
        if (step.Message == WM_SETCURSOR) {
            HitTest(control, step.X, step.Y);
            continue;
        }
        ::PostMessageA(control, step.Message, step.Keys, MAKELPARAM(step.X, step.Y));
        host::PumpMessages();
    }
    for (const KeyStep& step : Keys) {
        HoldCtrl(step.Ctrl);
        ::PostMessageA(control, WM_KEYDOWN, step.Key, 1);
        ::PostMessageA(control, WM_KEYUP, step.Key, 1 | (LPARAM{3} << 30));
        host::PumpMessages();
        HoldCtrl(false);
    }
}

} // namespace corvane::demo

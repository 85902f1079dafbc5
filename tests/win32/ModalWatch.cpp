#include "ModalWatch.h"

namespace corvane::win32::testing {
namespace {

constexpr UINT TimerPeriod = 30;
constexpr UINT GetMenuHandle = 0x01E1; // MN_GETHMENU
// Windows gives a message box's icon the id 20; Wine gives it 0x440.
constexpr int IconIds[] = {20, 0x440};

MessageBoxWatch* g_boxWatch = nullptr;
PopupMenuWatch* g_menuWatch = nullptr;

// The first visible window of a class among this thread's top-level windows.
struct Search {
    const char* className;
    HWND found = nullptr;
};

BOOL CALLBACK FindByClass(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<Search*>(search);
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) == s->className && ::IsWindowVisible(window)) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadWindow(const char* className) {
    Search search{className};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindByClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window) {
    char text[4096] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

} // namespace

HICON ErrorIcon() {
    return ::LoadIconA(nullptr, MAKEINTRESOURCEA(32513)); // IDI_HAND
}

HICON InformationIcon() {
    return ::LoadIconA(nullptr, MAKEINTRESOURCEA(32516)); // IDI_ASTERISK
}

MessageBoxWatch::MessageBoxWatch() {
    g_boxWatch = this;
    timer_ = ::SetTimer(nullptr, 0, TimerPeriod, &MessageBoxWatch::OnTimer);
}

MessageBoxWatch::~MessageBoxWatch() {
    ::KillTimer(nullptr, timer_);
    g_boxWatch = nullptr;
}

void CALLBACK MessageBoxWatch::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_boxWatch == nullptr)
        return;
    const HWND box = FindThreadWindow("#32770");
    if (box == nullptr || box == g_boxWatch->handled_)
        return;
    g_boxWatch->handled_ = box;
    SeenMessageBox seen;
    seen.caption = WindowText(box);
    char text[4096] = {};
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen.text = text;
    for (int id : IconIds) {
        if (HWND icon = ::GetDlgItem(box, id)) {
            seen.icon = reinterpret_cast<HICON>(::SendMessageA(icon, STM_GETICON, 0, 0));
            break;
        }
    }
    seen.owner = ::GetWindow(box, GW_OWNER);
    g_boxWatch->seen_.push_back(seen);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
}

PopupMenuWatch::PopupMenuWatch(int choose) : choose_(choose) {
    g_menuWatch = this;
    timer_ = ::SetTimer(nullptr, 0, TimerPeriod, &PopupMenuWatch::OnTimer);
}

PopupMenuWatch::~PopupMenuWatch() {
    ::KillTimer(nullptr, timer_);
    g_menuWatch = nullptr;
}

void CALLBACK PopupMenuWatch::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_menuWatch == nullptr)
        return;
    const HWND menuWindow = FindThreadWindow("#32768");
    if (menuWindow == nullptr) {
        g_menuWatch->handled_ = nullptr;
        return;
    }
    const auto menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, GetMenuHandle, 0, 0));
    if (menu == g_menuWatch->handled_)
        return;
    g_menuWatch->handled_ = menu;
    std::vector<SeenMenuItem> items;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        SeenMenuItem item;
        char text[256] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        item.caption = text;
        item.separator =
            (::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
        items.push_back(item);
    }
    g_menuWatch->seen_.push_back(items);
    if (g_menuWatch->choose_ < 0) {
        ::EndMenu();
        return;
    }
    // From no selection, the first Down selects the first selectable item.
    for (int i = 0; i <= g_menuWatch->choose_; ++i)
        ::PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
}

} // namespace corvane::win32::testing

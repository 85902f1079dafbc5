#pragma once
// Reading and closing the modal things a handler opens (message boxes and
// popup menus) from inside their own modal loops: a thread timer fires in
// whatever loop runs, finds the box or menu of this thread, records it and
// closes it (or chooses an item).

#include "win32/WinApi.h"

#include <string>
#include <vector>

namespace corvane::win32::testing {

struct SeenMessageBox {
    std::string caption;
    std::string text;
    HICON icon = nullptr;
    HWND owner = nullptr;
};

// While alive, closes every message box this thread opens, with OK.
class MessageBoxWatch {
public:
    MessageBoxWatch();
    ~MessageBoxWatch();
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

    const std::vector<SeenMessageBox>& Seen() const { return seen_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR timer_;
    HWND handled_ = nullptr; // the box already closed, until it is gone
    std::vector<SeenMessageBox> seen_;
};

struct SeenMenuItem {
    std::string caption;
    bool separator = false;
};

// While alive, reads the next popup menu this thread opens, then chooses
// the selectable item at `choose` (counting only non-separators) with the
// keyboard, or dismisses the menu when `choose` is negative.
class PopupMenuWatch {
public:
    explicit PopupMenuWatch(int choose = -1);
    ~PopupMenuWatch();
    PopupMenuWatch(const PopupMenuWatch&) = delete;
    PopupMenuWatch& operator=(const PopupMenuWatch&) = delete;

    const std::vector<std::vector<SeenMenuItem>>& Seen() const { return seen_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR timer_;
    int choose_;
    HMENU handled_ = nullptr; // the menu already acted on, while it is still up
    std::vector<std::vector<SeenMenuItem>> seen_;
};

// The standard icons a message box can show.
HICON ErrorIcon();
HICON InformationIcon();

} // namespace corvane::win32::testing

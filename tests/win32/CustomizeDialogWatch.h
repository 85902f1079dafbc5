#pragma once
// Drives the customizing dialog from inside its modal loop: a thread timer
// finds the dialog among this thread's windows and runs one step of a
// script per tick, as a user would act, through the dialog's controls.

#include "win32/WinApi.h"

#include <functional>
#include <string>
#include <vector>

namespace corvane::win32::testing {

class CustomizeDialogWatch {
public:
    using Step = std::function<void(HWND form)>;
    explicit CustomizeDialogWatch(std::vector<Step> steps);
    ~CustomizeDialogWatch();
    CustomizeDialogWatch(const CustomizeDialogWatch&) = delete;
    CustomizeDialogWatch& operator=(const CustomizeDialogWatch&) = delete;

    // Steps run so far; the number of times a dialog was found.
    size_t StepsRun() const { return next_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR timer_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    bool running_ = false;
};

// --- Acting on the dialog's controls -------------------------------------------------

// The control with this id anywhere in the dialog.
HWND DialogControl(HWND form, int id);
// The child button (or check box) with this caption anywhere in the dialog.
HWND ButtonWithCaption(HWND form, const std::string& caption);
// A click on a button, check box or speed button (BM_CLICK: press and release).
void Click(HWND control);
// Chooses a page by clicking its tab.
void ChoosePage(HWND form, int page);
// The tree view item with this text (depth-first), or nullptr.
HTREEITEM FindItem(HWND tree, const std::string& text);
std::string ItemText(HWND tree, HTREEITEM item);
std::string Text(HWND window);
// The captions of the tree's items in pre-order, children indented by two.
std::string TreeOutline(HWND tree);

} // namespace corvane::win32::testing

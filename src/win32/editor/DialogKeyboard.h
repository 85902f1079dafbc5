#pragma once
// The editor's keys on Windows, under whatever dialog manager runs the
// message loop (the customizing dialog's own, or a host frame's). Each
// attached control answers WM_GETDLGCODE so that it claims exactly the keys
// RouteKey gives it, and carries them out when they arrive: page switches,
// pressing a push button with Enter, keys that must do nothing. Keys it does
// not claim stay with the dialog manager: Tab, arrows, and (outside the
// edits and the tree) Enter and Esc for the form's own buttons.
//
// Mnemonics cannot be claimed that way (the dialog manager never asks the
// control about Alt+letter), so the loop, or the host's accelerator step,
// offers each message to HandleMnemonic first.

#include "core/editor/DialogKeys.h"
#include "win32/WinApi.h"

#include <functional>
#include <memory>
#include <vector>

namespace corvane::win32::editor {

using corvane::editor::TKeyRole;

class DialogKeyboard {
public:
    // switchPage: shows the page step (+1 or -1) places on, cyclically.
    explicit DialogKeyboard(std::function<void(int step)> switchPage);
    ~DialogKeyboard();
    DialogKeyboard(const DialogKeyboard&) = delete;
    DialogKeyboard& operator=(const DialogKeyboard&) = delete;

    void Attach(HWND control, TKeyRole role);
    // Takes every subclass off again (before the windows are destroyed).
    void Detach();

    // A mnemonic for a control inside root: Alt+letter, or a plain letter
    // where the focused control takes no characters. Carries it out by
    // ChooseMnemonic over root's visible, enabled controls and returns true;
    // false (nothing done) for any other message, or no control with it.
    static bool HandleMnemonic(HWND root, const MSG& message);

private:
    struct Attached {
        DialogKeyboard* keyboard;
        HWND control;
        TKeyRole role;
    };
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnMessage(const Attached& attached, UINT message, WPARAM wParam, LPARAM lParam,
                      bool& handled);

    std::function<void(int)> switchPage_;
    std::vector<std::unique_ptr<Attached>> attached_;
};

} // namespace corvane::win32::editor

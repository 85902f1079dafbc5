#pragma once
// What the editor's keys do, wherever its pages are shown (the customizing
// dialog or a host's property frame). The platform's dialog manager moves the
// focus with Tab and the arrows and turns Enter and Esc into the form's
// default and cancel commands; a control keeps a key from it by claiming the
// key. RouteKey says, for the control that holds the focus, which keys it
// claims and what then happens:
//
// - Enter and Esc in an edit or the tree never reach the form, so they close
//   nothing: Enter in the tree moves to the width (the tree's own key
//   command); Enter in an edit, and Esc in an edit or the tree, do nothing.
// - Enter presses a focused push button; elsewhere it is the form's.
// - Ctrl+Tab and Ctrl+PageDown show the next page, Ctrl+Shift+Tab and
//   Ctrl+PageUp the previous one, from any control.
// - Tab and Shift+Tab always move the focus, also out of the hot-key memo.
//
// ChooseMnemonic is the rule for Alt+letter (and a plain letter where the
// focused control takes no characters) among the visible controls.

#include "core/control/StrativTypes.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace corvane::editor {

// The kind of control that holds the focus, as far as keys go.
enum class TKeyRole : uint8_t {
    PushButton,
    CheckBox,
    RadioButton,
    TabStrip,
    Edit,       // the single-line edits
    HotKeyMemo, // the read-only text with the tree's hot keys
    Tree,
};

// Virtual-key codes of the keys routed here.
enum : int { KeyTab = 9, KeyReturn = 13, KeyEscape = 27, KeyPageUp = 33, KeyPageDown = 34 };

struct TKeyStroke {
    int Key = 0;
    TShiftState Shift = 0; // ssShift, ssCtrl, ssAlt
};

enum class TKeyRoute : uint8_t {
    Native,        // not routed here: the control and the dialog manager as usual
    DialogManager, // left to the dialog manager, even where the control would take it
    Control,       // claimed: the control's own handling (the tree's Enter)
    Swallow,       // claimed: nothing happens
    PressButton,   // claimed: the focused push button is pressed
    NextPage,      // claimed: the next page is shown
    PreviousPage,  // claimed: the previous page is shown
};

TKeyRoute RouteKey(TKeyRole role, TKeyStroke key);

// Whether the route keeps the key from the dialog manager.
constexpr bool IsClaimed(TKeyRoute route) {
    return route != TKeyRoute::Native && route != TKeyRoute::DialogManager;
}

// The mnemonic of a caption: the character after a single '&', in upper
// case; 0 when there is none ("&&" is a plain ampersand).
char MnemonicOf(std::string_view caption);

struct TMnemonicCandidate {
    char Mnemonic = 0; // as MnemonicOf gives it
    // The control holds the focus (for a label: the control it leads to).
    bool HasFocus = false;
};

struct TMnemonicChoice {
    size_t Index = 0;
    // Only control with the letter: a label leads to its control, a button
    // is pressed, a check box toggled. With several, the focus only moves.
    bool Activate = false;
};

// candidates: the visible, enabled controls in tab order. The first one
// with the letter is chosen, or the one after the focused one among those
// with it (so pressing again moves on to the next); none when no control
// has it.
std::optional<TMnemonicChoice> ChooseMnemonic(const std::vector<TMnemonicCandidate>& candidates,
                                              char key);

} // namespace corvane::editor

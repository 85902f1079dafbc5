#pragma once
// One table of keys pressed on the editor's focused controls, with the focus
// and the effect each must have, run wherever the pages are shown (the
// customizing dialog, a host's property frame): a case starts in one step
// of the loop's timer (page shown, focus put, key posted) and is read in the
// next, once the loop has handled the key.

#include "KeyboardDriver.h"

#include <functional>
#include <string>
#include <vector>

namespace corvane::win32::testing {

struct KeyCase {
    const char* name;
    int page;
    const char* from; // ControlName of the control focused first
    int key;          // a virtual key, or 0 for the letter below
    unsigned held;    // ShiftKey, CtrlKey; AltKey with a letter: its mnemonic
    char letter;      // with AltKey: Alt+letter; without: the plain character
    const char* focusAfter;
    // What the key changes (nothing unless given).
    std::function<void(EditorState&)> change;
};

// Keys on the pages' own controls: the same in the dialog and in a frame.
const std::vector<KeyCase>& PageKeyCases();
// Flips a check box in an expected state.
void Toggle(EditorState& state, const std::string& caption);

struct KeySeen {
    std::string focus;
    EditorState before, after;
};

// root: the window holding the pages (the dialog, the property page's window).
void StartKeyCase(const KeyCase& c, HWND root, KeySeen& seen);
void FinishKeyCase(HWND root, KeySeen& seen);
void ExpectKeyCase(const KeyCase& c, const KeySeen& seen);

} // namespace corvane::win32::testing

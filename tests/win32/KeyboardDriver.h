#pragma once
// Keys as a user types them, for tests that walk the editor's pages with the
// keyboard alone. Keys are posted to the focused control, so they go through
// whatever message loop runs (the customizing dialog's own or a host frame's)
// and its dialog manager; modifiers are held in the thread's keyboard state
// until released, so GetKeyState sees them while the keys are handled.
//
// Controls are named for tables: a button by its caption (a radio button as
// "Group:Item"), "tabs", "tree", "caption edit" and the edits by role.

#include "win32/WinApi.h"

#include <iosfwd>
#include <string>

namespace corvane::win32::testing {

enum KeyModifier : unsigned { NoKeys = 0, ShiftKey = 1, CtrlKey = 2, AltKey = 4 };

// Posts the key's down and up messages to the focused window, with the
// modifiers held (until ReleaseModifiers).
void PostKey(int virtualKey, unsigned modifiers = NoKeys);
// Alt+letter as it reaches the loop: the system character message.
void PostMnemonic(char letter);
// A plain character typed into the focused window.
void PostCharacter(char character);
void ReleaseModifiers();

std::string ControlName(HWND control);
// The visible control of root with that name (nullptr when none is).
HWND ControlNamed(HWND root, const std::string& name);
// The name of the focused window, or "outside" when it is not in root.
std::string FocusName(HWND root);

// What a key may change, read from the editor's windows under root.
struct EditorState {
    bool rootShown = false;
    bool pagesAlive = false; // both page windows exist, one of them visible
    int page = -1;           // the strip's current tab
    std::string items;       // the tree's outline (TreeOutline)
    std::string checks;      // "caption=0|1" of every check box, in tab order
    bool operator==(const EditorState& o) const {
        return rootShown == o.rootShown && pagesAlive == o.pagesAlive && page == o.page &&
               items == o.items && checks == o.checks;
    }
};
EditorState ReadEditorState(HWND root, HWND pageWindows[2]);
std::ostream& operator<<(std::ostream& out, const EditorState& state);

} // namespace corvane::win32::testing

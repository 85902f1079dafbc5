// The editor's keys: which keys each kind of focused control keeps from the
// dialog manager and what they do, and the mnemonic rule.

#include "core/editor/DialogKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace corvane;
using namespace corvane::editor;

namespace {

using R = TKeyRole;
using K = TKeyRoute;

struct KeyCase {
    TKeyRole role;
    int key;
    TShiftState shift;
    TKeyRoute route;
};

std::string Name(TKeyRole role) {
    const char* names[] = {"PushButton", "CheckBox", "RadioButton", "TabStrip",
                           "Edit",       "Memo",     "Tree"};
    return names[static_cast<int>(role)];
}

TEST(EditorDialogKeys, EachFocusedControlKeepsItsKeysFromTheDialogManager) {
    const int F3 = 114, Down = 40, LetterW = 'W';
    const KeyCase cases[] = {
        // Enter: the tree goes to the width, edits and the memo do nothing, a
        // push button is pressed; elsewhere the form's (which closes nothing).
        {R::Tree, KeyReturn, 0, K::Control},
        {R::Tree, KeyReturn, ssShift, K::Control},
        {R::Edit, KeyReturn, 0, K::Swallow},
        {R::Edit, KeyReturn, ssCtrl, K::Swallow},
        {R::HotKeyMemo, KeyReturn, 0, K::Swallow},
        {R::PushButton, KeyReturn, 0, K::PressButton},
        {R::CheckBox, KeyReturn, 0, K::DialogManager},
        {R::RadioButton, KeyReturn, 0, K::DialogManager},
        {R::TabStrip, KeyReturn, 0, K::DialogManager},
        // Esc: nothing in the edits, the memo and the tree; elsewhere the form's.
        {R::Tree, KeyEscape, 0, K::Swallow},
        {R::Edit, KeyEscape, 0, K::Swallow},
        {R::HotKeyMemo, KeyEscape, 0, K::Swallow},
        {R::PushButton, KeyEscape, 0, K::DialogManager},
        {R::CheckBox, KeyEscape, 0, K::DialogManager},
        {R::TabStrip, KeyEscape, 0, K::DialogManager},
        // Tab always moves the focus, also out of the memo.
        {R::HotKeyMemo, KeyTab, 0, K::DialogManager},
        {R::HotKeyMemo, KeyTab, ssShift, K::DialogManager},
        {R::Tree, KeyTab, 0, K::DialogManager},
        {R::Edit, KeyTab, ssShift, K::DialogManager},
        // The pages, from anywhere.
        {R::HotKeyMemo, KeyTab, ssCtrl, K::NextPage},
        {R::Tree, KeyTab, ssCtrl | ssShift, K::PreviousPage},
        {R::Edit, KeyPageDown, ssCtrl, K::NextPage},
        {R::TabStrip, KeyPageUp, ssCtrl, K::PreviousPage},
        {R::PushButton, KeyTab, ssCtrl, K::NextPage},
        {R::CheckBox, KeyPageUp, ssCtrl, K::PreviousPage},
        {R::RadioButton, KeyPageDown, ssCtrl, K::NextPage},
        // Without Ctrl, page keys are the control's own (the memo scrolls).
        {R::HotKeyMemo, KeyPageDown, 0, K::Native},
        {R::Tree, KeyPageUp, ssShift, K::Native},
        // Everything else is left alone: the tree's commands, arrows, Alt.
        {R::Tree, F3, ssCtrl, K::Native},
        {R::RadioButton, Down, 0, K::Native},
        {R::Edit, LetterW, 0, K::Native},
        {R::Tree, KeyReturn, ssAlt, K::Native},
        {R::HotKeyMemo, KeyTab, ssAlt, K::Native},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(RouteKey(c.role, TKeyStroke{c.key, c.shift}), c.route)
            << Name(c.role) << " key " << c.key << " shift " << c.shift;
    }
}

TEST(EditorDialogKeys, MnemonicIsTheLetterAfterASingleAmpersand) {
    const struct {
        const char* caption;
        char mnemonic;
    } cases[] = {
        {"&Items:", 'I'},     {"H&otTrack", 'O'},
        {"Show A&bout", 'B'}, {"A&lignment", 'L'},
        {"&wordwrap", 'W'},   {"Section Click", 0},
        {"Fish && Chips", 0}, {"&&&Save", 'S'},
        {"Trailing&", 0},     {"", 0},
        {"a&1", '1'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MnemonicOf(c.caption), c.mnemonic) << c.caption;
}

struct MnemonicCase {
    const char* name;
    std::vector<TMnemonicCandidate> candidates;
    char key;
    bool found;
    size_t index;
    bool activate;
};

TEST(EditorDialogKeys, MnemonicGoesToTheFirstControlWithItThenOnToTheNext) {
    // The Sections page in tab order: Items label, Width label, Height
    // label, Alignment group, WordWrap.
    const auto page = [](int focused) {
        std::vector<TMnemonicCandidate> c = {
            {'I', false}, {'W', false}, {'H', false}, {'L', false}, {'W', false}};
        if (focused >= 0)
            c[static_cast<size_t>(focused)].HasFocus = true;
        return c;
    };
    const MnemonicCase cases[] = {
        {"from a control without it: the first", page(-1), 'w', true, 1, false},
        {"from the first: the next", page(1), 'W', true, 4, false},
        {"from the last: back to the first", page(4), 'w', true, 1, false},
        {"the only one acts", page(-1), 'l', true, 3, true},
        {"the only one acts also with the focus", page(3), 'L', true, 3, true},
        {"no control has it", page(0), 'x', false, 0, false},
        {"nothing to choose from", {}, 'w', false, 0, false},
        {"no key", page(-1), '\0', false, 0, false},
    };
    for (const MnemonicCase& c : cases) {
        const auto choice = ChooseMnemonic(c.candidates, c.key);
        ASSERT_EQ(choice.has_value(), c.found) << c.name;
        if (!choice)
            continue;
        EXPECT_EQ(choice->Index, c.index) << c.name;
        EXPECT_EQ(choice->Activate, c.activate) << c.name;
    }
}

} // namespace

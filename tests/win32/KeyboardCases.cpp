#include "KeyboardCases.h"

#include "CustomizeDialogWatch.h"
#include "win32/editor/EditorPages.h"

#include <gtest/gtest.h>

namespace corvane::win32::testing {
namespace {

void ToPage(EditorState& s, int page) {
    s.page = page;
}

// The editor's two page windows in root (General first).
void PageWindows(HWND root, HWND out[2]) {
    out[0] = out[1] = nullptr;
    int found = 0;
    for (HWND c = ::GetWindow(root, GW_CHILD); c != nullptr && found < 2;
         c = ::GetWindow(c, GW_HWNDNEXT)) {
        char name[64] = {};
        ::GetClassNameA(c, name, sizeof name);
        if (std::string(name) == editor::EditorPages::PageClassName)
            out[found++] = c;
    }
}

EditorState StateOf(HWND root) {
    HWND pages[2];
    PageWindows(root, pages);
    return ReadEditorState(root, pages);
}

} // namespace

void Toggle(EditorState& s, const std::string& caption) {
    const size_t at = s.checks.find(caption + "=");
    ASSERT_NE(at, std::string::npos) << caption;
    char& value = s.checks[at + caption.size() + 1];
    value = value == '1' ? '0' : '1';
}

const std::vector<KeyCase>& PageKeyCases() {
    static const std::vector<KeyCase> cases = {
        // Enter and Esc in the tree and the edits close nothing.
        {"EnterInTreeGoesToWidth", 1, "tree", VK_RETURN, NoKeys, 0, "width", nullptr},
        {"EscInTreeDoesNothing", 1, "tree", VK_ESCAPE, NoKeys, 0, "tree", nullptr},
        {"EnterInWidthDoesNothing", 1, "width", VK_RETURN, NoKeys, 0, "width", nullptr},
        {"EscInWidthDoesNothing", 1, "width", VK_ESCAPE, NoKeys, 0, "width", nullptr},
        {"EscInMemoKeepsThePage", 1, "memo", VK_ESCAPE, NoKeys, 0, "memo", nullptr},
        {"EnterInMemoDoesNothing", 1, "memo", VK_RETURN, NoKeys, 0, "memo", nullptr},
        {"EnterInHintDoesNothing", 0, "hint", VK_RETURN, NoKeys, 0, "hint", nullptr},
        {"EscInBevelWidthDoesNothing", 0, "bevelwidth", VK_ESCAPE, NoKeys, 0, "bevelwidth",
         nullptr},
        // Tab leaves the memo both ways.
        {"TabLeavesTheMemo", 1, "memo", VK_TAB, NoKeys, 0, "tree", nullptr},
        {"ShiftTabLeavesTheMemo", 1, "memo", VK_TAB, ShiftKey, 0, "tabs", nullptr},
        // The pages from anywhere; the focus goes to the strip.
        {"CtrlTabFromTheMemo", 1, "memo", VK_TAB, CtrlKey, 0, "tabs",
         [](EditorState& s) { ToPage(s, 0); }},
        {"CtrlTabFromTheGeneralPage", 0, "bevelwidth", VK_TAB, CtrlKey, 0, "tabs",
         [](EditorState& s) { ToPage(s, 1); }},
        {"CtrlPageUpFromWordWrap", 1, "&WordWrap", VK_PRIOR, CtrlKey, 0, "tabs",
         [](EditorState& s) { ToPage(s, 0); }},
        {"CtrlShiftTabOnTheStrip", 1, "tabs", VK_TAB, CtrlKey | ShiftKey, 0, "tabs",
         [](EditorState& s) { ToPage(s, 0); }},
        {"CtrlPageDownFromHint", 0, "hint", VK_NEXT, CtrlKey, 0, "tabs",
         [](EditorState& s) { ToPage(s, 1); }},
        {"CtrlTabFromTheTree", 1, "tree", VK_TAB, CtrlKey, 0, "tabs",
         [](EditorState& s) { ToPage(s, 0); }},
        // Enter presses a focused push button.
        {"EnterPressesAdd", 1, "Add", VK_RETURN, NoKeys, 0, "tree",
         [](EditorState& s) { s.items += "\n"; }},
        // Mnemonics: labels lead to their controls; with a letter used twice
        // the first press goes to the first, the next one on.
        {"AltIToItems", 1, "memo", 0, AltKey, 'i', "tree", nullptr},
        {"AltWFromTheMemoToWidth", 1, "memo", 0, AltKey, 'w', "width", nullptr},
        {"AltWAgainToWordWrapUntoggled", 1, "width", 0, AltKey, 'w', "&WordWrap", nullptr},
        {"AltWOnceMoreBackToWidth", 1, "&WordWrap", 0, AltKey, 'W', "width", nullptr},
        {"AltHToHeight", 1, "tree", 0, AltKey, 'h', "height", nullptr},
        {"AltLToTheAlignmentGroup", 1, "tree", 0, AltKey, 'l', "A&lignment:Left", nullptr},
        {"PlainLetterOnAButtonIsAMnemonic", 1, "Move Up...", 0, NoKeys, 'i', "tree", nullptr},
        {"PlainLetterInAnEditIsText", 1, "width", 0, NoKeys, 'h', "width", nullptr},
        {"AltHToHintOnGeneral", 0, "tabs", 0, AltKey, 'h', "hint", nullptr},
        {"AltHAgainToHeightResizeUntoggled", 0, "hint", 0, AltKey, 'h', "&Height Resize", nullptr},
        {"AltVTogglesTheOnlyVisible", 0, "tabs", 0, AltKey, 'v', "&Visible",
         [](EditorState& s) { Toggle(s, "&Visible"); }},
        {"AltSTogglesShowHint", 0, "tabs", 0, AltKey, 's', "&ShowHint",
         [](EditorState& s) { Toggle(s, "&ShowHint"); }},
        {"AltITogglesHintSectionsOnGeneral", 0, "tabs", 0, AltKey, 'i', "H&intSections",
         [](EditorState& s) { Toggle(s, "H&intSections"); }},
        {"AltMTogglesMoveSections", 0, "tabs", 0, AltKey, 'm', "&Move Sections",
         [](EditorState& s) { Toggle(s, "&Move Sections"); }},
        {"AltWTogglesWidthResizeOnGeneral", 0, "tabs", 0, AltKey, 'w', "&Width Resize",
         [](EditorState& s) { Toggle(s, "&Width Resize"); }},
        {"AltBFirstToShowAboutUntoggled", 0, "tabs", 0, AltKey, 'b', "Show A&bout", nullptr},
        {"AltBThenToBevelwidth", 0, "Show A&bout", 0, AltKey, 'b', "bevelwidth", nullptr},
    };
    return cases;
}

void StartKeyCase(const KeyCase& c, HWND root, KeySeen& seen) {
    const HWND tabs = ControlNamed(root, "tabs");
    if (::SendMessageA(tabs, TCM_GETCURSEL, 0, 0) != c.page)
        ChoosePage(root, c.page);
    const HWND tree = ControlNamed(root, "tree");
    if (std::string(c.from) == "tree" && TreeView_GetSelection(tree) == nullptr) {
        HTREEITEM last = TreeView_GetRoot(tree); // the last top-level item
        for (HTREEITEM next = last; next != nullptr; next = TreeView_GetNextSibling(tree, next))
            last = next;
        ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(last));
    }
    const HWND from = ControlNamed(root, c.from);
    ASSERT_NE(from, nullptr) << c.name;
    ::SetFocus(from);
    seen.before = StateOf(root);
    if (c.key != 0)
        PostKey(c.key, c.held);
    else if (c.held & AltKey)
        PostMnemonic(c.letter);
    else
        PostCharacter(c.letter);
}

void FinishKeyCase(HWND root, KeySeen& seen) {
    seen.focus = FocusName(root);
    seen.after = StateOf(root);
    ReleaseModifiers();
}

void ExpectKeyCase(const KeyCase& c, const KeySeen& seen) {
    EditorState expected = seen.before;
    if (c.change)
        c.change(expected);
    EXPECT_EQ(seen.focus, c.focusAfter) << c.name;
    EXPECT_EQ(seen.after, expected) << c.name;
    EXPECT_TRUE(seen.after.rootShown && seen.after.pagesAlive) << c.name;
}

} // namespace corvane::win32::testing

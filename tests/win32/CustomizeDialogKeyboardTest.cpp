// The customizing dialog with the keyboard alone, through its own modal loop
// and the dialog manager: the Tab walk over both pages, and a table of keys
// pressed on focused controls with the focus and the effect each must have.
// Nothing a key does may close the dialog or destroy a page.

#include "CustomizeDialogWatch.h"
#include "HeaderFixture.h"
#include "KeyboardDriver.h"
#include "ModalWatch.h"
#include "win32/editor/HeadersFormWindow.h"

#include <algorithm>
#include <functional>

namespace corvane::win32::testing {
namespace {

using Form = editor::HeadersFormWindow;

class CustomizeDialogKeyboard : public HeaderFixture {
protected:
    void SetUp() override {
        HeaderFixture::SetUp();
        control->OnBeforeApply = [this](TStrativ*) { events.push_back("BeforeApply"); };
    }
    size_t Customize(std::vector<CustomizeDialogWatch::Step> steps) {
        CustomizeDialogWatch watch(std::move(steps));
        PopupMenuWatch menu(1); // "Customize..."
        RightDown(50, 40);
        PumpMessages();
        ReleaseModifiers();
        return watch.StepsRun();
    }
    static EditorState State(HWND form) {
        HWND pages[2] = {Form::FromHandle(form)->PageWindow(0),
                         Form::FromHandle(form)->PageWindow(1)};
        return ReadEditorState(form, pages);
    }
    static void ShowPage(HWND form, int page) {
        const HWND tabs = DialogControl(form, Form::PageControlId);
        if (::SendMessageA(tabs, TCM_GETCURSEL, 0, 0) != page)
            ChoosePage(form, page);
    }
    // Steps that walk with Tab (or Shift+Tab) from `from` on the page until
    // the focus is back there, recording every control reached.
    static std::vector<CustomizeDialogWatch::Step> Walk(int page, const char* from, bool back,
                                                        std::vector<std::string>& reached) {
        std::vector<CustomizeDialogWatch::Step> steps;
        steps.push_back([=, &reached](HWND form) {
            ShowPage(form, page);
            ::SetFocus(ControlNamed(form, from));
            reached.push_back(FocusName(form));
            PostKey(VK_TAB, back ? ShiftKey : NoKeys);
        });
        for (int i = 0; i < 40; ++i) {
            steps.push_back([=, &reached](HWND form) {
                if (reached.size() > 1 && reached.back() == from)
                    return; // round trip done
                reached.push_back(FocusName(form));
                if (reached.back() != from)
                    PostKey(VK_TAB, back ? ShiftKey : NoKeys);
            });
        }
        steps.push_back([](HWND) { ReleaseModifiers(); });
        return steps;
    }
};

TEST_F(CustomizeDialogKeyboard, TabReachesEveryControlOfBothPagesInTheLayoutsOrder) {
    std::vector<std::string> general, sections, sectionsBack;
    std::vector<CustomizeDialogWatch::Step> steps = Walk(0, "&OK", false, general);
    for (auto& step : Walk(1, "tabs", false, sections))
        steps.push_back(std::move(step));
    for (auto& step : Walk(1, "tabs", true, sectionsBack))
        steps.push_back(std::move(step));
    steps.push_back([](HWND form) { Click(DialogControl(form, Form::CancelButtonId)); });
    Customize(std::move(steps));

    // Form: OK, Cancel, Apply, the page control; then the shown page's own
    // order (a radio group is reached at its chosen item, the Options group
    // at its boxes in their own order).
    EXPECT_EQ(general, (std::vector<std::string>{"&OK",
                                                 "&Cancel",
                                                 "&Apply",
                                                 "tabs",
                                                 "HeadersStyle:New",
                                                 "BevelInner:None",
                                                 "BevelOuter:None",
                                                 "BorderStyle:Single",
                                                 "hint",
                                                 "Align:None",
                                                 "&Visible",
                                                 "&ShowHint",
                                                 "&Customizing",
                                                 "H&otTrack",
                                                 "&Height Resize",
                                                 "&Width Resize",
                                                 "H&intSections",
                                                 "&Move Sections",
                                                 "Show A&bout",
                                                 "Section Click",
                                                 "borderwidth",
                                                 "bevelwidth",
                                                 "&OK"}));
    const std::vector<std::string> sectionsOrder = {
        "tabs",        "tree",    "width",  "height",     "A&lignment:Left", "Add",
        "Add Subitem", "Delete",  "memo",   "Move Up...", "Move Down...",    "&WordWrap",
        "&OK",         "&Cancel", "&Apply", "tabs"};
    EXPECT_EQ(sections, sectionsOrder);
    std::vector<std::string> reversed(sectionsOrder.rbegin(), sectionsOrder.rend());
    EXPECT_EQ(sectionsBack, reversed);
}

// One key pressed on one focused control: where the focus is afterwards and
// what changed (nothing unless said; the dialog always stays open).
struct KeyCase {
    const char* name;
    int page;
    const char* from;
    int key;       // a virtual key, or 0 for the letter below
    unsigned held; // ShiftKey, CtrlKey; AltKey with a letter: its mnemonic
    char letter;   // with AltKey: Alt+letter; without: the plain character
    const char* focusAfter;
    std::function<void(EditorState&)> change;
};

void ToPage(EditorState& s, int page) {
    s.page = page;
}

void Toggle(EditorState& s, const std::string& caption) {
    const size_t at = s.checks.find(caption + "=");
    ASSERT_NE(at, std::string::npos) << caption;
    char& value = s.checks[at + caption.size() + 1];
    value = value == '1' ? '0' : '1';
}

const std::vector<KeyCase>& DialogKeyCases() {
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
        {"TabLeavesTheMemo", 1, "memo", VK_TAB, NoKeys, 0, "Move Up...", nullptr},
        {"ShiftTabLeavesTheMemo", 1, "memo", VK_TAB, ShiftKey, 0, "Delete", nullptr},
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
        {"EnterPressesMoveUp", 1, "Move Up...", VK_RETURN, NoKeys, 0, "Move Up...",
         [](EditorState& s) { s.items = "Group\n  A\n  B\n\nC\n"; }},
        {"EnterOnACheckBoxDoesNothing", 0, "Section Click", VK_RETURN, NoKeys, 0, "Section Click",
         nullptr},
        {"EscOnOkDoesNothing", 0, "&OK", VK_ESCAPE, NoKeys, 0, "&OK", nullptr},
        {"EnterOnTheStripDoesNothing", 0, "tabs", VK_RETURN, NoKeys, 0, "tabs", nullptr},
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
        {"AltCFirstOnlyToCancel", 0, "tabs", 0, AltKey, 'c', "&Cancel", nullptr},
        {"AltCThenToCustomizingUntoggled", 0, "&Cancel", 0, AltKey, 'c', "&Customizing", nullptr},
        {"AltBToBevelwidthAfterShowAbout", 0, "Show A&bout", 0, AltKey, 'b', "bevelwidth", nullptr},
        {"AltOFirstOnlyToOk", 0, "tabs", 0, AltKey, 'o', "&OK", nullptr},
        {"AltOThenToHotTrackUntoggled", 0, "&OK", 0, AltKey, 'o', "H&otTrack", nullptr},
        {"AltSTogglesShowHint", 0, "tabs", 0, AltKey, 's', "&ShowHint",
         [](EditorState& s) { Toggle(s, "&ShowHint"); }},
        {"AltITogglesHintSectionsOnGeneral", 0, "tabs", 0, AltKey, 'i', "H&intSections",
         [](EditorState& s) { Toggle(s, "H&intSections"); }},
        {"AltMTogglesMoveSections", 0, "tabs", 0, AltKey, 'm', "&Move Sections",
         [](EditorState& s) { Toggle(s, "&Move Sections"); }},
        {"AltWTogglesWidthResizeOnGeneral", 0, "tabs", 0, AltKey, 'w', "&Width Resize",
         [](EditorState& s) { Toggle(s, "&Width Resize"); }},
        {"AltBFirstToShowAboutUntoggled", 0, "tabs", 0, AltKey, 'b', "Show A&bout", nullptr},
        {"AltAPressesApply", 1, "tree", 0, AltKey, 'a', "&Apply", nullptr},
        {"EnterPressesApply", 0, "&Apply", VK_RETURN, NoKeys, 0, "&Apply", nullptr},
    };
    return cases;
}

TEST_F(CustomizeDialogKeyboard, EachKeyOnEachFocusedControlDoesWhatTheTableSays) {
    struct Seen {
        std::string focus;
        EditorState before, after;
    };
    const auto& cases = DialogKeyCases();
    std::vector<Seen> seen(cases.size());
    std::vector<CustomizeDialogWatch::Step> steps;
    for (size_t i = 0; i < cases.size(); ++i) {
        steps.push_back([&, i](HWND form) {
            const KeyCase& c = cases[i];
            ShowPage(form, c.page);
            const HWND tree = Form::FromHandle(form)->TreeView();
            if (std::string(c.from) == "tree" && TreeView_GetSelection(tree) == nullptr)
                ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                               reinterpret_cast<LPARAM>(FindItem(tree, "C")));
            const HWND from = ControlNamed(form, c.from);
            ASSERT_NE(from, nullptr) << c.name;
            ::SetFocus(from);
            seen[i].before = State(form);
            if (c.key != 0)
                PostKey(c.key, c.held);
            else if (c.held & AltKey)
                PostMnemonic(c.letter);
            else
                PostCharacter(c.letter);
        });
        steps.push_back([&, i](HWND form) {
            seen[i].focus = FocusName(form);
            seen[i].after = State(form);
            ReleaseModifiers();
        });
    }
    steps.push_back([](HWND form) { Click(DialogControl(form, Form::CancelButtonId)); });
    EXPECT_EQ(Customize(steps), steps.size());

    for (size_t i = 0; i < cases.size(); ++i) {
        const KeyCase& c = cases[i];
        EditorState expected = seen[i].before;
        if (c.change)
            c.change(expected);
        EXPECT_EQ(seen[i].focus, c.focusAfter) << c.name;
        EXPECT_EQ(seen[i].after, expected) << c.name;
        EXPECT_TRUE(seen[i].after.rootShown && seen[i].after.pagesAlive) << c.name;
    }
    // The two presses of Apply, by its mnemonic and by Enter.
    EXPECT_EQ(std::count(events.begin(), events.end(), "BeforeApply"), 2);
}

TEST_F(CustomizeDialogKeyboard, AltOPressesOkWhereNoOtherControlHasTheLetter) {
    bool openBefore = false;
    Customize({
        [&](HWND form) {
            ShowPage(form, 1);
            ::SetFocus(ControlNamed(form, "tree"));
            openBefore = ::IsWindowVisible(form) != FALSE;
            PostMnemonic('o');
        },
        [](HWND form) { Click(DialogControl(form, Form::CancelButtonId)); }, // not reached
    });
    EXPECT_TRUE(openBefore);
    // OK wrote back (the load made the dialog dirty), without the apply events.
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeCustomize", "AfterCustomize"}));
}

} // namespace
} // namespace corvane::win32::testing

// The customizing dialog with the keyboard alone, through its own modal loop
// and the dialog manager: the Tab walk over both pages, and a table of keys
// pressed on focused controls with the focus and the effect each must have.
// Nothing a key does may close the dialog or destroy a page.

#include "CustomizeDialogWatch.h"
#include "HeaderFixture.h"
#include "KeyboardCases.h"
#include "ModalWatch.h"
#include "com/ComPtr.h"
#include "win32/editor/HeadersFormWindow.h"

#include <oleacc.h>

#include <algorithm>
#include <iterator>

namespace corvane::win32::testing {
namespace {

using Form = editor::HeadersFormWindow;
using com::TComPtr;

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
                                                 "Click to Select a Font...",
                                                 "Click to Select a Color...",
                                                 "Click to Select a Hot Track Color...",
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
        "tabs",      "memo",    "tree",        "width",  "height",     "A&lignment:Left",
        "&WordWrap", "Add",     "Add Subitem", "Delete", "Move Up...", "Move Down...",
        "&OK",       "&Cancel", "&Apply",      "tabs"};
    EXPECT_EQ(sections, sectionsOrder);
    std::vector<std::string> reversed(sectionsOrder.rbegin(), sectionsOrder.rend());
    EXPECT_EQ(sectionsBack, reversed);
}

// Keys on the form's own buttons, and Enter and Esc that are the form's
// (which close nothing here; in a host's frame they are its OK and Cancel).
const std::vector<KeyCase>& FormKeyCases() {
    static const std::vector<KeyCase> cases = {
        {"EnterPressesMoveUp", 1, "Move Up...", VK_RETURN, NoKeys, 0, "Move Up...",
         [](EditorState& s) { s.items = "Group\n  A\n  B\n\nC\n"; }}, // after Add
        {"EnterOnACheckBoxClosesNothing", 0, "Section Click", VK_RETURN, NoKeys, 0, "Section Click",
         nullptr},
        {"EscOnOkClosesNothing", 0, "&OK", VK_ESCAPE, NoKeys, 0, "&OK", nullptr},
        {"EnterOnTheStripClosesNothing", 0, "tabs", VK_RETURN, NoKeys, 0, "tabs", nullptr},
        {"EscOnACheckBoxClosesNothing", 0, "Section Click", VK_ESCAPE, NoKeys, 0, "Section Click",
         nullptr},
        {"AltCFirstOnlyToCancel", 0, "tabs", 0, AltKey, 'c', "&Cancel", nullptr},
        {"AltCThenToCustomizingUntoggled", 0, "&Cancel", 0, AltKey, 'c', "&Customizing", nullptr},
        {"AltOFirstOnlyToOk", 0, "tabs", 0, AltKey, 'o', "&OK", nullptr},
        {"AltOThenToHotTrackUntoggled", 0, "&OK", 0, AltKey, 'o', "H&otTrack", nullptr},
        {"AltAPressesApply", 1, "tree", 0, AltKey, 'a', "&Apply", nullptr},
        {"EnterPressesApply", 0, "&Apply", VK_RETURN, NoKeys, 0, "&Apply", nullptr},
    };
    return cases;
}

TEST_F(CustomizeDialogKeyboard, EachKeyOnEachFocusedControlDoesWhatTheTableSays) {
    std::vector<KeyCase> cases = PageKeyCases();
    cases.insert(cases.end(), FormKeyCases().begin(), FormKeyCases().end());
    std::vector<KeySeen> seen(cases.size());
    std::vector<CustomizeDialogWatch::Step> steps;
    for (size_t i = 0; i < cases.size(); ++i) {
        steps.push_back([&, i](HWND form) { StartKeyCase(cases[i], form, seen[i]); });
        steps.push_back([&, i](HWND form) { FinishKeyCase(form, seen[i]); });
    }
    steps.push_back([](HWND form) { Click(DialogControl(form, Form::CancelButtonId)); });
    EXPECT_EQ(Customize(steps), steps.size());
    for (size_t i = 0; i < cases.size(); ++i)
        ExpectKeyCase(cases[i], seen[i]);
    // The two presses of Apply, by its mnemonic and by Enter.
    EXPECT_EQ(std::count(events.begin(), events.end(), "BeforeApply"), 2);
}

// The font and colour buttons from the keyboard: Space and Enter on each
// open its dialog (which the watch confirms), the form stays open and the
// focus comes back to the button.
TEST_F(CustomizeDialogKeyboard, SpaceAndEnterOnTheFontAndColourButtonsOpenTheirDialogs) {
    MessageBoxWatch dialogs;
    struct Case {
        const char* button;
        int key;
        const char* dialog;
    };
    const Case cases[] = {
        {"Click to Select a Font...", VK_SPACE, "Font"},
        {"Click to Select a Font...", VK_RETURN, "Font"},
        {"Click to Select a Color...", VK_SPACE, "Color"},
        {"Click to Select a Color...", VK_RETURN, "Color"},
        {"Click to Select a Hot Track Color...", VK_SPACE, "Color"},
        {"Click to Select a Hot Track Color...", VK_RETURN, "Color"},
    };
    std::vector<std::string> focusAfter;
    std::vector<CustomizeDialogWatch::Step> steps;
    std::vector<LONG> roles;
    for (const Case& c : cases) {
        steps.push_back([&, c](HWND form) {
            ShowPage(form, 0);
            ::SetFocus(ControlNamed(form, c.button));
            TComPtr<IAccessible> acc; // announced as a push button
            VARIANT role{}, self{};
            self.vt = VT_I4;
            ::AccessibleObjectFromWindow(::GetFocus(), static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), acc.PutVoid());
            roles.push_back(acc && acc->get_accRole(self, &role) == S_OK ? role.lVal : 0);
            PostKey(c.key);
        });
        steps.push_back([&](HWND form) { focusAfter.push_back(FocusName(form)); });
    }
    steps.push_back([](HWND form) { Click(DialogControl(form, Form::CancelButtonId)); });
    EXPECT_EQ(Customize(steps), steps.size());
    EXPECT_EQ(roles, std::vector<LONG>(std::size(cases), ROLE_SYSTEM_PUSHBUTTON));
    ASSERT_EQ(dialogs.Seen().size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(dialogs.Seen()[i].caption, cases[i].dialog) << i;
        EXPECT_EQ(focusAfter[i], cases[i].button) << i;
    }
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

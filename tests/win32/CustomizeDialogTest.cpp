// The customizing dialog driven through its real controls, from the
// header's context menu to the write-back: pages, tree view, edits, check
// boxes, buttons; the events and their order; the error box.

#include "CustomizeDialogWatch.h"
#include "HeaderFixture.h"
#include "ModalWatch.h"
#include "win32/ErrorBox.h"
#include "win32/editor/HeadersFormWindow.h"

namespace corvane::win32::testing {
namespace {

using Form = editor::HeadersFormWindow;

class CustomizeDialogWin32 : public HeaderFixture {
protected:
    void SetUp() override {
        HeaderFixture::SetUp();
        control->OnBeforeApply = [this](TStrativ*) { events.push_back("BeforeApply"); };
        control->OnAfterApply = [this](TStrativ*) { events.push_back("AfterApply"); };
        Section("C")->SetTypeCol(42);
    }
    // Opens the dialog from the context menu as a user would; the steps run
    // inside its modal loop.
    size_t Customize(std::vector<CustomizeDialogWatch::Step> steps) {
        CustomizeDialogWatch watch(std::move(steps));
        PopupMenuWatch menu(1); // "Customize..."
        RightDown(50, 40);
        PumpMessages();
        return watch.StepsRun();
    }
    static void Press(HWND form, int id) { Click(DialogControl(form, id)); }
    static void Type(HWND form, int id, const char* text) {
        ::SendMessageA(DialogControl(form, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    static void Key(HWND window, WPARAM key) { ::SendMessageA(window, WM_KEYDOWN, key, 0); }
};

TEST_F(CustomizeDialogWin32, OpensOnTheGeneralPageLoadedFromTheHeaderAndCancelWritesNothing) {
    control->SetName("Header1");
    control->SetOptions(AllHeaderOptions & ~hoAbout);
    std::string caption, outline, borderWidth;
    bool aboutChecked = true, generalShown = false, sectionsShown = true;
    HWND owner = nullptr;
    bool hostDisabled = false;
    const size_t steps = Customize({[&](HWND form) {
        caption = Text(form);
        owner = ::GetWindow(form, GW_OWNER);
        hostDisabled = !::IsWindowEnabled(host);
        Form* dialog = Form::FromHandle(form);
        generalShown = ::IsWindowVisible(dialog->PageWindow(0)) != FALSE;
        sectionsShown = ::IsWindowVisible(dialog->PageWindow(1)) != FALSE;
        outline = TreeOutline(dialog->TreeView());
        aboutChecked = ::SendMessageA(ButtonWithCaption(form, "Show A&bout"), BM_GETCHECK, 0, 0) ==
                       BST_CHECKED;
        borderWidth = Text(DialogControl(form, Form::BorderWidthId));
        Press(form, Form::CancelButtonId);
    }});
    EXPECT_EQ(steps, 1u);
    EXPECT_EQ(caption, "Customizing... Header1");
    EXPECT_EQ(owner, host);
    EXPECT_TRUE(hostDisabled);
    EXPECT_TRUE(::IsWindowEnabled(host));
    EXPECT_TRUE(generalShown);
    EXPECT_FALSE(sectionsShown);
    EXPECT_EQ(outline, "Group\n  A\n  B\nC\n");
    EXPECT_FALSE(aboutChecked);
    EXPECT_EQ(borderWidth, "0");
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeCustomize", "AfterCustomize"}));
    EXPECT_EQ(Section("C")->TypeCol(), 42);
}

TEST_F(CustomizeDialogWin32, EditsInTheTreeAndThePropertiesApplyThenOk) {
    const auto tree = [](HWND form) { return Form::FromHandle(form)->TreeView(); };
    std::vector<std::string> afterApply;
    std::string outline, widthShown;
    Customize({
        [&](HWND form) {
            ChoosePage(form, 1);
            ::SendMessageA(tree(form), TVM_SELECTITEM, TVGN_CARET,
                           reinterpret_cast<LPARAM>(FindItem(tree(form), "C")));
            widthShown = Text(DialogControl(form, Form::WidthEditId));
            Type(form, Form::WidthEditId, "150");
            // F2, type the caption in place, accept it.
            Key(tree(form), VK_F2);
            const auto edit =
                reinterpret_cast<HWND>(::SendMessageA(tree(form), TVM_GETEDITCONTROL, 0, 0));
            ASSERT_NE(edit, nullptr);
            ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Total"));
            ::SendMessageA(tree(form), TVM_ENDEDITLABELNOW, FALSE, 0);
            // F3 adds a sibling after "Total", selected at once.
            Key(tree(form), VK_F3);
            outline = TreeOutline(tree(form));
            Press(form, Form::ApplyButtonId);
            afterApply = events;
        },
        [&](HWND form) {
            ChoosePage(form, 0);
            Click(ButtonWithCaption(form, "Section Click"));
            Press(form, Form::OkButtonId);
        },
    });
    EXPECT_EQ(widthShown, "100");
    EXPECT_EQ(outline, "Group\n  A\n  B\nTotal\n\n");
    EXPECT_EQ(afterApply,
              (std::vector<std::string>{"BeforeCustomize", "BeforeApply", "AfterApply"}));
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeCustomize", "BeforeApply", "AfterApply",
                                                "AfterCustomize"}));
    ASSERT_NE(Section("Total"), nullptr);
    EXPECT_EQ(Section("Total")->Width(), 150);
    EXPECT_EQ(Section("Total")->TypeCol(), 42); // the tag survived
    EXPECT_EQ(control->Sections()->Count(), 3);
    EXPECT_EQ(control->Sections()->Items(2)->Width(), 75);
    EXPECT_EQ(control->Options(), AllHeaderOptions & ~hoClick);
    EXPECT_EQ(control->ColumnCount(), 4); // the index was rebuilt
}

TEST_F(CustomizeDialogWin32, CancelAfterApplyKeepsTheAppliedValues) {
    Customize({[&](HWND form) {
        Type(form, Form::BevelWidthId, "3");
        Press(form, Form::ApplyButtonId);
        Type(form, Form::BevelWidthId, "5");
        Press(form, Form::CancelButtonId);
    }});
    EXPECT_EQ(control->BevelWidth(), 3);
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeCustomize", "BeforeApply", "AfterApply",
                                                "AfterCustomize"}));
}

TEST_F(CustomizeDialogWin32, BadBorderWidthShowsTheErrorBoxAndOkStillCloses) {
    MessageBoxWatch boxes;
    bool stillOpenAfterApply = false;
    Customize({[&](HWND form) {
                   Type(form, Form::HintEditId, "hint text");
                   Type(form, Form::BorderWidthId, "");
                   Press(form, Form::ApplyButtonId);
                   stillOpenAfterApply = ::IsWindowVisible(form) != FALSE;
               },
               [&](HWND form) { Press(form, Form::OkButtonId); }});
    ASSERT_EQ(boxes.Seen().size(), 2u); // Apply, then OK
    for (const SeenMessageBox& box : boxes.Seen()) {
        EXPECT_EQ(box.text, "'' is not a valid integer value");
        EXPECT_EQ(box.icon, ErrorIcon());
        EXPECT_EQ(box.caption, ApplicationTitle());
    }
    EXPECT_TRUE(stillOpenAfterApply);
    EXPECT_EQ(events,
              (std::vector<std::string>{"BeforeCustomize", "BeforeApply", "AfterCustomize"}));
    EXPECT_EQ(control->Hint(), ""); // after the failing field: never written
}

TEST_F(CustomizeDialogWin32, EnterAndEscapeDoNotCloseTheDialog) {
    bool openAfterKeys = false;
    Customize({[&](HWND form) {
                   const HWND edit = DialogControl(form, Form::HintEditId);
                   ::SetFocus(edit);
                   for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
                       ::PostMessageA(edit, WM_KEYDOWN, key, 0);
                       ::PostMessageA(edit, WM_KEYUP, key, 0);
                   }
               },
               [&](HWND form) {
                   openAfterKeys = ::IsWindowVisible(form) != FALSE;
                   Press(form, Form::CancelButtonId);
               }});
    EXPECT_TRUE(openAfterKeys);
}

TEST_F(CustomizeDialogWin32, NumberFieldsTakeDigitsAndBackspaceOnly) {
    std::string width, border;
    Customize({[&](HWND form) {
        const HWND borderEdit = DialogControl(form, Form::BorderWidthId);
        ::SendMessageA(borderEdit, EM_SETSEL, 0, -1);
        for (char c : {'7', '-', 'x', '\b', '4', '2'})
            ::SendMessageA(borderEdit, WM_CHAR, static_cast<unsigned char>(c), 0);
        border = Text(borderEdit);
        ChoosePage(form, 1);
        const HWND tree = Form::FromHandle(form)->TreeView();
        ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                       reinterpret_cast<LPARAM>(FindItem(tree, "A")));
        const HWND widthEdit = DialogControl(form, Form::WidthEditId);
        ::SendMessageA(widthEdit, EM_SETSEL, 0, -1);
        for (char c : {'1', '\b', '9', 'a', '5'})
            ::SendMessageA(widthEdit, WM_CHAR, static_cast<unsigned char>(c), 0);
        width = Text(widthEdit);
        Press(form, Form::OkButtonId);
    }});
    EXPECT_EQ(border, "42");
    // Backspace empties the width edit, which turns into "0" at once (caret
    // in front of it); 9 and 5 go in around the caret.
    EXPECT_EQ(width, "950");
    EXPECT_EQ(Section("A")->Width(), 950);
}

} // namespace
} // namespace corvane::win32::testing

// The context menu as a person sees it (read from the open system menu and
// chosen with the keyboard), the About box, and errors of event handlers
// shown in the error box without taking the window down.
#include "CustomizeDialogWatch.h"
#include "HeaderFixture.h"
#include "ModalWatch.h"
#include "core/framework/Exceptions.h"
#include "win32/ErrorBox.h"

namespace corvane::win32::testing {
namespace {

std::vector<std::string> Captions(const std::vector<SeenMenuItem>& items) {
    std::vector<std::string> out;
    for (const SeenMenuItem& item : items)
        out.push_back(item.separator ? "-" : item.caption);
    return out;
}

using StrativContextMenu = HeaderFixture;

TEST_F(StrativContextMenu, RightButtonOpensAboutSeparatorAndCustomize) {
    PopupMenuWatch watch;
    RightDown(50, 40);
    ASSERT_EQ(watch.Seen().size(), 1u);
    EXPECT_EQ(Captions(watch.Seen()[0]),
              (std::vector<std::string>{"About Strativ...", "-", "Customize..."}));
    EXPECT_TRUE(events.empty()); // dismissed: nothing chosen
}

TEST_F(StrativContextMenu, OptionsAndCaptionShapeTheMenu) {
    PopupMenuWatch watch;
    control->SetOptions(AllHeaderOptions & ~hoAbout);
    control->SetCustomizeMenustring("Edit headers...");
    RightDown(50, 40);
    RightDown(150, 40); // opened twice: one set of items each time
    ASSERT_EQ(watch.Seen().size(), 2u);
    EXPECT_EQ(Captions(watch.Seen()[0]), (std::vector<std::string>{"Edit headers..."}));
    EXPECT_EQ(Captions(watch.Seen()[1]), (std::vector<std::string>{"Edit headers..."}));

    control->SetOptions(AllHeaderOptions & ~hoCustomize);
    RightDown(50, 40);
    PumpMessages();
    EXPECT_EQ(watch.Seen().size(), 2u); // no menu at all
}

TEST_F(StrativContextMenu, ChoosingAboutShowsTheAboutBox) {
    PopupMenuWatch menu(0);
    MessageBoxWatch boxes;
    RightDown(50, 40);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    const SeenMessageBox& about = boxes.Seen()[0];
    EXPECT_EQ(about.text, TStrativ::AboutText());
    EXPECT_EQ(about.text.substr(0, 16), "TStrativ v.2.8\r\n");
    EXPECT_NE(about.text.find("     g) Very easy-to-use customizing, and very effective!!!."),
              std::string::npos);
    EXPECT_EQ(about.icon, InformationIcon());
    EXPECT_EQ(about.owner, host);
    EXPECT_TRUE(::IsWindow(hwnd()));
}

TEST_F(StrativContextMenu, ChoosingCustomizeRunsTheCustomizeCycle) {
    PopupMenuWatch menu(1);
    // The dialog is modal: cancel it from inside its loop.
    CustomizeDialogWatch dialog({[](HWND form) { ::PostMessageA(form, WM_CLOSE, 0, 0); }});
    RightDown(50, 40);
    EXPECT_EQ(dialog.StepsRun(), 1u);
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeCustomize", "AfterCustomize"}));
}

using StrativErrors = HeaderFixture;

TEST_F(StrativErrors, HandlerErrorIsShownInTheErrorBoxAndTheWindowGoesOn) {
    control->SetOptions(AllHeaderOptions & ~hoDragdrop);
    int clicks = 0;
    control->OnHeaderClick = [&](TStrativ*, THeaderColumns*) {
        ++clicks;
        throw EListError("List index out of bounds (7)");
    };
    MessageBoxWatch boxes;
    MouseMove(300, 30);
    LeftDown(300, 30);
    LeftUp(300, 30); // the error is raised here, inside the window procedure
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, "List index out of bounds (7)");
    EXPECT_EQ(boxes.Seen()[0].caption, ApplicationTitle());
    EXPECT_EQ(boxes.Seen()[0].icon, ErrorIcon());
    EXPECT_EQ(boxes.Seen()[0].owner, host);

    // The window and the control still work.
    ASSERT_TRUE(::IsWindow(hwnd()));
    LeftDown(300, 30);
    LeftUp(300, 30);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(boxes.Seen().size(), 2u);
    control->OnHeaderClick = nullptr;
    ASSERT_EQ(PointAt(97, 40), ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32644)));
    LeftDown(97, 40);
    MouseMove(120, 40, MK_LBUTTON);
    LeftUp(120, 40);
    EXPECT_EQ(Section("A")->Width(), 119);
}

TEST_F(StrativErrors, AnyErrorOfAnyMessageIsCaught) {
    control->OnHint = [](TStrativ*, THeaderColumns*, std::string&) {
        throw std::runtime_error("hint failed");
    };
    control->OnBeforeCustomize = [](TStrativ*) { throw Exception("Invalid property value"); };
    MessageBoxWatch boxes;
    MouseMove(50, 40); // WM_MOUSEMOVE
    {
        PopupMenuWatch menu(1); // the error comes from the menu's click
        RightDown(150, 40);
    }
    ASSERT_EQ(boxes.Seen().size(), 2u);
    EXPECT_EQ(boxes.Seen()[0].text, "hint failed");
    EXPECT_EQ(boxes.Seen()[1].text, "Invalid property value");
    EXPECT_TRUE(::IsWindow(hwnd()));
}

} // namespace
} // namespace corvane::win32::testing

// The page in the system's own property frame (OleCreatePropertyFrame),
// driven from inside the frame's modal loop as a user would: a value changed
// in the page's controls, the frame's Apply and OK pressed.

#include "CustomizeDialogWatch.h"
#include "KeyboardDriver.h"
#include "PageTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace corvane::server;
using namespace corvane::server::testing;
using namespace corvane::win32::testing;

namespace {

constexpr int FrameApplyButtonId = 0x3021;

// The page's window inside a frame: in one of the frame's page dialogs.
HWND PageIn(HWND frame) {
    HWND child = nullptr;
    while ((child = ::FindWindowExA(frame, child, nullptr, nullptr)) != nullptr)
        if (HWND page = ::FindWindowExA(child, nullptr, "CorvanePropertyPageForm", nullptr))
            return page;
    return nullptr;
}

BOOL CALLBACK FindFrameWindow(HWND window, LPARAM found) {
    if (!::IsWindowVisible(window) || PageIn(window) == nullptr)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The frame: the visible top-level window of this thread that holds our page.
HWND FindFrame() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindFrameWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs one step per timer tick while the frame is up.
class FrameScript {
public:
    using Step = std::function<void(HWND frame, HWND page)>;
    explicit FrameScript(std::vector<Step> steps) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 60, &FrameScript::OnTimer);
    }
    ~FrameScript() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    size_t StepsRun() const { return next_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        FrameScript* self = current_;
        if (self == nullptr || self->running_ || self->next_ >= self->steps_.size())
            return;
        const HWND frame = FindFrame();
        if (frame == nullptr)
            return;
        self->running_ = true;
        self->steps_[self->next_++](frame, PageIn(frame));
        self->running_ = false;
    }
    static inline FrameScript* current_ = nullptr;
    std::vector<Step> steps_;
    size_t next_ = 0;
    bool running_ = false;
    UINT_PTR timer_;
};

// The module's page class, found by the frame without the registry.
class RegisteredPageClass {
public:
    RegisteredPageClass() {
        EXPECT_EQ(::CoRegisterClassObject(PageClassId, ModuleFactory(PageClassId).Get(),
                                          CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_),
                  S_OK);
    }
    ~RegisteredPageClass() { ::CoRevokeClassObject(cookie_); }
    RegisteredPageClass(const RegisteredPageClass&) = delete;
    RegisteredPageClass& operator=(const RegisteredPageClass&) = delete;

private:
    DWORD cookie_ = 0;
};

std::string TabText(HWND frame) {
    const HWND tabs = ::FindWindowExA(frame, nullptr, "SysTabControl32", nullptr);
    char text[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(tabs, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

TEST(SystemPropertyFrame, ShowsThePageAndItsApplyAndOkWriteTheControl) {
    RegisteredPageClass registered;
    TComPtr<ICorvane> control = NewControl();
    NotifySink sink(control.Get());
    VARIANT_BOOL clickBefore = 0;
    control->get_AllowClick(&clickBefore);

    std::string tab;
    VARIANT_BOOL clickAfterApply = clickBefore;
    bool pageFound = false;
    FrameScript script({
        [&](HWND frame, HWND page) {
            pageFound = page != nullptr;
            tab = TabText(frame);
            if (page != nullptr)
                Click(ButtonWithCaption(page, "Section Click"));
        },
        [&](HWND frame, HWND) {
            Click(::GetDlgItem(frame, FrameApplyButtonId));
            control->get_AllowClick(&clickAfterApply);
        },
        [&](HWND frame, HWND page) {
            if (page != nullptr)
                Click(ButtonWithCaption(page, "Win31"));
            Click(::GetDlgItem(frame, IDOK));
        },
    });
    IUnknown* objects[] = {control.Get()};
    CLSID pages[] = {PageClassId};
    ASSERT_EQ(::OleCreatePropertyFrame(nullptr, 40, 40, L"Header1", 1, objects, 1, pages,
                                       LOCALE_USER_DEFAULT, 0, nullptr),
              S_OK);
    EXPECT_EQ(script.StepsRun(), 3u);
    EXPECT_TRUE(pageFound);
    EXPECT_EQ(tab, "Customizing...");
    EXPECT_NE(clickAfterApply != 0, clickBefore != 0); // Apply wrote it
    TxButtonStyle style = bsAutoDetect;
    control->get_Headerstyle(&style);
    EXPECT_EQ(style, bsWin31); // OK wrote the later change
    EXPECT_EQ(sink.Changed.size(), 2u);
}

TEST(SystemPropertyFrame, CancelWritesNothing) {
    RegisteredPageClass registered;
    TComPtr<ICorvane> control = NewControl();
    NotifySink sink(control.Get());
    FrameScript script({
        [&](HWND, HWND page) {
            if (page != nullptr)
                Click(ButtonWithCaption(page, "Win31"));
        },
        [&](HWND frame, HWND) { Click(::GetDlgItem(frame, IDCANCEL)); },
    });
    IUnknown* objects[] = {control.Get()};
    CLSID pages[] = {PageClassId};
    ASSERT_EQ(::OleCreatePropertyFrame(nullptr, 40, 40, L"Header1", 1, objects, 1, pages,
                                       LOCALE_USER_DEFAULT, 0, nullptr),
              S_OK);
    EXPECT_EQ(script.StepsRun(), 2u);
    TxButtonStyle style = bsWin31;
    control->get_Headerstyle(&style);
    EXPECT_EQ(style, bsAutoDetect);
    EXPECT_TRUE(sink.Changed.empty());
}

// --- The page in the frame with the keyboard alone --------------------------------

// The editor's two page windows inside the page (General first).
void EditorPageWindows(HWND page, HWND out[2]) {
    out[0] = out[1] = nullptr;
    int found = 0;
    for (HWND c = ::GetWindow(page, GW_CHILD); c != nullptr && found < 2;
         c = ::GetWindow(c, GW_HWNDNEXT)) {
        char name[64] = {};
        ::GetClassNameA(c, name, sizeof name);
        if (std::strcmp(name, "CorvaneEditorPage") == 0)
            out[found++] = c;
    }
}

EditorState PageState(HWND page) {
    HWND pages[2];
    EditorPageWindows(page, pages);
    return ReadEditorState(page, pages);
}

void ShowEditorPage(HWND page, int index) {
    const HWND tabs = ControlNamed(page, "tabs");
    if (::SendMessageA(tabs, TCM_GETCURSEL, 0, 0) != index)
        ChoosePage(page, index);
}

// Opens the system frame for a new control and runs the steps in it.
size_t RunFrame(std::vector<FrameScript::Step> steps) {
    RegisteredPageClass registered;
    TComPtr<ICorvane> control = NewControl();
    FrameScript script(std::move(steps));
    IUnknown* objects[] = {control.Get()};
    CLSID pages[] = {PageClassId};
    EXPECT_EQ(::OleCreatePropertyFrame(nullptr, 40, 40, L"Header1", 1, objects, 1, pages,
                                       LOCALE_USER_DEFAULT, 0, nullptr),
              S_OK);
    ReleaseModifiers();
    return script.StepsRun();
}

TEST(SystemPropertyFrameKeyboard, TabReachesEveryControlOfBothPagesInTheLayoutsOrder) {
    std::vector<std::string> general, sections;
    std::vector<FrameScript::Step> steps;
    for (auto* walk : {&general, &sections}) {
        const int index = walk == &general ? 0 : 1;
        steps.push_back([walk, index](HWND, HWND page) {
            ShowEditorPage(page, index);
            ::SetFocus(ControlNamed(page, "tabs"));
            walk->push_back(FocusName(page));
            PostKey(VK_TAB);
        });
        for (int i = 0; i < 40; ++i) {
            steps.push_back([walk](HWND, HWND page) {
                if (walk->size() > 1 && walk->back() == "tabs")
                    return;
                const std::string name = FocusName(page);
                if (name != "outside" || walk->back() != "outside")
                    walk->push_back(name); // the frame's own controls count once
                if (name != "tabs")
                    PostKey(VK_TAB);
            });
        }
    }
    steps.push_back([](HWND frame, HWND) { Click(::GetDlgItem(frame, IDCANCEL)); });
    EXPECT_EQ(RunFrame(steps), steps.size());
    EXPECT_EQ(general, (std::vector<std::string>{"tabs",
                                                 "HeadersStyle:Auto",
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
                                                 "outside",
                                                 "tabs"}));
    EXPECT_EQ(sections,
              (std::vector<std::string>{"tabs", "tree", "width", "height", "A&lignment:Left", "Add",
                                        "Add Subitem", "Delete", "memo", "Move Up...",
                                        "Move Down...", "&WordWrap", "outside", "tabs"}));
}

struct FrameKeyCase {
    const char* name;
    int page;
    const char* from;
    int key;       // a virtual key, or 0 for the letter below
    unsigned held; // ShiftKey, CtrlKey; AltKey with a letter: its mnemonic
    char letter;   // with AltKey: Alt+letter; without: the plain character
    const char* focusAfter;
    int pageAfter; // -1: the page does not change
    bool itemAdded;
};

TEST(SystemPropertyFrameKeyboard, EachKeyOnEachFocusedControlDoesWhatTheTableSays) {
    const FrameKeyCase cases[] = {
        {"EnterInTreeGoesToWidth", 1, "tree", VK_RETURN, NoKeys, 0, "width", -1, false},
        {"EscInTreeDoesNothing", 1, "tree", VK_ESCAPE, NoKeys, 0, "tree", -1, false},
        {"EnterInWidthDoesNothing", 1, "width", VK_RETURN, NoKeys, 0, "width", -1, false},
        {"EscInWidthDoesNothing", 1, "width", VK_ESCAPE, NoKeys, 0, "width", -1, false},
        {"TabLeavesTheMemo", 1, "memo", VK_TAB, NoKeys, 0, "Move Up...", -1, false},
        {"EscInMemoKeepsThePage", 1, "memo", VK_ESCAPE, NoKeys, 0, "memo", -1, false},
        {"EnterInMemoDoesNothing", 1, "memo", VK_RETURN, NoKeys, 0, "memo", -1, false},
        {"EnterInHintDoesNothing", 0, "hint", VK_RETURN, NoKeys, 0, "hint", -1, false},
        {"EscInBorderWidthDoesNothing", 0, "borderwidth", VK_ESCAPE, NoKeys, 0, "borderwidth", -1,
         false},
        {"CtrlTabFromTheMemo", 1, "memo", VK_TAB, CtrlKey, 0, "tabs", 0, false},
        {"CtrlPageDownFromHint", 0, "hint", VK_NEXT, CtrlKey, 0, "tabs", 1, false},
        {"CtrlShiftTabOnTheStrip", 1, "tabs", VK_TAB, CtrlKey | ShiftKey, 0, "tabs", 0, false},
        {"EnterPressesAdd", 1, "Add", VK_RETURN, NoKeys, 0, "tree", -1, true},
        {"AltIToItems", 1, "memo", 0, AltKey, 'i', "tree", -1, false},
        {"AltWFromTheMemoToWidth", 1, "memo", 0, AltKey, 'w', "width", -1, false},
        {"AltWAgainToWordWrap", 1, "width", 0, AltKey, 'w', "&WordWrap", -1, false},
        {"AltHToHintOnGeneral", 0, "tabs", 0, AltKey, 'h', "hint", -1, false},
        {"AltHAgainToHeightResize", 0, "hint", 0, AltKey, 'h', "&Height Resize", -1, false},
        {"AltLToTheAlignmentGroup", 1, "tree", 0, AltKey, 'l', "A&lignment:Left", -1, false},
        {"AltBFirstToShowAbout", 0, "tabs", 0, AltKey, 'b', "Show A&bout", -1, false},
        {"AltBThenToBevelwidth", 0, "Show A&bout", 0, AltKey, 'b', "bevelwidth", -1, false},
        {"PlainLetterOnAButtonIsAMnemonic", 1, "Delete", 0, NoKeys, 'w', "width", -1, false},
    };
    struct Seen {
        std::string focus;
        EditorState before, after;
        bool frameOpen = false;
    };
    std::vector<Seen> seen(std::size(cases));
    std::vector<FrameScript::Step> steps;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const FrameKeyCase& c = cases[i];
        steps.push_back([&c, &seen, i](HWND, HWND page) {
            ShowEditorPage(page, c.page);
            const HWND tree = ControlNamed(page, "tree");
            if (std::string(c.from) == "tree" && tree != nullptr &&
                TreeView_GetSelection(tree) == nullptr)
                ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                               reinterpret_cast<LPARAM>(TreeView_GetRoot(tree)));
            ::SetFocus(ControlNamed(page, c.from));
            seen[i].before = PageState(page);
            if (c.key != 0)
                PostKey(c.key, c.held);
            else if (c.held & AltKey)
                PostMnemonic(c.letter);
            else
                PostCharacter(c.letter);
        });
        steps.push_back([&seen, i](HWND frame, HWND page) {
            seen[i].frameOpen = ::IsWindowVisible(frame) != FALSE;
            seen[i].focus = FocusName(page);
            seen[i].after = PageState(page);
            ReleaseModifiers();
        });
    }
    steps.push_back([](HWND frame, HWND) { Click(::GetDlgItem(frame, IDCANCEL)); });
    EXPECT_EQ(RunFrame(steps), steps.size());
    for (size_t i = 0; i < std::size(cases); ++i) {
        const FrameKeyCase& c = cases[i];
        EditorState expected = seen[i].before;
        if (c.pageAfter >= 0)
            expected.page = c.pageAfter;
        if (c.itemAdded)
            expected.items += "\n";
        EXPECT_TRUE(seen[i].frameOpen) << c.name;
        EXPECT_EQ(seen[i].focus, c.focusAfter) << c.name;
        EXPECT_EQ(seen[i].after, expected) << c.name;
        EXPECT_TRUE(seen[i].after.rootShown && seen[i].after.pagesAlive) << c.name;
    }
}

} // namespace

// The page in the system's own property frame (OleCreatePropertyFrame),
// driven from inside the frame's modal loop as a user would: a value changed
// in the page's controls, the frame's Apply and OK pressed.

#include "CustomizeDialogWatch.h"
#include "KeyboardCases.h"
#include "PageTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
                                                 "outside",
                                                 "tabs"}));
    EXPECT_EQ(sections, (std::vector<std::string>{"tabs", "memo", "tree", "width", "height",
                                                  "A&lignment:Left", "&WordWrap", "Add",
                                                  "Add Subitem", "Delete", "Move Up...",
                                                  "Move Down...", "outside", "tabs"}));
}

TEST(SystemPropertyFrameKeyboard, EachKeyOnEachFocusedControlDoesWhatTheTableSays) {
    const std::vector<KeyCase>& cases = PageKeyCases();
    std::vector<KeySeen> seen(cases.size());
    std::vector<bool> frameOpen(cases.size());
    std::vector<FrameScript::Step> steps;
    for (size_t i = 0; i < cases.size(); ++i) {
        steps.push_back([&, i](HWND, HWND page) { StartKeyCase(cases[i], page, seen[i]); });
        steps.push_back([&, i](HWND frame, HWND page) {
            frameOpen[i] = ::IsWindowVisible(frame) != FALSE;
            FinishKeyCase(page, seen[i]);
        });
    }
    steps.push_back([](HWND frame, HWND) { Click(::GetDlgItem(frame, IDCANCEL)); });
    EXPECT_EQ(RunFrame(steps), steps.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_TRUE(frameOpen[i]) << cases[i].name;
        ExpectKeyCase(cases[i], seen[i]);
    }
}

} // namespace

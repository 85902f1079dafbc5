// The page in the system's own property frame (OleCreatePropertyFrame),
// driven from inside the frame's modal loop as a user would: a value changed
// in the page's controls, the frame's Apply and OK pressed.

#include "CustomizeDialogWatch.h"
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

} // namespace

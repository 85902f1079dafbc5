// The look follows the system: "Auto" draws the visual style's header items
// (in the themed prefix), high contrast draws with system colours, and the
// focus mark follows the window's keyboard cues.
#include "HeaderFixture.h"
#include "PixelMatch.h"
#include "win32/HighContrast.h"

#include <uxtheme.h>
#include <vsstyle.h>
#include <vssym32.h>

#include <cstdlib>

namespace corvane::win32::testing {
namespace {

constexpr RECT SectionA{0, 20, 100, 60};
constexpr RECT CaptionBoxA{2, 22, 40, 58}; // "Ab", left-aligned, single line

enum class Look { Normal, Hot, Pressed };

class StrativTheme : public HeaderFixture {
protected:
    void SetUp() override {
        // Only the run in the themed prefix has a visual style to compare.
        if (std::getenv("CORVANE_EXPECT_THEME") == nullptr)
            GTEST_SKIP() << "runs in the themed prefix (corvane_win32_tests_themed)";
        HeaderFixture::SetUp();
        Section("A")->SetCaption("Ab");
        control->SetOptions(hoClick | hoHotTrack);
        control->SetHotTrackColor(RGB(0, 0, 255));
    }
    void TearDown() override {
        if (window)
            HeaderFixture::TearDown();
    }
    // Theming turned off for this one window, or back on; the window hears
    // of it as a host's change would tell it.
    void SetThemeOff(bool off) {
        ::SetWindowTheme(hwnd(), off ? L" " : nullptr, off ? L" " : nullptr);
        Send(WM_THEMECHANGED, 0, 0);
    }
    // A hot (pointer over it) or pressed. The press goes to the control
    // itself: a click on the window would take the focus and draw its mark.
    std::unique_ptr<DibSurface> Render(TButtonStyle style, Look look, bool themeOff) {
        SetThemeOff(themeOff);
        control->SetHeaderstyle(style);
        if (look != Look::Normal)
            MouseMove(50, 40);
        if (look == Look::Pressed)
            control->MouseDown(mbLeft, 0, 50, 40);
        auto image = Rendering();
        if (look == Look::Pressed)
            control->MouseUp(mbLeft, 0, 50, 40);
        Send(WM_MOUSELEAVE, 0, 0);
        SetThemeOff(false);
        return image;
    }
};

TEST_F(StrativTheme, AutoDrawsTheVisualStylesHeaderItemAndNothingElseChanges) {
    const HTHEME theme = ::OpenThemeData(hwnd(), L"HEADER");
    ASSERT_NE(theme, nullptr) << "the themed prefix has a visual style";
    struct Case {
        const char* name;
        TButtonStyle style;
        Look look;
        bool themeOff;
        int themeState; // 0: drawn as the same style without a theme
    };
    const Case cases[] = {
        {"auto", bsAutoDetect, Look::Normal, false, HIS_NORMAL},
        {"auto hot", bsAutoDetect, Look::Hot, false, HIS_HOT},
        {"auto pressed", bsAutoDetect, Look::Pressed, false, HIS_PRESSED},
        {"auto, theme off for the window", bsAutoDetect, Look::Normal, true, 0},
        {"auto pressed, theme off", bsAutoDetect, Look::Pressed, true, 0},
        {"new", bsNew, Look::Normal, false, 0},
        {"new pressed", bsNew, Look::Pressed, false, 0},
        {"win31", bsWin31, Look::Normal, false, 0},
        {"win31 pressed", bsWin31, Look::Pressed, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto image = Render(c.style, c.look, c.themeOff);
        if (c.themeState == 0) {
            // Auto without a theme is the new-style button face.
            const TButtonStyle plain = c.style == bsAutoDetect ? bsNew : c.style;
            const auto expected = Render(plain, c.look, true);
            EXPECT_EQ(Differences(*image, *expected), 0);
            continue;
        }
        DibSurface expected(ClientWidth, ClientHeight);
        expected.Fill(Sys(COLOR_BTNFACE)); // the control's background under the item
        ASSERT_EQ(S_OK, ::DrawThemeBackground(theme, expected.dc(), HP_HEADERITEM, c.themeState,
                                              &SectionA, nullptr));
        int differing = 0;
        for (int y = SectionA.top; y < SectionA.bottom; ++y)
            for (int x = SectionA.left; x < SectionA.right; ++x) {
                const POINT p{x, y};
                if (!::PtInRect(&CaptionBoxA, p))
                    differing += image->Pixel(x, y) != expected.Pixel(x, y);
            }
        EXPECT_EQ(differing, 0);
        // The caption: the theme's text colour; hot tracking's own while the
        // pointer is over it (pressed too).
        COLORREF text = Sys(COLOR_BTNTEXT);
        ::GetThemeColor(theme, HP_HEADERITEM, c.themeState, TMT_TEXTCOLOR, &text);
        if (c.look != Look::Normal)
            text = control->HotTrackColor();
        EXPECT_GT(image->Count(CaptionBoxA, CloseTo(text)), 0);
    }
    ::CloseThemeData(theme);
}

bool SystemSaysHighContrast() {
    return true;
}

class StrativLook : public HeaderFixture {
protected:
    void TearDown() override {
        SetHighContrastProbe(nullptr);
        HeaderFixture::TearDown();
    }
    std::unique_ptr<DibSurface> Shown() {
        ::UpdateWindow(hwnd());
        return Screenshot();
    }
};

TEST_F(StrativLook, HighContrastDrawsWithSystemColoursUntilItIsSwitchedOff) {
    constexpr COLORREF Face = RGB(200, 220, 240), Hot = RGB(255, 0, 0);
    control->SetHeaderstyle(bsAutoDetect);
    control->SetColor(Face);
    control->SetHotTrackColor(Hot);
    Section("B")->SetCaption("Bbbbbb");
    constexpr RECT InsideB{104, 24, 196, 56};
    control->SetOptions(hoClick | hoHotTrack);
    MouseMove(150, 40);
    EXPECT_EQ(Shown()->Pixel(50, 24), Face);

    SetHighContrastProbe(&SystemSaysHighContrast);
    Send(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    auto shot = Shown();
    EXPECT_EQ(shot->Pixel(50, 24), Sys(COLOR_BTNFACE)) << "A's face";
    EXPECT_EQ(shot->Pixel(300, 30), Sys(COLOR_BTNFACE)) << "C's face";
    EXPECT_GT(shot->Count(InsideB, CloseTo(Sys(COLOR_HOTLIGHT))), 0) << "B hot-tracked";
    EXPECT_EQ(shot->Count(InsideB, CloseTo(Hot)), 0);
    LeftDown(150, 40);
    shot = Shown();
    EXPECT_EQ(shot->Pixel(110, 26), Sys(COLOR_HIGHLIGHT)) << "B pressed";
    EXPECT_GT(shot->Count(InsideB, CloseTo(Sys(COLOR_HIGHLIGHTTEXT))), 0);
    LeftUp(150, 40);
    EXPECT_EQ(control->Color(), Face) << "the properties keep their values";
    EXPECT_EQ(control->HotTrackColor(), Hot);

    SetHighContrastProbe(nullptr);
    Send(WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(Shown()->Pixel(50, 24), Face);
}

// Pixels of the focus mark (every other one inverted) along the top of the
// face's inside.
int MarkPixels(const DibSurface& image, const RECT& section) {
    const COLORREF inverted = Inverted(Sys(COLOR_BTNFACE));
    const RECT top{section.left + 2, section.top + 2, section.right - 2, section.top + 3};
    return image.Count(top, Is(inverted));
}

TEST_F(StrativLook, TheFocusMarkFollowsTheKeyboardCues) {
    // Wine keeps no UI state (its windows always show their cues): the hook
    // keeps it for this window as DefWindowProc does, and makes the change a
    // child asks for come back down from the top as an update.
    WORD state = 0;
    window->SetMessageHook([&](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
        if (message == WM_QUERYUISTATE) {
            result = state;
            return true;
        }
        if (message == WM_UPDATEUISTATE && LOWORD(wParam) == UIS_SET)
            state |= HIWORD(wParam);
        else if (message == WM_UPDATEUISTATE && LOWORD(wParam) == UIS_CLEAR)
            state &= ~HIWORD(wParam);
        if (message != WM_CHANGEUISTATE)
            return false;
        result = Send(WM_UPDATEUISTATE, wParam, 0);
        return true;
    });
    ::SetFocus(hwnd());
    control->SetFocusedSection(Section("A"));
    EXPECT_GT(MarkPixels(*Shown(), SectionA), 10) << "cues shown";

    // The mouse put the focus there: the dialog manager hides the cues.
    Send(WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    EXPECT_EQ(MarkPixels(*Shown(), SectionA), 0) << "cues hidden";

    // High contrast shows the mark whatever the cues.
    SetHighContrastProbe(&SystemSaysHighContrast);
    Send(WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_GT(MarkPixels(*Shown(), SectionA), 10) << "high contrast";
    SetHighContrastProbe(nullptr);
    Send(WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(MarkPixels(*Shown(), SectionA), 0);

    // The keyboard is used: the cues come back.
    Send(WM_KEYDOWN, VK_RIGHT, 1);
    Send(WM_KEYUP, VK_RIGHT, 1 | (LPARAM{3} << 30));
    EXPECT_EQ(state & UISF_HIDEFOCUS, 0);
    const TRect focused = control->SectionRect(control->FocusedSection());
    const RECT r{focused.Left, focused.Top, focused.Right, focused.Bottom};
    EXPECT_GT(MarkPixels(*Shown(), r), 10) << "after a key";
}

} // namespace
} // namespace corvane::win32::testing

// The header from the keyboard in a real window: the key table sent as key
// messages with the keyboard state a user's modifiers leave, the focus
// messages, the focus mark's pixels, and a double click fitting a column.
#include "../core/support/KeyTable.h"
#include "HeaderFixture.h"
#include "PixelMatch.h"

#include <string>
#include <vector>

namespace corvane::win32::testing {
namespace {

using corvane::testing::Describe;
using corvane::testing::KeyCase;
using corvane::testing::KeyCases;
using corvane::testing::KeyTableClientHeight;
using corvane::testing::KeyTableClientWidth;
using corvane::testing::KeyTableTree;
using corvane::testing::RecordKeyEvents;
using corvane::testing::SetTree;
using corvane::testing::TreeText;

// Holds Shift, Ctrl and Alt down in this thread's keyboard state, as the
// system leaves it while the user holds them, and lets go afterwards.
class HeldModifiers {
public:
    explicit HeldModifiers(TShiftState shift) {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_SHIFT] = (shift & ssShift) ? 0x80 : 0;
        state[VK_CONTROL] = (shift & ssCtrl) ? 0x80 : 0;
        state[VK_MENU] = (shift & ssAlt) ? 0x80 : 0;
        ::SetKeyboardState(state);
    }
    ~HeldModifiers() {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_SHIFT] = state[VK_CONTROL] = state[VK_MENU] = 0;
        ::SetKeyboardState(state);
    }
    HeldModifiers(const HeldModifiers&) = delete;
    HeldModifiers& operator=(const HeldModifiers&) = delete;
};

class KeyTableWindow : public HeaderFixture, public ::testing::WithParamInterface<KeyCase> {
protected:
    void SetUp() override {
        HeaderFixture::SetUp();
        control->SetBounds(10, 10, KeyTableClientWidth + 2, KeyTableClientHeight + 2);
        SetTree(*control, KeyTableTree);
        RecordKeyEvents(*control, heard);
        window->SetMenuTracker([this](HMENU, POINT, HWND) {
            heard.push_back("Menu");
            return 0;
        });
    }
    THeaderColumns* Find(const std::string& caption) const { return Section(caption); }

    std::vector<std::string> heard;
};

TEST_P(KeyTableWindow, KeyMessagesMoveFocusFireEventsAndChangeTheTree) {
    const KeyCase& c = GetParam();
    SCOPED_TRACE(Describe(c));
    control->SetOptions(c.options);
    ::SetFocus(hwnd());
    ASSERT_EQ(::GetFocus(), hwnd());
    control->SetFocusedSection(Find(c.focused));

    const HeldModifiers held(c.shift);
    // Alt makes system keys, and so does F10 by itself; their data carries
    // the Alt key's state in bit 29.
    const bool system = (c.shift & ssAlt) != 0 || c.key == VK_F10;
    const LPARAM data = 1 | ((c.shift & ssAlt) ? LPARAM{1} << 29 : 0);
    const UINT down = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    MSG msg{hwnd(), down, c.key, data, 0, {}};
    const LRESULT code = Send(WM_GETDLGCODE, c.key, reinterpret_cast<LPARAM>(&msg));
    EXPECT_EQ((code & DLGC_WANTMESSAGE) != 0, c.used) << "what a dialog would leave the header";
    EXPECT_EQ((code & DLGC_WANTARROWS) != 0, control->WantsTabStop());
    Send(down, c.key, data);
    // The release of a key the header did not use belongs to the system
    // (F10's would open the menu bar): only used keys are let go here.
    if (c.used)
        Send(system ? WM_SYSKEYUP : WM_KEYUP, c.key, data | (LPARAM{3} << 30));

    THeaderColumns* focused = control->FocusedSection();
    EXPECT_EQ(focused != nullptr ? focused->Caption() : "<none>", c.focusAfter);
    EXPECT_EQ(heard, c.events);
    EXPECT_EQ(TreeText(control->Sections()), c.tree != nullptr ? c.tree : KeyTableTree);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTableWindow, ::testing::ValuesIn(KeyCases()));

// --- Focus ----------------------------------------------------------------------------

using StrativFocus = HeaderFixture;

TEST_F(StrativFocus, TheWindowIsATabStopWhileKeyboardUsersCanUseIt) {
    EXPECT_NE(::GetWindowLongA(hwnd(), GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_NE(::GetClassLongA(hwnd(), GCL_STYLE) & CS_DBLCLKS, 0u);
    control->SetOptions(hoCustomize | hoHint);
    EXPECT_EQ(::GetWindowLongA(hwnd(), GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(Send(WM_GETDLGCODE, 0, 0), 0);
    control->SetTabStop(true); // the framework's own property still counts
    control->SetBorderStyle(bsNone);
    EXPECT_NE(::GetWindowLongA(hwnd(), GWL_STYLE) & WS_TABSTOP, 0) << "after re-creation too";
}

TEST_F(StrativFocus, FocusMessagesAndClicksMoveTheFocus) {
    ::SetFocus(hwnd());
    EXPECT_TRUE(control->HasKeyboardFocus());
    EXPECT_EQ(control->FocusedSection(), Section("Group"));
    ::SetFocus(host);
    EXPECT_FALSE(control->HasKeyboardFocus());
    PointAt(150, 40);
    LeftDown(150, 40);
    LeftUp(150, 40);
    EXPECT_EQ(::GetFocus(), hwnd()) << "a click takes the focus";
    EXPECT_EQ(control->FocusedSection(), Section("B"));
}

TEST_F(StrativFocus, TheMenuKeyAndShiftF10OpenTheMenuOnceAtTheFocusedSection) {
    std::vector<POINT> opened;
    window->SetMenuTracker([&](HMENU, POINT at, HWND) {
        opened.push_back(at);
        return 0;
    });
    ::SetFocus(hwnd());
    control->SetFocusedSection(Section("B"));
    const POINT bottomLeft = ToScreen(hwnd(), 100, ClientHeight);
    Send(WM_KEYDOWN, VK_APPS, 1);
    Send(WM_KEYUP, VK_APPS, 1 | (LPARAM{3} << 30));
    PumpMessages();
    // A menu request the system makes from the keyboard opens it as well.
    Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd()), -1);
    ASSERT_EQ(opened.size(), 2u) << "the key's release made no second menu";
    EXPECT_EQ(opened[0].x, bottomLeft.x);
    EXPECT_EQ(opened[0].y, bottomLeft.y);
}

// The focus mark: every other pixel of the face's inner outline inverted, and
// the caption clipped inside it, however long it is.
TEST_F(StrativFocus, TheFocusMarkRunsInsideTheFaceAndNeverOverTheText) {
    const std::string wide(60, 'W');
    THeaderColumns* group = Section("Group");
    THeaderColumns* a = Section("A");
    group->SetCaption(wide);
    a->SetCaption(wide);
    Section("B")->SetCaption(wide);
    ::SetFocus(hwnd());
    const COLORREF face = Sys(COLOR_BTNFACE);
    struct Case {
        THeaderColumns* section;
        RECT outline; // the face's inside: the section shrunk by 2
    };
    const Case cases[] = {{group, {2, 2, 198, 18}}, {a, {2, 22, 98, 58}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.outline.top);
        control->SetFocusedSection(c.section);
        const auto image = Rendering();
        const RECT& o = c.outline;
        int inverted = 0, outline = 0;
        auto onOutline = [&](int x, int y) {
            return ((y == o.top || y == o.bottom - 1) && x >= o.left && x < o.right) ||
                   ((x == o.left || x == o.right - 1) && y >= o.top && y < o.bottom);
        };
        for (int y = o.top; y < o.bottom; ++y) {
            for (int x = o.left; x < o.right; ++x) {
                const COLORREF pixel = image->Pixel(x, y);
                if (onOutline(x, y)) {
                    ++outline;
                    EXPECT_TRUE(pixel == face || pixel == Inverted(face))
                        << "text on the mark at " << x << "," << y;
                    inverted += pixel == Inverted(face);
                } else if (pixel != face) {
                    // Caption pixels keep a pixel's distance from the mark.
                    EXPECT_TRUE(x > o.left && x < o.right - 1 && y > o.top && y < o.bottom - 1)
                        << x << "," << y;
                }
            }
        }
        EXPECT_GT(inverted, outline / 3) << "a dotted outline";
        EXPECT_LT(inverted, outline * 2 / 3);
    }
    ::SetFocus(host);
    const auto unfocused = Rendering();
    EXPECT_EQ(unfocused->Count(RECT{0, 0, ClientWidth, ClientHeight}, Is(Inverted(face))), 0);
}

// --- Fitting widths ---------------------------------------------------------------

using StrativAutofit = HeaderFixture;

// The caption's width in the control's font, measured here with GDI alone.
int CaptionExtent(HWND window, const TFont& font, const std::string& text) {
    const WindowDC dc(window);
    const UniqueFont handle(::CreateFontA(
        font.Height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, font.Charset, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.Name.c_str()));
    const SelectedObject selected(dc.get(), handle.get());
    SIZE size{};
    ::GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

TEST_F(StrativAutofit, DoubleClickOnAColumnsEdgeFitsItsCaption) {
    Section("A")->SetCaption("Quantity ordered");
    const int expected = CaptionExtent(hwnd(), control->Font(), "Quantity ordered") + 2 * (2 + 2);
    EXPECT_EQ(control->FittedWidth(Section("Quantity ordered")), expected)
        << "the core measures through the window's canvas";
    // A double click as the system delivers it with CS_DBLCLKS.
    PointAt(97, 40);
    LeftDown(97, 40);
    LeftUp(97, 40);
    PointAt(97, 40);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(97, 40));
    PointAt(97, 40);
    LeftUp(97, 40);
    EXPECT_EQ(Section("Quantity ordered")->Width(), expected);
    const std::string w = std::to_string(expected);
    EXPECT_EQ(events, (std::vector<std::string>{"Sized Quantity ordered 0 100",
                                                "Sizing Quantity ordered 0 " + w,
                                                "Sized Quantity ordered 0 " + w}));
}

TEST_F(StrativAutofit, ShiftDragOfAGroupsEdgeSharesTheNewWidth) {
    Section("A")->SetWidth(50);
    Section("B")->SetWidth(150);
    PointAt(197, 10); // the group's right edge
    Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(197, 10));
    Send(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(297, 10));
    Send(WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(297, 10));
    // 296 pixels in the proportion 50 : 150.
    EXPECT_EQ(events,
              (std::vector<std::string>{"Sizing Group 1 296", "Sized A 0 74", "Sized B 1 222"}));
    EXPECT_EQ(Section("Group")->Width(), 296);
}

} // namespace
} // namespace corvane::win32::testing

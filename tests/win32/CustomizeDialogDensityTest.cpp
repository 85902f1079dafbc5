// The customizing dialog at more than 96 pixels per inch: the layout's
// pixels, the form font and the controls scaled, the order unchanged. One
// test injects the density; the other takes the screen's and runs in a Wine
// prefix of its own set to 120 (it skips at 96, unless told to expect
// another density).

#include "CustomizeDialogWatch.h"
#include "HeaderFixture.h"
#include "KeyboardDriver.h"
#include "ModalWatch.h"
#include "win32/Dpi.h"
#include "win32/editor/HeadersFormWindow.h"

#include <cstdlib>

namespace corvane::win32::testing {
namespace {

using Form = editor::HeadersFormWindow;

RECT InParent(HWND control) {
    RECT r;
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<LONG> Bounds(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Left, top, width, height of the layout (96 pixels per inch), scaled.
std::vector<LONG> Scaled(const TDpiScale& s, int x, int y, int width, int height) {
    return {s(x), s(y), s(width), s(height)};
}

int FontHeight(HWND window) {
    const auto font = reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
    LOGFONTA log{};
    if (font == nullptr || ::GetObjectA(font, sizeof log, &log) == 0)
        return 0;
    return log.lfHeight;
}

// Everything a density changes, checked on an open form.
void ExpectScaledLayout(HWND form, const TDpiScale& s) {
    RECT outer;
    ::GetWindowRect(form, &outer);
    EXPECT_EQ(outer.right - outer.left, s(550));
    EXPECT_EQ(outer.bottom - outer.top, s(338));
    EXPECT_EQ(FontHeight(form), s(-11));
    const struct {
        const char* name;
        std::vector<LONG> bounds;
    } controls[] = {
        {"&OK", Scaled(s, 464, 4, 75, 25)},
        {"&Apply", Scaled(s, 464, 70, 75, 25)},
        {"tree", Scaled(s, 4, 84, 271, 153)},
        {"width", Scaled(s, 292, 82, 123, 21)},
        {"Move Down...", Scaled(s, 336, 248, 75, 25)},
        {"&WordWrap", Scaled(s, 292, 224, 97, 17)},
        {"hint", Scaled(s, 226, 88, 211, 21)},
        {"Section Click", Scaled(s, 6 + 322, 6 + 14, 103, 15)},
        {"Click to Select a Hot Track Color...", Scaled(s, 196, 224, 245, 25)},
        {"Selected Color and Font", Scaled(s, 196, 252, 245, 29)},
    };
    for (int page = 0; page < 2; ++page) {
        ChoosePage(form, page);
        for (const auto& c : controls) {
            const HWND control = ControlNamed(form, c.name);
            if (control == nullptr)
                continue; // on the other page
            EXPECT_EQ(Bounds(InParent(control)), c.bounds) << c.name;
            if (std::string(c.name) != "Selected Color and Font") { // the header's font
                EXPECT_EQ(FontHeight(control), s(-11)) << c.name;
            }
        }
    }
    EXPECT_EQ(::SendMessageA(Form::FromHandle(form)->TreeView(), TVM_GETINDENT, 0, 0), s(19));
    // The group box still fills its page.
    const HWND box = ControlNamed(form, "ColumnHeaders Collection");
    ASSERT_NE(box, nullptr);
    RECT page;
    ::GetClientRect(::GetParent(box), &page);
    EXPECT_EQ(Bounds(InParent(box)), (std::vector<LONG>{0, 0, s(437), page.bottom}));
}

using CustomizeDialogDensity = HeaderFixture;

TEST_F(CustomizeDialogDensity, InjectedDensityScalesTheLayoutAndKeepsTheTabOrder) {
    const TDpiScale scale(120);
    Form form(host, scale);
    ::ShowWindow(form.Handle(), SW_SHOWNA);
    ExpectScaledLayout(form.Handle(), scale);
    // Nothing moved in the order: the Sections page's tab stops.
    std::vector<std::string> stops;
    for (HWND c = ::GetWindow(form.PageWindow(1), GW_CHILD); c != nullptr;
         c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (::GetWindowLongA(c, GWL_STYLE) & WS_TABSTOP)
            stops.push_back(ControlName(c));
    }
    EXPECT_EQ(stops, (std::vector<std::string>{"memo", "tree", "width", "height", "A&lignment:Left",
                                               "&WordWrap", "Add", "Add Subitem", "Delete",
                                               "Move Up...", "Move Down..."}));
    ::ShowWindow(form.Handle(), SW_HIDE);
}

TEST_F(CustomizeDialogDensity, ScreenDensityScalesTheDialogAndTheHeadersDefaults) {
    const int pixelsPerInch = WindowPixelsPerInch(host);
    // The run in the prefix set to another density says which it must see.
    if (const char* expected = std::getenv("CORVANE_EXPECT_PIXELS_PER_INCH")) {
        ASSERT_EQ(pixelsPerInch, std::atoi(expected));
    }
    if (pixelsPerInch == TDpiScale::BasePixelsPerInch)
        GTEST_SKIP() << "the screen is at 96 pixels per inch (the 120 run covers this)";
    const TDpiScale scale(pixelsPerInch);
    TStrativ header{WindowDpiScale(host)};
    EXPECT_EQ(header.Font().Height, scale(-11));
    EXPECT_EQ(header.Sections()->Items(0)->Height(), scale(17));

    size_t checked = 0;
    {
        CustomizeDialogWatch watch({[&](HWND form) {
            ExpectScaledLayout(form, scale);
            ++checked;
            Click(DialogControl(form, Form::CancelButtonId));
        }});
        PopupMenuWatch menu(1); // "Customize..."
        RightDown(50, 40);
        PumpMessages();
    }
    EXPECT_EQ(checked, 1u);
}

} // namespace
} // namespace corvane::win32::testing

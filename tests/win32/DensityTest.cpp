// Every size the control takes from the screen, at 96, 120, 144 and 192
// pixels per inch (one run per density, each in a prefix set to it), and a
// move to another monitor through a density source answering what Wine never does.

#include "CustomizeDialogWatch.h"
#include "HeaderFixture.h"
#include "KeyboardDriver.h"
#include "core/editor/GenStrativ.h"
#include "win32/Dpi.h"
#include "win32/editor/HeadersFormWindow.h"
#include "win32/editor/PropertyPageForm.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace corvane::win32::testing {
namespace {

struct DensityRow {
    int pixelsPerInch, fontHeight, bandHeight, zoneReach, glyphSize;
    SIZE colorGlyphInk; // the colour glyph's frame, drawn at the glyph's size
};

constexpr DensityRow Densities[] = {
    {96, -11, 17, 4, 16, {15, 13}},
    {120, -14, 21, 5, 20, {19, 17}},
    {144, -17, 26, 6, 24, {22, 19}},
    {192, -22, 34, 8, 32, {30, 26}},
};

const HCURSOR SizeWE = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32644));

RECT InParent(HWND control) {
    RECT r;
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int FontHeight(HWND window) {
    const auto font = reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
    LOGFONTA log{};
    if (font == nullptr || ::GetObjectA(font, sizeof log, &log) == 0)
        return 0;
    return log.lfHeight;
}

bool Contains(const RECT& outer, const RECT& inner) {
    RECT both;
    return ::UnionRect(&both, &outer, &inner) && ::EqualRect(&both, &outer);
}

// What is cut in the visible controls under `parent`: a child sticking out
// of its parent's client area, two siblings overlapping in part (a group box
// or the page control holds its siblings whole, which is no overlap), a
// check box too narrow for its caption.
void CollectClipped(HWND parent, const TDpiScale& s, std::vector<std::string>& found) {
    RECT client;
    ::GetClientRect(parent, &client);
    std::vector<std::pair<HWND, RECT>> shown;
    for (HWND c = ::GetWindow(parent, GW_CHILD); c != nullptr; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(c))
            continue;
        const RECT r = InParent(c);
        const std::string name = ControlName(c);
        if (!Contains(client, r))
            found.push_back(name + " outside " + ControlName(parent));
        for (const auto& [other, o] : shown) {
            RECT overlap;
            if (::IntersectRect(&overlap, &r, &o) && !Contains(r, o) && !Contains(o, r))
                found.push_back(name + " over " + ControlName(other));
        }
        shown.emplace_back(c, r);
        if ((::GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
            std::string caption = Text(c);
            caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
            const WindowDC dc(c);
            const SelectedObject font(
                dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageA(c, WM_GETFONT, 0, 0)));
            SIZE text{};
            ::GetTextExtentPoint32A(dc.get(), caption.c_str(), static_cast<int>(caption.size()),
                                    &text);
            if (text.cx + s(16) > r.right - r.left) // the square and its gap
                found.push_back(name + " cut");
        }
        CollectClipped(c, s, found);
    }
}

std::vector<std::string> ClippedOnEveryPage(HWND form, const TDpiScale& s) {
    std::vector<std::string> found;
    for (int page = 0; page < 2; ++page) {
        ChoosePage(form, page);
        CollectClipped(form, s, found);
    }
    return found;
}

// The size of the non-face pixels left of a speed button's caption.
SIZE GlyphInk(HWND button, const DensityRow& row) {
    RECT r;
    ::GetClientRect(button, &r);
    DibSurface image(r.right, r.bottom);
    ::SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.dc()), PRF_CLIENT);
    const auto ink = [](COLORREF c) { return c != ::GetSysColor(COLOR_BTNFACE); };
    const RECT glyph{2, 2, TDpiScale(row.pixelsPerInch)(5) + row.glyphSize + 1, r.bottom - 2};
    return SIZE{
        image.LastColumn(glyph, ink).value_or(-1) - image.FirstColumn(glyph, ink).value_or(0) + 1,
        image.LastRow(glyph, ink).value_or(-1) - image.FirstRow(glyph, ink).value_or(0) + 1};
}

const DensityRow* RowOfTheScreen(HWND host) {
    const int pixelsPerInch = WindowPixelsPerInch(host);
    if (const char* expected = std::getenv("CORVANE_EXPECT_PIXELS_PER_INCH")) {
        EXPECT_EQ(pixelsPerInch, std::atoi(expected)) << "the prefix's density";
    }
    for (const DensityRow& row : Densities)
        if (row.pixelsPerInch == pixelsPerInch)
            return &row;
    return nullptr;
}

using Density = HeaderFixture;

TEST_F(Density, EverythingTheControlSizesFollowsTheScreen) {
    const DensityRow* row = RowOfTheScreen(host);
    ASSERT_NE(row, nullptr);
    const TDpiScale s(row->pixelsPerInch);

    // The fixture's control was made at 96; its window brought the density.
    EXPECT_EQ(control->Font().Height, row->fontHeight);
    EXPECT_EQ(control->Sections()->Add("New")->Height(), row->bandHeight);
    EXPECT_EQ(PointAt(98 - (row->zoneReach - 1), 40), SizeWE) << "A's right edge at 100";
    EXPECT_NE(PointAt(98 - row->zoneReach, 40), SizeWE);

    editor::HeadersFormWindow dialog(host);
    ::ShowWindow(dialog.Handle(), SW_SHOWNA);
    EXPECT_EQ(FontHeight(dialog.Handle()), row->fontHeight);
    EXPECT_EQ(ClippedOnEveryPage(dialog.Handle(), s), std::vector<std::string>{});
    ChoosePage(dialog.Handle(), 0);
    const SIZE ink =
        GlyphInk(ButtonWithCaption(dialog.Handle(), "Click to Select a Color..."), *row);
    EXPECT_EQ(std::make_pair(ink.cx, ink.cy),
              std::make_pair(row->colorGlyphInk.cx, row->colorGlyphInk.cy));
    ::ShowWindow(dialog.Handle(), SW_HIDE);

    corvane::editor::TGenStrativ form;
    form.FormCreate();
    const RECT bounds{0, 0, s(corvane::editor::TGenStrativ::FormWidth),
                      s(corvane::editor::TGenStrativ::FormHeight)};
    editor::PropertyPageForm page(form, host, bounds);
    page.Show(SW_SHOWNA);
    EXPECT_EQ(FontHeight(page.Handle()), row->fontHeight);
    EXPECT_EQ(ClippedOnEveryPage(page.Handle(), s), std::vector<std::string>{});
    page.Show(SW_HIDE);
}

UINT AnsweredDpi = 0;
UINT WINAPI AnswerDpi(HWND) {
    return AnsweredDpi;
}

TEST_F(Density, AMoveToAnotherMonitorRescalesWhatTheControlOwns) {
    const int screen = WindowPixelsPerInch(host);
    control->SetShowHint(true);
    control->SetHint("A hint");
    const HWND tip = window->Tooltip().Handle();
    ASSERT_NE(tip, nullptr);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    window->SetDpiQuery(&AnswerDpi);
    int previous = screen;
    for (const DensityRow& row : Densities) {
        AnsweredDpi = static_cast<UINT>(row.pixelsPerInch);
        ::ValidateRect(hwnd(), nullptr);
        Send(DpiChangedBeforeParentMessage, 0, 0);
        Send(DpiChangedAfterParentMessage, 0, 0);
        EXPECT_EQ(::GetUpdateRect(hwnd(), nullptr, FALSE) != FALSE, row.pixelsPerInch != previous);
        previous = row.pixelsPerInch;
        EXPECT_EQ(control->Font().Height, row.fontHeight);
        EXPECT_EQ(PointAt(98 - (row.zoneReach - 1), 40), SizeWE) << row.pixelsPerInch;
        EXPECT_EQ(control->Sections()->Add("New")->Height(), row.bandHeight);
        EXPECT_EQ(
            std::make_tuple(Section("A")->Width(), Section("Group")->Height(), control->Width()),
            std::make_tuple(100, 20, ClientWidth + 2)); // the host's pixels
        // The hint's font: the system's, sized for the screen, at the new density.
        EXPECT_EQ(FontHeight(tip),
                  ::MulDiv(metrics.lfStatusFont.lfHeight, row.pixelsPerInch, screen));
    }
}

} // namespace
} // namespace corvane::win32::testing

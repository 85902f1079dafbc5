// Real mouse messages sent to the header's window: the cursor in each zone,
// width and height resizes with their tracking lines, clicks, drag and drop,
// hints, and losing the pointer in the middle of a gesture.
#include "HeaderFixture.h"
#include "PixelMatch.h"
#include "core/model/Levels.h"

#include <commctrl.h>

namespace corvane::win32::testing {
namespace {

HCURSOR SystemCursor(WORD id) {
    return ::LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
}
const HCURSOR Arrow = SystemCursor(32512);
const HCURSOR SizeWE = SystemCursor(32644);
const HCURSOR SizeNS = SystemCursor(32645);

// Pixels of `column` (or row) that changed between two screenshots, and
// whether every change is an inversion.
struct LineChange {
    int changed = 0;
    bool allInverted = true;
};

LineChange ColumnChange(const DibSurface& before, const DibSurface& after, int x) {
    LineChange c;
    for (int y = 0; y < before.height(); ++y) {
        if (before.Pixel(x, y) == after.Pixel(x, y))
            continue;
        ++c.changed;
        c.allInverted = c.allInverted && after.Pixel(x, y) == Inverted(before.Pixel(x, y));
    }
    return c;
}

LineChange RowChange(const DibSurface& before, const DibSurface& after, int y) {
    LineChange c;
    for (int x = 0; x < before.width(); ++x) {
        if (before.Pixel(x, y) == after.Pixel(x, y))
            continue;
        ++c.changed;
        c.allInverted = c.allInverted && after.Pixel(x, y) == Inverted(before.Pixel(x, y));
    }
    return c;
}

using StrativCursor = HeaderFixture;

TEST_F(StrativCursor, EachZoneShowsItsCursor) {
    EXPECT_EQ(PointAt(97, 40), SizeWE);  // 3 pixels left of A's right edge
    EXPECT_EQ(PointAt(50, 17), SizeNS);  // 3 rows above the group's bottom
    EXPECT_EQ(PointAt(50, 40), Arrow);   // inside A
    EXPECT_EQ(PointAt(50, 57), Arrow);   // bottom of a leaf: no height zone
    EXPECT_EQ(PointAt(197, 10), SizeWE); // the group's right edge
    EXPECT_EQ(PointAt(198, 17), SizeWE); // corner: width wins
    EXPECT_EQ(control->TrackState(), tsWidthResize);
    EXPECT_EQ(PointAt(300, 30), Arrow);
    EXPECT_EQ(control->TrackState(), tsIdle);
}

TEST_F(StrativCursor, OptionsSwitchTheZonesOff) {
    control->SetOptions(AllHeaderOptions & ~(hoHresize | hoVResize));
    EXPECT_EQ(PointAt(97, 40), Arrow);
    EXPECT_EQ(PointAt(50, 17), Arrow);
    EXPECT_FALSE(control->ResizeAllowed());
    // While designing the zones work whatever the options say.
    control->SetDesigning(true);
    EXPECT_EQ(PointAt(97, 40), SizeWE);
    EXPECT_EQ(PointAt(50, 17), SizeNS);
}

using StrativResize = HeaderFixture;

TEST_F(StrativResize, WidthTrackingLineFollowsThePointerAndTheWidthChangesOnRelease) {
    ASSERT_EQ(PointAt(97, 40), SizeWE);
    LeftDown(97, 40);
    EXPECT_EQ(::GetCapture(), hwnd());
    const auto before = Screenshot();

    MouseMove(130, 40, MK_LBUTTON);
    const auto first = Screenshot();
    const LineChange drawn = ColumnChange(*before, *first, 130);
    EXPECT_GT(drawn.changed, 10); // dotted: about every other pixel
    EXPECT_LT(drawn.changed, ClientHeight);
    EXPECT_TRUE(drawn.allInverted);
    EXPECT_EQ(ColumnChange(*before, *first, 129).changed, 0);
    EXPECT_EQ(ColumnChange(*before, *first, 131).changed, 0);
    EXPECT_EQ(Section("A")->Width(), 100); // only proposed so far

    MouseMove(150, 40, MK_LBUTTON);
    const auto second = Screenshot();
    EXPECT_EQ(ColumnChange(*before, *second, 130).changed, 0); // old line erased
    EXPECT_EQ(ColumnChange(*before, *second, 150).changed, drawn.changed);

    LeftUp(150, 40);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(Section("A")->Width(), 149);
    EXPECT_EQ(events,
              (std::vector<std::string>{"Sizing A 0 129", "Sizing A 0 149", "Sized A 0 149"}));
    // Repainted at once, without the line: B now starts at 149.
    const auto after = Screenshot();
    EXPECT_EQ(Differences(*after, *Rendering()), 0);
    EXPECT_EQ(after->Pixel(149, 40), Sys(COLOR_BTNHIGHLIGHT));
}

TEST_F(StrativResize, TrackingLineStaysInsideItsLimits) {
    ASSERT_EQ(PointAt(97, 40), SizeWE);
    LeftDown(97, 40);
    MouseMove(-50, 40, MK_LBUTTON);
    MouseMove(1000, 40, MK_LBUTTON);
    LeftUp(1000, 40);
    // First column: no further left than x = 2; never past client width - 2.
    EXPECT_EQ(events,
              (std::vector<std::string>{"Sizing A 0 1", "Sizing A 0 397", "Sized A 0 397"}));
}

TEST_F(StrativResize, PressAndReleaseWithoutMovingKeepsTheWidth) {
    ASSERT_EQ(PointAt(97, 40), SizeWE);
    LeftDown(97, 40);
    LeftUp(97, 40);
    EXPECT_EQ(events, (std::vector<std::string>{"Sized A 0 100"}));
    EXPECT_EQ(Section("A")->Width(), 100);
}

TEST_F(StrativResize, HeightTrackingLineAndNewBandHeight) {
    ASSERT_EQ(PointAt(50, 17), SizeNS);
    LeftDown(50, 17);
    const auto before = Screenshot();
    MouseMove(50, 30, MK_LBUTTON);
    const LineChange drawn = RowChange(*before, *Screenshot(), 30);
    EXPECT_GT(drawn.changed, 50);
    EXPECT_TRUE(drawn.allInverted);
    EXPECT_EQ(RowChange(*before, *Screenshot(), 29).changed, 0);
    LeftUp(50, 30);
    EXPECT_EQ(Section("Group")->Height(), 29);
    EXPECT_EQ(events,
              (std::vector<std::string>{"HeightChanging Group 29", "HeightChanged Group 29"}));
    const auto after = Screenshot();
    EXPECT_EQ(Differences(*after, *Rendering()), 0);
    EXPECT_EQ(after->Pixel(50, 29), Sys(COLOR_BTNHIGHLIGHT)); // A's top edge moved down
}

TEST_F(StrativResize, LosingThePointerCancelsTheResize) {
    ASSERT_EQ(PointAt(97, 40), SizeWE);
    LeftDown(97, 40);
    MouseMove(130, 40, MK_LBUTTON);
    ::SetCapture(host); // e.g. another window grabbed the mouse
    ::ReleaseCapture();
    EXPECT_EQ(control->TrackState(), tsIdle);
    EXPECT_EQ(Section("A")->Width(), 100);
    EXPECT_EQ(events, (std::vector<std::string>{"Sizing A 0 129"}));
    EXPECT_EQ(Differences(*Screenshot(), *Rendering()), 0); // no line left behind
}

using StrativClick = HeaderFixture;

TEST_F(StrativClick, PressShowsTheSectionDownAndReleaseClicks) {
    control->SetOptions(AllHeaderOptions & ~hoDragdrop);
    MouseMove(300, 30); // C is hot
    EXPECT_EQ(Screenshot()->Pixel(200, 30), Sys(COLOR_BTNHIGHLIGHT));
    LeftDown(300, 30);
    EXPECT_TRUE(control->Pressed());
    const auto down = Screenshot();
    EXPECT_EQ(down->Pixel(200, 30), Sys(COLOR_3DDKSHADOW)); // sunken: dark top-left
    EXPECT_EQ(down->Pixel(201, 30), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(down->Pixel(ClientWidth - 1, 30), Sys(COLOR_BTNHIGHLIGHT));
    LeftUp(300, 30);
    EXPECT_FALSE(control->Pressed());
    EXPECT_EQ(events, (std::vector<std::string>{"Click C"}));
    EXPECT_EQ(Screenshot()->Pixel(200, 30), Sys(COLOR_BTNHIGHLIGHT));
}

TEST_F(StrativClick, ReleaseOverAnotherSectionClicksThatOne) {
    control->SetOptions(AllHeaderOptions & ~hoDragdrop);
    MouseMove(50, 40);
    LeftDown(50, 40);
    LeftUp(150, 40);
    EXPECT_EQ(events, (std::vector<std::string>{"Click B"}));
}

using StrativDrag = HeaderFixture;

TEST_F(StrativDrag, DraggingShowsTheDropMarkAndDropsBeforeTheTarget) {
    MouseMove(300, 30);
    LeftDown(300, 30);
    MouseMove(301, 30, MK_LBUTTON); // first move with the button held: C is dragged
    EXPECT_EQ(control->TrackState(), tsDragging);
    EXPECT_EQ(control->DragSection(), Section("C"));
    EXPECT_EQ(::GetCapture(), hwnd());

    const auto before = Screenshot();
    MouseMove(150, 40, MK_LBUTTON); // over B: mark on B's left edge
    const auto marked = Screenshot();
    // A solid line five pixels wide, centred on x = 100, over B's rows.
    for (int x = 98; x <= 102; ++x) {
        const LineChange c = ColumnChange(*before, *marked, x);
        EXPECT_GE(c.changed, 36) << x;
        EXPECT_TRUE(c.allInverted) << x;
        for (int y = 22; y < 58; ++y)
            EXPECT_EQ(marked->Pixel(x, y), Inverted(before->Pixel(x, y))) << x << "," << y;
    }
    EXPECT_EQ(ColumnChange(*before, *marked, 97).changed, 0);
    EXPECT_EQ(ColumnChange(*before, *marked, 103).changed, 0);

    LeftUp(150, 40);
    EXPECT_EQ(events, (std::vector<std::string>{"Drop C on B"}));
    EXPECT_EQ(::GetCapture(), nullptr);
    THeaderColumns* group = Section("Group");
    ASSERT_EQ(group->Count(), 3);
    EXPECT_EQ(group->Items(0)->Caption(), "A");
    EXPECT_EQ(group->Items(1)->Caption(), "C");
    EXPECT_EQ(group->Items(2)->Caption(), "B");
    EXPECT_EQ(control->Sections()->Count(), 1);
    EXPECT_EQ(control->ColumnCount(), 3);
    EXPECT_EQ(Differences(*Screenshot(), *Rendering()), 0); // mark gone
}

TEST_F(StrativDrag, DroppingIntoItsOwnSubtreeDoesNothing) {
    MouseMove(100, 10);
    LeftDown(100, 10);
    MouseMove(101, 10, MK_LBUTTON); // the group is dragged
    MouseMove(50, 40, MK_LBUTTON);  // over A, its own child
    LeftUp(50, 40);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(Section("Group")->Count(), 2);
    EXPECT_EQ(control->TrackState(), tsIdle);
}

using StrativHint = HeaderFixture;

std::string TooltipText(HWND tooltip, HWND tool) {
    char text[256] = {};
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.hwnd = tool;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    ::SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    return text;
}

TEST_F(StrativHint, EnteringASectionPutsItsHintInTheTooltip) {
    int asked = 0;
    control->OnHint = [&](TStrativ*, THeaderColumns* s, std::string& hint) {
        ++asked;
        if (s->Caption() != "C")
            hint = "Hint for " + s->Caption();
    };
    control->SetShowHint(true);
    const HWND tooltip = window->Tooltip().Handle();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(::SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);

    MouseMove(50, 40);
    EXPECT_EQ(TooltipText(tooltip, hwnd()), "Hint for A");
    EXPECT_TRUE(window->Tooltip().Active());
    MouseMove(60, 40); // same section: not asked again
    EXPECT_EQ(asked, 1);
    MouseMove(150, 40);
    EXPECT_EQ(TooltipText(tooltip, hwnd()), "Hint for B");
    MouseMove(300, 30); // empty answer keeps the previous text
    EXPECT_EQ(TooltipText(tooltip, hwnd()), "Hint for B");
    EXPECT_EQ(asked, 3);

    control->SetShowHint(false);
    MouseMove(50, 40);
    EXPECT_EQ(TooltipText(tooltip, hwnd()), "Hint for A");
    EXPECT_FALSE(window->Tooltip().Active());
}

// The pointer rests after one move into a section: the tip must show without
// a second move (the tooltip has to be on before it hears of the first).
//
// The real pointer rests over A, where the test's move goes, so the moves the
// system makes of it (when it gets there, when the tip appears), whenever
// they arrive, land in A as well: every hint asked for is A's, and the first
// move into A, the test's or the system's, is the one that must show the tip.
TEST_F(StrativHint, TheFirstMoveIntoASectionShowsItsTip) {
    struct CursorAway {
        ~CursorAway() { ::SetCursorPos(0, 0); } // outside the host: no stray moves later
    } away;
    const POINT over = ToScreen(hwnd(), 50, 40);
    ::SetCursorPos(over.x, over.y);
    PumpMessages();
    control->OnHint = [](TStrativ*, THeaderColumns* s, std::string& hint) {
        hint = "Hint for " + s->Caption();
    };
    control->SetShowHint(true);
    // The tooltip is made when hints are first switched on, off while there
    // is no text.
    const HWND tooltip = window->Tooltip().Handle();
    ASSERT_NE(tooltip, nullptr);
    ASSERT_FALSE(window->Tooltip().Active());
    // The same sections made anew: none is hot, so the next move into A
    // enters it.
    BuildStandardTree();
    ASSERT_EQ(control->HotSection(), nullptr);

    MouseMove(50, 40); // enters A: one move only
    ASSERT_TRUE(window->Tooltip().Active());
    // Waits for the tip itself; the bound only ends a run that never gets it.
    bool shown = false;
    for (int i = 0; i < 500 && !shown; ++i) {
        ::Sleep(20);
        PumpMessages();
        shown = ::IsWindowVisible(tooltip) != FALSE;
    }
    EXPECT_TRUE(shown);
    EXPECT_EQ(TooltipText(tooltip, hwnd()), "Hint for A");
}

TEST_F(StrativHint, TooltipComesBackAfterTheWindowIsRecreated) {
    control->OnHint = [](TStrativ*, THeaderColumns* s, std::string& hint) {
        hint = "Hint for " + s->Caption();
    };
    control->SetShowHint(true);
    MouseMove(50, 40);
    const HWND oldTooltip = window->Tooltip().Handle();
    control->SetBorderStyle(bsNone);
    EXPECT_FALSE(::IsWindow(oldTooltip));
    const HWND tooltip = window->Tooltip().Handle();
    ASSERT_NE(tooltip, nullptr);
    // The one tool of the new tooltip is the new window, with the same text.
    EXPECT_EQ(::SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(TooltipText(tooltip, hwnd()), "Hint for A");
}

} // namespace
} // namespace corvane::win32::testing

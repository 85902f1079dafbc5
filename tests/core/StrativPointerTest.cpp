// The pointer state machine driven message by message, as the platform
// delivers them: one log holds what the control asked of the window and the
// events it fired, so each test states the expected sequence as data.

#include "support/StrativPointerFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace corvane;
using namespace corvane::testing;

namespace {

// --- Width and height resizing ----------------------------------------------------

TEST_F(StrativPointer, WidthResizeProposesOnEveryMoveAndStoresOnRelease) {
    Make("A:100,B:100", 300, 25);
    Move(97, 10); // 3 pixels inside A's right edge
    EXPECT_EQ(H().TrackState(), tsWidthResize);
    EXPECT_EQ(H().ResizeColumn(), 0);
    Press(97, 10);
    W().canvas.calls.clear();
    DragTo(130, 10);
    DragTo(500, 10); // held at client width - 2
    DragTo(-50, 10); // held at x = 2 in the first column
    EXPECT_EQ(S("A")->Width(), 100) << "the width changes only on release";
    Release(-50, 10);
    EXPECT_EQ(Take(), (Log{"Cursor WE", "SetCapture", "OnSizing A 0 129", "OnSizing A 0 297",
                           "OnSizing A 0 1", "ReleaseCapture", "OnSized A 0 1", "Repaint"}));
    EXPECT_EQ(Lines(),
              (Log{"MoveTo -1,0", "LineTo -1,25", "MoveTo 130,0", "LineTo 130,25", "MoveTo 130,0",
                   "LineTo 130,25", "MoveTo 298,0", "LineTo 298,25", "MoveTo 298,0",
                   "LineTo 298,25", "MoveTo 2,0", "LineTo 2,25", "MoveTo 2,0", "LineTo 2,25"}));
    EXPECT_EQ(S("A")->Width(), 1);
    EXPECT_EQ(H().TrackState(), tsIdle);
    EXPECT_EQ(H().PendingSize(), (TPoint{-1, -1}));
    EXPECT_EQ(H().TrackLine(), (TPoint{-1, -1}));
}

TEST_F(StrativPointer, TrackLineOfALaterColumnStopsFourPixelsRightOfItsLeftEdge) {
    Make("A:100,B:100,C:50", 300, 25);
    Move(198, 10);
    Press(198, 10);
    DragTo(0, 10);
    EXPECT_EQ(H().TrackLine().X, 104);
    EXPECT_EQ(H().PendingSize().X, 4);
}

TEST_F(StrativPointer, TrackingLineUsesADottedInvertingPenAndPutsThePenBack) {
    Make("A:100,B:100", 300, 25);
    Move(97, 10);
    Press(97, 10);
    W().canvas.calls.clear();
    DragTo(120, 10);
    const Log pens = W().canvas.Only("Pen ");
    ASSERT_EQ(pens.size(), 4u);
    EXPECT_EQ(pens[0], "Pen 00000000 dot not 1");
    EXPECT_EQ(pens[1], "Pen 00000000 solid copy 1");
}

TEST_F(StrativPointer, PressAndReleaseWithoutMovingKeepsTheSizeButReportsIt) {
    Make("P/17(a:100,b:100)", 300, 40);
    Move(97, 30);
    Press(97, 30);
    Release(97, 30);
    Move(50, 14); // P's band edge
    Press(50, 14);
    Release(50, 14);
    EXPECT_EQ(Take(), (Log{"Cursor WE", "SetCapture", "ReleaseCapture", "OnSized a 0 100",
                           "Repaint", "Cursor NS", "SetCapture", "ReleaseCapture",
                           "OnHeightChanged P 17", "Repaint"}));
    EXPECT_EQ(S("a")->Width(), 100);
    EXPECT_EQ(S("P")->Height(), 17);
}

TEST_F(StrativPointer, HeightResizeStoresTheMinimumButReportsTheProposal) {
    Make("P/17(a:100,b:100)", 300, 40);
    Move(50, 14);
    EXPECT_EQ(H().TrackState(), tsHeightResize);
    Press(50, 14);
    W().canvas.calls.clear();
    DragTo(50, 30);
    DragTo(50, 0); // held at the band top + 2
    Release(50, 0);
    EXPECT_EQ(Take(),
              (Log{"Cursor NS", "SetCapture", "OnHeightChanging P 29", "OnHeightChanging P 1",
                   "ReleaseCapture", "OnHeightChanged P 1", "Repaint"}));
    EXPECT_EQ(Lines(),
              (Log{"MoveTo 0,-1", "LineTo 300,-1", "MoveTo 0,30", "LineTo 300,30", "MoveTo 0,30",
                   "LineTo 300,30", "MoveTo 0,2", "LineTo 300,2", "MoveTo 0,2", "LineTo 300,2"}));
    EXPECT_EQ(S("P")->Height(), 2);
}

TEST_F(StrativPointer, OverASpanningSectionTheWidthZoneWinsAndResizesItsLastLeaf) {
    Make("P/17(a:100,b:100),Q:50", 300, 40);
    Move(197, 15); // P's right edge and bottom edge at once
    EXPECT_EQ(H().TrackState(), tsWidthResize);
    EXPECT_EQ(H().ResizeColumn(), 1);
    EXPECT_EQ(H().ResizeSection(), S("P"));
    Press(197, 15);
    DragTo(210, 15);
    Release(210, 15);
    EXPECT_EQ(Take(), (Log{"Cursor WE", "SetCapture", "OnSizing P 1 109", "ReleaseCapture",
                           "OnSized P 1 109", "Repaint"}));
    EXPECT_EQ(S("b")->Width(), 109);
    EXPECT_EQ(S("a")->Width(), 100);
}

struct ZoneCase {
    const char* name;
    THeaderOptions options;
    bool designing;
    bool cursorsAvailable;
    int x, y;
    const char* cursor; // what the window was asked for, "" for nothing
    bool armed;
};

class ResizeZones : public StrativPointer, public ::testing::WithParamInterface<ZoneCase> {};

// P/17 over a and b (100 each), client 300 x 40.
TEST_P(ResizeZones, CursorAndArmingFollowOptionsDesigningAndTheCursor) {
    const ZoneCase& c = GetParam();
    Make("P/17(a:100,b:100)", 300, 40);
    H().SetOptions(c.options);
    H().SetDesigning(c.designing);
    W().cursorsAvailable = c.cursorsAvailable;
    Take();
    H().WMNCHitTest(W().ClientToScreen(TPoint{c.x, c.y}));
    EXPECT_EQ(H().WMSetCursor(1), c.armed) << c.name;
    EXPECT_EQ(H().ResizeAllowed(), c.armed);
    EXPECT_EQ(Take(), c.cursor[0] ? Log{c.cursor} : Log{});
    EXPECT_EQ(H().ResizeSection() != nullptr, c.armed);
    if (!c.armed) {
        EXPECT_EQ(H().TrackState(), tsIdle);
    }
}

constexpr THeaderOptions NoHresize = AllHeaderOptions & ~hoHresize;
constexpr THeaderOptions NoVresize = AllHeaderOptions & ~hoVResize;

INSTANTIATE_TEST_SUITE_P(
    Zones, ResizeZones,
    ::testing::Values(
        ZoneCase{"width", AllHeaderOptions, false, true, 97, 30, "Cursor WE", true},
        ZoneCase{"width off", NoHresize, false, true, 97, 30, "", false},
        ZoneCase{"width off, designing", NoHresize, true, true, 97, 30, "Cursor WE", true},
        ZoneCase{"no cursor", AllHeaderOptions, false, false, 97, 30, "Cursor WE", false},
        ZoneCase{"left of zone", AllHeaderOptions, false, true, 93, 30, "", false},
        ZoneCase{"four pixels from the edge", AllHeaderOptions, false, true, 94, 30, "", false},
        ZoneCase{"three pixels from the edge", AllHeaderOptions, false, true, 95, 30, "Cursor WE",
                 true},
        ZoneCase{"right edge itself", AllHeaderOptions, false, true, 99, 30, "Cursor WE", true},
        ZoneCase{"band edge", AllHeaderOptions, false, true, 50, 12, "Cursor NS", true},
        ZoneCase{"band edge off", NoVresize, false, true, 50, 12, "", false},
        ZoneCase{"band edge off, designing", NoVresize, true, true, 50, 12, "Cursor NS", true},
        ZoneCase{"above band zone", AllHeaderOptions, false, true, 50, 11, "", false},
        ZoneCase{"leaf bottom", AllHeaderOptions, false, true, 50, 37, "", false},
        ZoneCase{"no section", AllHeaderOptions, false, true, 50, 45, "", false}));

TEST_F(StrativPointer, CursorOutsideTheClientAreaDisarms) {
    Make("A:100,B:100", 300, 25);
    Move(97, 10);
    ASSERT_TRUE(H().ResizeAllowed());
    H().WMNCHitTest(W().ClientToScreen(TPoint{97, 10}));
    EXPECT_FALSE(H().WMSetCursor(2));
    EXPECT_FALSE(H().ResizeAllowed());
    EXPECT_EQ(H().ResizeSection(), nullptr);
    EXPECT_EQ(H().TrackState(), tsIdle);
    EXPECT_EQ(H().ResizeColumn(), -1);
}

// --- Clicks -------------------------------------------------------------------------

TEST_F(StrativPointer, ClickShowsThePressedLookThenFiresAfterTheNormalRepaint) {
    Make("A:100,B:100", 300, 25);
    Log edgesAtClick;
    H().OnHeaderClick = [&](TStrativ*, THeaderColumns* s) {
        W().log.push_back("OnHeaderClick " + s->Caption());
        edgesAtClick = W().canvas.Only("DrawEdge ");
    };
    Move(50, 10);
    W().canvas.calls.clear();
    Press(50, 10);
    EXPECT_TRUE(H().Pressed());
    EXPECT_EQ(W().canvas.Only("DrawEdge ").front(), "DrawEdge 0,0,100,25 8 3"); // sunken
    Release(50, 10);
    EXPECT_FALSE(H().Pressed());
    EXPECT_EQ(Take(), (Log{"OnHeaderClick A"}));
    ASSERT_EQ(edgesAtClick.size(), 6u);
    EXPECT_EQ(edgesAtClick[3], "DrawEdge 0,0,100,25 1 12"); // raised again before the event
}

TEST_F(StrativPointer, ClickGoesToTheSectionUnderTheRelease) {
    Make("A:100,B:100", 300, 25);
    H().SetOptions(AllHeaderOptions & ~hoDragdrop);
    Take();
    Move(50, 10);
    Press(50, 10);
    DragTo(150, 10);
    Release(150, 10);
    EXPECT_EQ(Take(), (Log{"OnHeaderClick B"}));
}

TEST_F(StrativPointer, ReleaseOverNothingKeepsThePressForTheNextRelease) {
    Make("A:100,B:100", 300, 25);
    Move(50, 10);
    Press(50, 10);
    Release(-5, 10);
    EXPECT_TRUE(H().Pressed());
    EXPECT_EQ(Take(), Log{});
    Release(150, 10);
    EXPECT_FALSE(H().Pressed());
    EXPECT_EQ(Take(), (Log{"OnHeaderClick B"}));
}

TEST_F(StrativPointer, NoPressWithoutHoClickOrWhileDesigning) {
    Make("A:100,B:100", 300, 25);
    H().SetOptions(AllHeaderOptions & ~hoClick);
    Press(50, 10);
    EXPECT_FALSE(H().Pressed());
    H().SetOptions(AllHeaderOptions);
    H().SetDesigning(true);
    Take();
    Press(50, 10);
    EXPECT_FALSE(H().Pressed());
    Release(50, 10);
    EXPECT_EQ(Take(), Log{});
}

TEST_F(StrativPointer, WithoutAWindowCanvasClicksAndHotTrackingStillWork) {
    Make("A:100,B:100,C:50", 300, 25);
    W().hasCanvas = false;
    Move(50, 10);
    Move(150, 10);
    EXPECT_EQ(H().HotSection(), S("B"));
    Press(150, 10);
    Release(150, 10);
    Move(197, 10);
    Press(197, 10);
    DragTo(220, 10);
    Release(220, 10);
    EXPECT_EQ(Take(), (Log{"OnHeaderClick B", "Cursor WE", "SetCapture", "OnSizing B 1 119",
                           "ReleaseCapture", "OnSized B 1 119", "Repaint"}));
}

// --- Drag and drop --------------------------------------------------------------------

TEST_F(StrativPointer, DropPlacesTheSectionInFrontOfTheTargetByDefault) {
    Make("A:50,B:50,C(c1:50,c2:50)", 400, 40);
    Move(175, 30);
    Press(175, 30); // starts a click ...
    EXPECT_TRUE(H().Pressed());
    DragTo(176, 30); // ... which the first move with the button held turns into a drag
    EXPECT_EQ(H().TrackState(), tsDragging);
    EXPECT_EQ(H().DragSection(), S("c2"));
    EXPECT_FALSE(H().Pressed());
    W().canvas.calls.clear();
    DragTo(10, 30);
    EXPECT_EQ(Lines(), (Log{"MoveTo 0,0", "LineTo 0,40"})); // A's left edge
    Release(10, 30);
    EXPECT_EQ(Take(), (Log{"SetCapture", "ReleaseCapture", "OnDropSection c2 A before allowed",
                           "Repaint", "Repaint"}));
    EXPECT_EQ(DescribeTree(H().Sections()), "c2,A,B,C(c1)");
    EXPECT_EQ(LeafCaptions(H()), "c2,A,B,c1");
    EXPECT_EQ(H().DragSection(), nullptr);
    EXPECT_EQ(H().TrackState(), tsIdle);
}

struct Placement {
    const char* name;
    int fromX, toX;
    bool asChild;
    const char* tree;
};

class DropPlacements : public StrativPointer, public ::testing::WithParamInterface<Placement> {};

// A, B, C (50 each) under the root, client 300 x 25.
TEST_P(DropPlacements, TheSectionLandsInFrontOfItsTargetOrUnderIt) {
    const Placement& c = GetParam();
    Make("A:50,B:50,C:50", 300, 25);
    const bool asChild = c.asChild;
    dropAnswer = [asChild](THeaderColumns*, THeaderColumns*, bool& child, bool&) {
        child = asChild;
    };
    Move(c.fromX, 10);
    Press(c.fromX, 10);
    DragTo(c.fromX + 1, 10);
    DragTo(c.toX, 10);
    Release(c.toX, 10);
    EXPECT_EQ(DescribeTree(H().Sections()), c.tree) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Drops, DropPlacements,
    ::testing::Values(Placement{"to the right, same parent", 25, 125, false, "B,A,C"},
                      Placement{"onto the next one", 25, 75, false, "A,B,C"},
                      Placement{"to the left, same parent", 125, 25, false, "C,A,B"},
                      Placement{"to the right, as child", 25, 125, true, "B,C(A)"}));

TEST_F(StrativPointer, DropAsChildWhenTheHandlerAsks) {
    Make("A:50,B:50,C(c1:50,c2:50)", 400, 40);
    dropAnswer = [](THeaderColumns*, THeaderColumns*, bool& asChild, bool&) { asChild = true; };
    Move(25, 30);
    Press(25, 30);
    DragTo(26, 30);
    DragTo(125, 30); // over c1
    Release(125, 30);
    EXPECT_EQ(DescribeTree(H().Sections()), "B,C(c1(A),c2)");
    EXPECT_EQ(LeafCaptions(H()), "B,A,c2");
}

TEST_F(StrativPointer, DropMarkUsesAWideInvertingPenAndSkipsTheDraggedSection) {
    Make("A:50,B:50,C:50", 300, 25);
    Move(75, 10);
    Press(75, 10);
    DragTo(76, 10);
    W().canvas.calls.clear();
    DragTo(80, 10); // still over B itself: no mark
    EXPECT_EQ(Lines(), Log{});
    DragTo(120, 10); // over C
    EXPECT_EQ(W().canvas.Take(),
              (Log{"Pen 00000000 dot not 5", "Pen 00000000 solid copy 1", "Pen 00000000 dot not 5",
                   "MoveTo 100,0", "LineTo 100,25", "Pen 00000000 solid copy 1"}));
    DragTo(20, 10); // over A: C's mark erased, A's drawn
    EXPECT_EQ(Lines(), (Log{"MoveTo 100,0", "LineTo 100,25", "MoveTo 0,0", "LineTo 0,25"}));
}

struct RefusedDrop {
    const char* name;
    int fromX, toX, toY;
    bool handlerAllows;
    bool eventExpected;
};

class RefusedDrops : public StrativPointer, public ::testing::WithParamInterface<RefusedDrop> {};

// C/17 over c1 and c2 (50 each) after A and B, client 400 x 40.
TEST_P(RefusedDrops, NothingMoves) {
    const RefusedDrop& c = GetParam();
    Make("A:50,B:50,C/17(c1:50,c2:50)", 400, 40);
    const bool allows = c.handlerAllows;
    dropAnswer = [allows](THeaderColumns*, THeaderColumns*, bool&, bool& allow) { allow = allows; };
    const int fromY = c.fromX >= 100 ? 5 : 30; // C's band when over C
    Move(c.fromX, fromY);
    Press(c.fromX, fromY);
    DragTo(c.fromX + 1, fromY);
    DragTo(c.toX, c.toY);
    Release(c.toX, c.toY);
    const Log log = Take();
    const bool fired = std::any_of(log.begin(), log.end(), [](const std::string& e) {
        return e.rfind("OnDropSection", 0) == 0;
    });
    EXPECT_EQ(fired, c.eventExpected) << c.name;
    EXPECT_EQ(DescribeTree(H().Sections()), "A,B,C(c1,c2)") << c.name;
    EXPECT_EQ(H().DragSection(), nullptr);
    EXPECT_EQ(H().TrackState(), tsIdle);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, RefusedDrops,
    ::testing::Values(RefusedDrop{"onto itself", 20, 30, 30, true, false},
                      RefusedDrop{"into own subtree", 150, 120, 30, true, false},
                      RefusedDrop{"over nothing", 20, -10, 30, true, false},
                      RefusedDrop{"handler refuses", 20, 70, 30, false, true}));

TEST_F(StrativPointer, DragThatStartsOverNothingDropsNothing) {
    Make("A:50", 300, 25);
    DragTo(20, 30); // below the client area
    EXPECT_EQ(H().TrackState(), tsDragging);
    EXPECT_EQ(H().DragSection(), nullptr);
    DragTo(20, 10);
    Release(20, 10);
    EXPECT_EQ(Take(), (Log{"SetCapture", "ReleaseCapture", "Repaint"}));
}

// The handler may edit the tree; the drop then checks both ends again.
TEST_F(StrativPointer, DropAfterTheHandlerFreedOrMovedTheTarget) {
    Make("A:50,B:50,C(c1:50,c2:50)", 400, 40);
    dropAnswer = [](THeaderColumns*, THeaderColumns* dst, bool&, bool&) {
        dst->Parent()->DeleteItem(dst);
    };
    Move(25, 30);
    Press(25, 30);
    DragTo(26, 30);
    DragTo(175, 30); // c2
    Release(175, 30);
    EXPECT_EQ(DescribeTree(H().Sections()), "A,B,C(c1)");

    // Target moved into the dragged section's subtree: a move would make a cycle.
    dropAnswer = [this](THeaderColumns*, THeaderColumns* dst, bool&, bool&) {
        S("c1")->AddChild(dst);
    };
    Move(110, 5); // C
    Press(110, 5);
    DragTo(111, 5);
    DragTo(75, 30); // B
    Release(75, 30);
    EXPECT_EQ(DescribeTree(H().Sections()), "A,C(c1(B))");
}

TEST_F(StrativPointer, SectionsFreedByUnreportedEditsAreNeverFollowed) {
    Make("A:50,B:50,C:50", 300, 25);
    Move(20, 10);
    ASSERT_EQ(H().HotSection(), S("A"));
    H().Sections()->DeleteItem(S("A")); // the root's list reports nothing
    EXPECT_EQ(H().HotSection(), nullptr);
    H().MouseLeave();
    W().canvas.calls.clear();
    Move(30, 10); // B is the first column now
    EXPECT_EQ(W().canvas.Only("Text "), (Log{"Text B 2,2,48,23 00008024"}));

    // The section being resized goes while the pointer is held.
    Move(47, 10);
    Press(47, 10);
    H().Sections()->DeleteItem(S("B"));
    DragTo(60, 10);
    Release(60, 10);
    // The section being dragged goes too.
    Move(20, 10);
    Press(20, 10);
    DragTo(21, 10);
    H().Sections()->DeleteItem(S("C"));
    DragTo(22, 10);
    Release(22, 10);
    EXPECT_EQ(Take(), (Log{"Cursor WE", "SetCapture", "ReleaseCapture", "Repaint", "SetCapture",
                           "ReleaseCapture", "Repaint"}));
}

TEST_F(StrativPointer, ResizeOfAColumnThatWentAway) {
    Make("A:50,B:50,C:50", 300, 25);
    Move(97, 10); // B's edge, column 1
    Press(97, 10);
    H().Sections()->DeleteItem(S("A"));
    H().Sections()->DeleteItem(S("C")); // one column left: column 1 is gone
    DragTo(120, 10);
    Release(120, 10);
    EXPECT_EQ(Take(),
              (Log{"Cursor WE", "SetCapture", "ReleaseCapture", "OnSized B 1 50", "Repaint"}));
    EXPECT_EQ(S("B")->Width(), 50);
}

TEST_F(StrativPointer, AHandlerThatRaisesStillEndsTheResize) {
    Make("A:100,B:100", 300, 25);
    H().OnSized = [](TStrativ*, THeaderColumns*, int, int) { throw std::runtime_error("host"); };
    Move(97, 10);
    Press(97, 10);
    DragTo(120, 10);
    EXPECT_THROW(Release(120, 10), std::runtime_error);
    EXPECT_EQ(H().TrackState(), tsIdle);
    EXPECT_FALSE(W().HasCapture());
    EXPECT_EQ(H().PendingSize(), (TPoint{-1, -1}));
}

// --- Hints and hot tracking -------------------------------------------------------------

TEST_F(StrativPointer, HintIsAskedOnceOnEnteringASection) {
    Make("A:100,B:100", 300, 25);
    H().OnHint = [this](TStrativ*, THeaderColumns* s, std::string& hint) {
        W().log.push_back("OnHint " + s->Caption());
        if (s->Caption() == "A")
            hint = "about A";
    };
    Move(10, 10);
    Move(20, 10);
    Move(150, 10); // an empty answer keeps the text
    Move(50, 10);
    EXPECT_EQ(Take(), (Log{"OnHint A", "CancelHint", "OnHint B", "OnHint A", "CancelHint"}));
    EXPECT_EQ(H().Hint(), "about A");

    H().SetOptions(AllHeaderOptions & ~hoHint);
    Take();
    Move(150, 10);
    EXPECT_EQ(Take(), Log{});
}

TEST_F(StrativPointer, DuringADragTheHintIsAskedOnEveryMoveOverAnotherSection) {
    Make("A:100,B:100", 300, 25);
    H().OnHint = [this](TStrativ*, THeaderColumns* s, std::string&) {
        W().log.push_back("OnHint " + s->Caption());
    };
    Move(10, 10);
    Press(10, 10);
    DragTo(11, 10);
    DragTo(150, 10);
    DragTo(151, 10);
    Release(151, 10);
    const Log log = Take();
    EXPECT_EQ(std::count(log.begin(), log.end(), "OnHint B"), 2);
}

TEST_F(StrativPointer, HotTrackingRepaintsTheNewThenTheOldSection) {
    Make("A:100,B:100", 300, 25);
    Move(10, 10);
    EXPECT_EQ(H().HotSection(), S("A"));
    W().canvas.calls.clear();
    Move(150, 10);
    EXPECT_EQ(W().canvas.Only("Text "),
              (Log{"Text B 102,2,298,23 00008024", "Text A 2,2,98,23 00008024"}));
    EXPECT_EQ(W().canvas.Only("FontColor "), (Log{"FontColor 00800000", "FontColor 80000008"}));
    W().canvas.calls.clear();
    Move(160, 10); // same section: nothing
    Move(160, 40); // no section: the hot one stays
    EXPECT_EQ(W().canvas.calls, Log{});
    EXPECT_EQ(H().HotSection(), S("B"));
    H().MouseLeave();
    EXPECT_EQ(H().HotSection(), nullptr);
    EXPECT_EQ(W().canvas.Only("Text "), (Log{"Text B 102,2,298,23 00008024"}));
    EXPECT_EQ(W().canvas.Only("FontColor "), (Log{"FontColor 80000008"}));
}

TEST_F(StrativPointer, WithoutHotTrackTheHotSectionChangesInNormalColourAndSurvivesLeaving) {
    Make("A:100,B:100", 300, 25);
    H().SetOptions(AllHeaderOptions & ~hoHotTrack);
    Move(10, 10);
    Move(150, 10);
    EXPECT_EQ(W().canvas.Only("FontColor "),
              (Log{"FontColor 80000008", "FontColor 80000008", "FontColor 80000008"}));
    W().canvas.calls.clear();
    H().MouseLeave();
    EXPECT_EQ(H().HotSection(), S("B"));
    EXPECT_EQ(W().canvas.calls, Log{});
}

TEST_F(StrativPointer, DesigningKeepsResizingButNoHotTrackingOrClicks) {
    Make("A:100,B:100", 300, 25);
    H().SetDesigning(true);
    H().SetOptions(AllHeaderOptions & ~(hoHresize | hoDragdrop));
    Take();
    Move(50, 10);
    EXPECT_EQ(H().HotSection(), nullptr);
    Press(50, 10);
    EXPECT_FALSE(H().Pressed());
    Move(97, 10);
    Press(97, 10, mbRight); // the right button resizes too while designing
    DragTo(110, 10);
    Release(110, 10, mbRight);
    EXPECT_EQ(Take(), (Log{"Cursor WE", "SetCapture", "OnSizing A 0 109", "ReleaseCapture",
                           "OnSized A 0 109", "DesignerModified", "Repaint"}));
    Press(50, 10, mbRight); // no zone armed: nothing, and no menu
    EXPECT_EQ(Take(), Log{});
}

} // namespace

// Widths that follow captions (a double click on a width zone) and widths
// shared in proportion (Shift+drag of a parent's edge).

#include "core/control/ProportionalWidths.h"
#include "support/StrativPointerFixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using namespace corvane;
using namespace corvane::testing;

namespace {

Log EventsOnly(const Log& log) {
    return LinesStartingWith(log, {"On"});
}

// --- Fitted widths ------------------------------------------------------------------

// The recording canvas measures 6 pixels a character.
TEST(StrativFittedWidth, CaptionPlusTheFaceAndFocusMargins) {
    struct Case {
        const char* name;
        std::string caption;
        bool wordwrap;
        TButtonStyle style;
        int bevelWidth;
        int expected;
    };
    const Case cases[] = {
        {"one line", "Alpha", false, bsNew, 1, 5 * 6 + 2 * (2 + 2)},
        {"one line, spaces count", "Two words", false, bsNew, 1, 9 * 6 + 8},
        {"word wrap: the widest word", "Two words\r\nhere", true, bsNew, 1, 5 * 6 + 8},
        {"empty caption", "", false, bsNew, 1, 8},
        {"bevel frames take their width", "Alpha", false, bsWin31, 3, 30 + 2 * (3 + 1 + 2)},
        {"bevel width beyond the 32-bit range", "A", false, bsWin31, INT_MAX, INT_MAX},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestHeader t("X:50,Y:50", 300, 25);
        t.header.SetHeaderstyle(c.style);
        t.header.SetBevelWidth(c.bevelWidth);
        THeaderColumns* x = t["X"];
        x->SetCaption(c.caption);
        x->SetWordwrap(c.wordwrap);
        EXPECT_EQ(t.header.FittedWidth(x), c.expected);
    }
}

TEST(StrativFittedWidth, MeasuresWithTheControlsFontAndNeedsACanvas) {
    TestHeader t("X:50", 300, 25);
    TFont font = t.header.Font();
    font.Name = "Measured";
    t.header.SetFont(font);
    t.window.canvas.calls.clear();
    t.header.FittedWidth(t["X"]);
    EXPECT_EQ(t.window.canvas.calls, Log{"Font Measured"});
    t.window.hasCanvas = false;
    EXPECT_EQ(t.header.FittedWidth(t["X"]), -1);
    t.header.Autofit(t["X"]);
    EXPECT_EQ(t["X"]->Width(), 50) << "nothing to measure with, nothing changes";
}

// --- Double click -------------------------------------------------------------------

TEST_F(StrativPointer, DoubleClickOnALeafsEdgeFitsItAndTheReleaseEndsNothing) {
    Make("A:100,Bee:100", 300, 25);
    Move(97, 10);
    Press(97, 10);
    Release(97, 10);
    EXPECT_EQ(EventsOnly(Take()), Log{"OnSized A 0 100"}) << "the first click is a resize";
    Move(97, 10);
    H().DblClick(ssLeft, 97, 10);
    EXPECT_EQ(S("A")->Width(), 6 + 8);
    DragTo(150, 10);  // the button is still down: no drag, no resize
    Move(14 - 3, 10); // the cursor message arms the (moved) zone again
    Release(14 - 3, 10);
    EXPECT_EQ(EventsOnly(Take()), (Log{"OnSizing A 0 14", "OnSized A 0 14"}));
    EXPECT_EQ(H().TrackState(), tsIdle);
    EXPECT_EQ(H().DragSection(), nullptr);
    Move(50, 10);
    Press(50, 10);
    Release(50, 10);
    EXPECT_EQ(EventsOnly(Take()), Log{"OnHeaderClick Bee"}) << "the next click is a click";
}

TEST_F(StrativPointer, DoubleClickOnAParentsEdgeFitsEachOfItsLeaves) {
    Make("P/10(A:100,Bee:100),C:100", 400, 30);
    Move(197, 5);
    ASSERT_EQ(H().TrackState(), tsWidthResize);
    ASSERT_EQ(H().ResizeSection(), S("P"));
    H().DblClick(ssLeft, 197, 5);
    EXPECT_EQ(EventsOnly(Take()),
              (Log{"OnSizing A 0 14", "OnSized A 0 14", "OnSizing Bee 1 26", "OnSized Bee 1 26"}));
    EXPECT_EQ(LeafCaptions(H()), "A,Bee,C");
    EXPECT_EQ(S("C")->Width(), 100);
}

TEST_F(StrativPointer, DoubleClickOnAFittedLeafReportsItsWidthAsADragWould) {
    Make("A:14,B:100", 300, 25);
    Move(11, 10);
    H().DblClick(ssLeft, 11, 10);
    EXPECT_EQ(EventsOnly(Take()), Log{"OnSized A 0 14"});
}

TEST_F(StrativPointer, DoubleClickElsewhereOrWithoutWidthResizingIsAPress) {
    struct Case {
        const char* name;
        THeaderOptions options;
        int x;
    };
    const Case cases[] = {
        {"inside the section", AllHeaderOptions, 50},
        {"on the edge, width resizing off",
         static_cast<THeaderOptions>(AllHeaderOptions & ~hoHresize), 97},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Make("A:100,B:100", 300, 25);
        H().SetOptions(c.options);
        Move(c.x, 10);
        H().DblClick(ssLeft, c.x, 10);
        EXPECT_TRUE(H().Pressed());
        Release(c.x, 10);
        EXPECT_EQ(EventsOnly(Take()), Log{"OnHeaderClick A"});
        EXPECT_EQ(S("A")->Width(), 100);
    }
}

TEST_F(StrativPointer, AHandlerThatRaisesDuringAFitLeavesTheMachineIdle) {
    Make("A:100,B:100", 300, 25);
    H().OnSizing = [](TStrativ*, THeaderColumns*, int, int) { throw std::runtime_error("no"); };
    Move(97, 10);
    EXPECT_THROW(H().DblClick(ssLeft, 97, 10), std::runtime_error);
    EXPECT_EQ(H().TrackState(), tsIdle);
    Move(97, 10);
    Release(97, 10);
    EXPECT_EQ(EventsOnly(Take()), Log{}) << "the release still belongs to the double click";
}

// --- Sharing a width in proportion ------------------------------------------------

TEST(ProportionalWidths, LargestRemainderWithAMinimum) {
    struct Case {
        const char* name;
        std::vector<int> weights;
        int64_t total;
        int minimum;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"exact shares", {100, 300}, 196, 8, {49, 147}},
        {"a tie goes to the leftmost", {1, 1, 1}, 10, 0, {4, 3, 3}},
        {"the largest remainder wins", {1, 2}, 10, 0, {3, 7}},
        {"parts below the minimum are raised", {50, 50, 900}, 100, 8, {8, 8, 84}},
        {"several raised at once", {10, 20, 1000}, 40, 8, {8, 8, 24}},
        {"raising one pushes another below", {5, 21, 100}, 60, 10, {10, 10, 40}},
        {"no weight at all: equal parts", {0, 0}, 11, 0, {6, 5}},
        {"negative weights count as none", {-5, 10}, 20, 8, {8, 12}},
        {"a total below the minimum is raised", {10, 10}, 5, 8, {8, 8}},
        {"nothing to share among", {}, 100, 8, {}},
        {"growing", {30, 70}, 1000, 8, {300, 700}},
        {"the 32-bit end", {INT_MAX, INT_MAX}, INT64_MAX, 8, {1073741824, 1073741823}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ProportionalWidths(c.weights, c.total, c.minimum), c.expected);
    }
}

TEST(ProportionalWidths, PartsAlwaysSumToTheTotalAndKeepTheMinimum) {
    std::mt19937 random(17);
    for (int round = 0; round < 2000; ++round) {
        std::vector<int> weights(1 + random() % 9);
        for (int& w : weights)
            w = static_cast<int>(random() % 400) - 20;
        const int minimum = static_cast<int>(random() % 10);
        const int64_t total = random() % 3000;
        const std::vector<int> parts = ProportionalWidths(weights, total, minimum);
        const int64_t floor = int64_t{minimum} * static_cast<int64_t>(weights.size());
        ASSERT_EQ(std::accumulate(parts.begin(), parts.end(), int64_t{0}), std::max(total, floor));
        for (size_t i = 0; i < parts.size(); ++i) {
            ASSERT_GE(parts[i], minimum);
            // A heavier weight never gets fewer pixels, beyond the minimum.
            for (size_t j = 0; j < parts.size(); ++j) {
                if (weights[i] > weights[j] && parts[j] > minimum) {
                    ASSERT_GE(parts[i] + 1, parts[j]);
                }
            }
        }
    }
}

TEST_F(StrativPointer, ShiftDragOfAParentsEdgeSharesTheWidthAmongItsLeaves) {
    Make("P/10(A:100,B:300),C:100", 600, 30);
    Move(397, 5);
    H().MouseDown(mbLeft, ssLeft | ssShift, 397, 5);
    EXPECT_TRUE(H().ProportionalResize());
    DragTo(197, 5);
    EXPECT_EQ(S("A")->Width(), 100) << "nothing changes before the release";
    Release(197, 5);
    EXPECT_EQ(EventsOnly(Take()), (Log{"OnSizing P 1 196", "OnSized A 0 49", "OnSized B 1 147"}));
    EXPECT_EQ(S("B")->Width(), 147);
    EXPECT_FALSE(H().ProportionalResize());
}

TEST_F(StrativPointer, ShiftDragStopsWhereEachLeafWouldBeEightPixels) {
    Make("P/10(A:100,B:300),C:100", 600, 30);
    Move(397, 5);
    H().MouseDown(mbLeft, ssLeft | ssShift, 397, 5);
    DragTo(0, 5);
    EXPECT_EQ(H().PendingSize().X, 16);
    EXPECT_EQ(H().TrackLine().X, 17) << "the line stands where the parent's edge would";
    Release(0, 5);
    EXPECT_EQ(S("A")->Width(), 8);
    EXPECT_EQ(S("B")->Width(), 8);
}

TEST_F(StrativPointer, ShiftDragReportsOnlyTheLeavesThatChanged) {
    Make("P/10(A:100,B:100,S:8),C:100", 600, 30);
    Move(205, 5);
    H().MouseDown(mbLeft, ssLeft | ssShift, 205, 5);
    Release(205, 5);
    EXPECT_EQ(EventsOnly(Take()), Log{}) << "no move: nothing changed, nothing to report";
    Move(205, 5);
    H().MouseDown(mbLeft, ssLeft | ssShift, 205, 5);
    DragTo(201, 5);
    Release(201, 5);
    // S keeps its 8 pixels; A and B share the rest.
    EXPECT_EQ(EventsOnly(Take()), (Log{"OnSizing P 2 200", "OnSized A 0 96", "OnSized B 1 96"}));
    EXPECT_EQ(S("S")->Width(), 8);
}

TEST_F(StrativPointer, ShiftDragOfALeafsEdgeIsAPlainResize) {
    Make("P/10(A:100,B:100),C:100", 600, 30);
    Move(97, 20);
    H().MouseDown(mbLeft, ssLeft | ssShift, 97, 20);
    EXPECT_FALSE(H().ProportionalResize());
    DragTo(57, 20);
    Release(57, 20);
    EXPECT_EQ(EventsOnly(Take()), (Log{"OnSizing A 0 56", "OnSized A 0 56"}));
    EXPECT_EQ(S("B")->Width(), 100);
}

} // namespace

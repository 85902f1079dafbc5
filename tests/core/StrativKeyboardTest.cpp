// The header from the keyboard: the key table through the control's entry
// point, the focus through edits of the tree, the focus mark on the canvas.

#include "support/KeyTable.h"
#include "support/StrativPointerFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace corvane;
using namespace corvane::testing;

namespace {

// What the handlers heard and the menu, out of everything the window logged.
Log EventsOnly(const Log& log) {
    return LinesStartingWith(log, {"On", "Menu"});
}

class KeyTableTest : public StrativPointer, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyTableTest, KeyMovesFocusFiresEventsAndChangesTheTree) {
    const KeyCase& c = GetParam();
    SCOPED_TRACE(Describe(c));
    Make(KeyTableTree, KeyTableClientWidth, KeyTableClientHeight);
    H().SetOptions(c.options);
    H().FocusEnter();
    H().SetFocusedSection(S(c.focused));
    Take();

    EXPECT_EQ(H().WantsKey(c.key, c.shift), c.used);
    EXPECT_EQ(H().KeyDown(c.key, c.shift), c.used);
    EXPECT_EQ(CaptionOf(H().FocusedSection()), c.focusAfter);
    EXPECT_EQ(EventsOnly(Take()), c.events);
    EXPECT_EQ(TreeText(H().Sections()), c.tree != nullptr ? c.tree : KeyTableTree);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTableTest, ::testing::ValuesIn(KeyCases()));

// A narrow header: the focus goes no further right than the last column
// painted (the one reaching the edge), where its mark can still be seen.
TEST_F(StrativPointer, KeysStopAtTheLastColumnPainted) {
    struct Case {
        int width; // 250: Qty is cut at the edge; 240: Phone ends at it
        const char* focused;
        uint16_t key;
        const char* focusAfter;
    };
    const Case cases[] = {
        {250, "Phone", vkRight, "Qty"},   {250, "Qty", vkRight, "Qty"},
        {250, "First", vkEnd, "Qty"},     {250, "Customer", vkRight, "Order"},
        {250, "Order", vkRight, "Order"}, {250, "Customer", vkEnd, "Order"},
        {250, "Name", vkEnd, "Qty"},      {240, "Phone", vkRight, "Phone"},
        {240, "Last", vkEnd, "Phone"},    {240, "Customer", vkEnd, "Customer"},
        {240, "Phone", vkLeft, "Last"},   {240, "Phone", vkHome, "First"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.focused) + " " + std::to_string(c.key) + " at " +
                     std::to_string(c.width));
        Make(KeyTableTree, c.width, KeyTableClientHeight);
        H().FocusEnter();
        H().SetFocusedSection(S(c.focused));
        EXPECT_TRUE(H().KeyDown(c.key, 0));
        EXPECT_EQ(CaptionOf(H().FocusedSection()), c.focusAfter);
    }
}

TEST(KeyTableTree, ReadsBackAsWritten) {
    TestHeader t(KeyTableTree, KeyTableClientWidth, KeyTableClientHeight);
    EXPECT_EQ(TreeText(t.header.Sections()), KeyTableTree);
}

// --- Tab stop, entering, clicking -----------------------------------------------

TEST(StrativKeyboard, ATabStopWhenAClickOrAGestureIsOn) {
    struct Case {
        THeaderOptions options;
        bool tabStop;
    };
    const Case cases[] = {
        {AllHeaderOptions, true}, {0, false},
        {hoClick, true},          {hoHresize, true},
        {hoVResize, true},        {hoDragdrop, true},
        {hoCustomize, false},     {hoAbout | hoHint | hoHotTrack, false},
    };
    TestHeader t("A,B", 200, 25);
    for (const Case& c : cases) {
        t.header.SetOptions(c.options);
        EXPECT_EQ(t.header.WantsTabStop(), c.tabStop) << int{c.options};
    }
}

TEST_F(StrativPointer, GettingTheFocusFocusesTheFirstSectionOnce) {
    Make("P/10(A:40,B:60),C", 200, 30);
    EXPECT_EQ(H().FocusedSection(), nullptr);
    H().FocusEnter();
    EXPECT_EQ(H().FocusedSection(), S("P"));
    EXPECT_EQ(EventsOnly(Take()), Log{});
    H().SetFocusedSection(S("C"));
    H().FocusExit();
    H().FocusEnter();
    EXPECT_EQ(H().FocusedSection(), S("C")) << "the section focused before stays";
}

TEST_F(StrativPointer, FocusIsAnnouncedOnlyWhileTheControlHasIt) {
    Make("A,B,C", 200, 25);
    H().SetFocusedSection(S("B"));
    H().FocusEnter();
    H().SetFocusedSection(S("C"));
    H().SetFocusedSection(S("C"));
    H().FocusExit();
    H().SetFocusedSection(S("A"));
    EXPECT_EQ(LinesStartingWith(Take(), {"Accessible"}),
              (Log{"Accessible Focus B", "Accessible Focus C"}));
}

TEST_F(StrativPointer, GettingTheFocusWithNoSectionsFocusesNothing) {
    Make("", 200, 25);
    H().FocusEnter();
    EXPECT_EQ(H().FocusedSection(), nullptr);
    EXPECT_FALSE(H().KeyDown(vkRight, 0));
    H().Sections()->Add("Late");
    H().Sections()->Changed(true);
    EXPECT_TRUE(H().KeyDown(vkRight, 0)) << "the first key focuses the first section";
    EXPECT_EQ(CaptionOf(H().FocusedSection()), "Late");
}

TEST_F(StrativPointer, AClickFocusesTheSectionClicked) {
    Make("P/10(A:40,B:60),C", 200, 30);
    Move(50, 20);
    Press(50, 20);
    Release(50, 20);
    EXPECT_EQ(H().FocusedSection(), S("B"));
    Move(20, 2);
    Press(20, 2);
    EXPECT_EQ(H().FocusedSection(), S("P"));
}

TEST_F(StrativPointer, AClickFocusesNothingWhenKeyboardUsersCannotUseTheHeader) {
    Make("A:40,B:60", 200, 30);
    H().SetOptions(hoCustomize | hoHint);
    Move(50, 20);
    Press(50, 20);
    EXPECT_EQ(H().FocusedSection(), nullptr);
}

// --- Focus through edits ----------------------------------------------------------

// Each edit runs with "X" focused; the focus then rests on the expected section.
TEST(StrativFocusEdits, FocusFollowsItsSectionOrItsNearestNeighbour) {
    struct Case {
        const char* name;
        const char* tree;
        const char* focused;
        void (*edit)(TestHeader& t, TestHeader& other);
        const char* focusAfter;
    };
    const Case cases[] = {
        {"the section moves", "P(A,X,B),Q(C)", "X",
         [](TestHeader& t, TestHeader&) { t["X"]->SetParent(t["Q"]); }, "X"},
        {"the section is renamed", "P(A,X,B)", "X",
         [](TestHeader& t, TestHeader&) { t["X"]->SetCaption("Y"); }, "Y"},
        {"freed: the next sibling takes its place", "P(A,X,B)", "X",
         [](TestHeader& t, TestHeader&) { t["P"]->DeleteItem(t["X"]); }, "B"},
        {"freed as the last: the previous sibling", "P(A,B,X)", "X",
         [](TestHeader& t, TestHeader&) { t["P"]->DeleteItem(t["X"]); }, "B"},
        {"freed as the only child: the parent", "P(X),Q", "X",
         [](TestHeader& t, TestHeader&) { t["P"]->DeleteItem(t["X"]); }, "P"},
        {"freed with its parent: the parent's neighbour", "P(A,X),Q(C)", "X",
         [](TestHeader& t, TestHeader&) { t.header.Sections()->DeleteItem(t["P"]); }, "Q"},
        {"freed with two levels above it", "R(P(X)),S", "X",
         [](TestHeader& t, TestHeader&) { t.header.Sections()->DeleteItem(t["R"]); }, "S"},
        {"every section freed", "X,A", "X",
         [](TestHeader& t, TestHeader&) { t.header.Sections()->Clear(); }, "<none>"},
        {"the whole tree copied in (as the customizing dialog does)", "A,P(X,B),C", "X",
         [](TestHeader& t, TestHeader&) {
             TestHeader other("A,P(X,B),C", 100, 20);
             t.header.SetSections(other.header.Sections());
             t.header.Sections()->Changed(true);
         },
         "P"},
        {"moved into another header", "P(A,X,B)", "X",
         [](TestHeader& t, TestHeader& other) { t["X"]->SetParent(other["Z"]); }, "B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestHeader other("Z", 100, 20);
        TestHeader t(c.tree, 300, 40);
        t.header.SetFocusedSection(t[c.focused]);
        ASSERT_EQ(t.header.FocusedSection(), t[c.focused]);
        c.edit(t, other);
        EXPECT_EQ(CaptionOf(t.header.FocusedSection()), c.focusAfter);
    }
}

TEST_F(StrativPointer, KeysAfterAnEditActOnTheSectionThatTookTheFocus) {
    Make("A:50,X:50,B:50", 300, 25);
    H().FocusEnter();
    H().SetFocusedSection(S("X"));
    H().Sections()->DeleteItem(S("X"));
    Take();
    EXPECT_TRUE(H().KeyDown(vkSpace, 0));
    EXPECT_EQ(EventsOnly(Take()), Log{"OnHeaderClick B"});
}

// --- Keys beyond the table --------------------------------------------------------

TEST_F(StrativPointer, KeyResizingStopsAtTheNarrowestLeaf) {
    struct Case {
        int width;
        TShiftState shift;
        Log events;
        int widthAfter;
    };
    const Case cases[] = {
        {12, ssShift, {"OnSizing A 0 8", "OnSized A 0 8"}, 8},
        {9, 0, {"OnSizing A 0 8", "OnSized A 0 8"}, 8},
        {8, 0, {}, 8},
        {5, ssShift, {}, 5}, // narrower already: left alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        Make("A:" + std::to_string(c.width) + ",B:50", 300, 25);
        H().SetFocusedSection(S("A"));
        Take();
        EXPECT_TRUE(H().KeyDown(vkLeft, ssCtrl | c.shift));
        EXPECT_EQ(EventsOnly(Take()), c.events);
        EXPECT_EQ(S("A")->Width(), c.widthAfter);
    }
}

TEST_F(StrativPointer, KeyHeightStopsAtTheLowestBand) {
    Make("P/5(A,B)", 300, 40);
    H().SetFocusedSection(S("P"));
    Take();
    H().KeyDown(vkUp, ssCtrl | ssShift);
    EXPECT_EQ(EventsOnly(Take()), (Log{"OnHeightChanging P 2", "OnHeightChanged P 2"}));
    H().KeyDown(vkUp, ssCtrl);
    EXPECT_EQ(EventsOnly(Take()), Log{}) << "at the lowest band nothing changes";
    EXPECT_EQ(S("P")->Height(), 2);
}

TEST_F(StrativPointer, AKeyResizeRepaintsAndAHandlerThatFreesTheLeafStoresNothing) {
    Make("A:50,B:50", 300, 25);
    H().SetFocusedSection(S("A"));
    Take();
    H().KeyDown(vkRight, ssCtrl);
    EXPECT_EQ(Take(), (Log{"OnSizing A 0 51", "Repaint", "OnSized A 0 51"}));
    H().OnSizing = [](TStrativ* h, THeaderColumns* s, int, int) { h->Sections()->DeleteItem(s); };
    H().KeyDown(vkRight, ssCtrl);
    EXPECT_EQ(LeafCaptions(H()), "B");
    EXPECT_EQ(Take(), Log{}) << "no OnSized for a section that is gone";
}

// The handler takes the leaf into another header, where it lives on: no
// width is stored in it and no OnSized follows, from the key or a double click.
TEST_F(StrativPointer, AResizeHandlerThatMovesTheLeafAwayStoresNothing) {
    for (const bool byKey : {true, false}) {
        Make("Alpha:50,B:50", 300, 25);
        TestHeader other("Z", 100, 20);
        THeaderColumns* leaf = S("Alpha");
        H().SetFocusedSection(leaf);
        H().OnSizing = [&other](TStrativ*, THeaderColumns* s, int, int) {
            s->SetParent(other.header.Sections());
        };
        Take();
        if (byKey) {
            H().KeyDown(vkRight, ssCtrl);
        } else {
            Move(47, 10);
            H().DblClick(ssLeft, 47, 10);
        }
        EXPECT_EQ(DescribeTree(other.header.Sections()), "Z,Alpha") << byKey;
        EXPECT_EQ(leaf->Width(), 50) << byKey;
        EXPECT_EQ(EventsOnly(Take()), Log{}) << byKey;
    }
}

TEST_F(StrativPointer, AKeyMoveRefusedByTheHandlerLeavesTheTree) {
    Make("A,B,C", 300, 25);
    H().SetFocusedSection(S("B"));
    dropAnswer = [](THeaderColumns*, THeaderColumns*, bool&, bool& allow) { allow = false; };
    H().KeyDown(vkRight, ssAlt);
    EXPECT_EQ(DescribeTree(H().Sections()), "A,B,C");
    dropAnswer = [](THeaderColumns*, THeaderColumns*, bool& asChild, bool&) { asChild = true; };
    H().KeyDown(vkRight, ssAlt);
    EXPECT_EQ(DescribeTree(H().Sections()), "A,C(B)") << "the handler made it a child";
    EXPECT_EQ(H().FocusedSection(), S("B"));
}

// The handler deletes the target or takes the section away: nothing moves.
TEST_F(StrativPointer, AKeyMoveWhoseHandlerEditsTheTreeMovesNothing) {
    TestHeader other("Z", 100, 20);
    for (const bool deleteTarget : {true, false}) {
        Make("A,B,C", 300, 25);
        H().SetFocusedSection(S("B"));
        dropAnswer = [&](THeaderColumns* source, THeaderColumns* target, bool&, bool&) {
            if (deleteTarget)
                H().Sections()->DeleteItem(target);
            else
                source->SetParent(other.header.Sections());
        };
        H().KeyDown(vkRight, ssAlt);
        EXPECT_EQ(DescribeTree(H().Sections()), deleteTarget ? "A,B" : "A,C");
    }
}

TEST_F(StrativPointer, TheMenuKeyOpensTheMenuAtTheFocusedSection) {
    Make("P/10(A:40,B:60),C:50", 200, 30);
    H().SetFocusedSection(S("B"));
    EXPECT_TRUE(H().KeyDown(vkApps, 0));
    ASSERT_EQ(W().menuPoints.size(), 1u);
    // B's bottom left, on screen.
    EXPECT_EQ(W().menuPoints[0], (TPoint{40 + FakeWindowServices::ScreenOffset.X,
                                         30 + FakeWindowServices::ScreenOffset.Y}));
    EXPECT_EQ(W().menus[0].size(), 3u) << "About, separator, Customize";

    // A band reaching below the client area: the menu opens at its bottom edge.
    Make("P/10(Q/30(A:40),B:60),C:50", 200, 25);
    H().SetFocusedSection(S("Q"));
    EXPECT_TRUE(H().KeyDown(vkF10, ssShift));
    ASSERT_EQ(W().menuPoints.size(), 1u);
    EXPECT_EQ(W().menuPoints[0], (TPoint{FakeWindowServices::ScreenOffset.X,
                                         25 + FakeWindowServices::ScreenOffset.Y}));
}

TEST_F(StrativPointer, NoKeyIsUsedWhileTheHeaderIsEmptyOrForDesignersClicks) {
    Make("A,B", 200, 25);
    H().SetDesigning(true);
    H().SetFocusedSection(S("A"));
    EXPECT_FALSE(H().KeyDown(vkSpace, 0)) << "no clicks while designing";
    EXPECT_FALSE(H().KeyDown(vkApps, 0));
    H().SetOptions(0);
    EXPECT_TRUE(H().WantsKey(vkRight, ssCtrl)) << "designers resize whatever the options";
    H().SetDesigning(false);
    H().Sections()->Clear();
    EXPECT_FALSE(H().WantsKey(vkRight, 0));
}

// --- The focus mark ------------------------------------------------------------

TEST_F(StrativPointer, TheFocusMarkLiesInsideTheFaceAndTheCaptionInsideTheMark) {
    struct Case {
        const char* name;
        bool wordwrap;
        TButtonStyle style;
        Log expected;
    };
    const Case cases[] = {
        {"button face", false, bsNew, {"FocusRect 2,2,48,23", "Text A 4,3,46,22 00008024"}},
        {"word wrap keeps its own margin",
         true,
         bsNew,
         {"FocusRect 2,2,48,23", "Text A 4,4,46,21 00000010"}},
        {"bevel frames", false, bsWin31, {"FocusRect 2,2,48,23", "Text A 4,3,46,22 00008024"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Make("A:50,B:50", 300, 25);
        S("A")->SetWordwrap(c.wordwrap);
        H().SetHeaderstyle(c.style);
        H().FocusEnter();
        RecordingCanvas canvas;
        H().PaintSection(canvas, S("A"), H().SectionRect(S("A")));
        Log marks;
        for (const std::string& call : canvas.calls)
            if (call.rfind("FocusRect", 0) == 0 || call.rfind("Text", 0) == 0)
                marks.push_back(call);
        EXPECT_EQ(marks, c.expected);
    }
}

TEST_F(StrativPointer, TheFocusMarkShowsOnlyWhileTheControlHasTheFocus) {
    Make("A:50,B:50", 300, 25);
    H().SetFocusedSection(S("A"));
    auto marks = [this] {
        RecordingCanvas canvas;
        H().Paint(canvas);
        return canvas.Only("FocusRect");
    };
    EXPECT_EQ(marks(), Log{});
    H().FocusEnter();
    EXPECT_EQ(marks(), Log{"FocusRect 2,2,48,23"});
    H().SetFocusedSection(S("B"));
    EXPECT_EQ(marks(), Log{"FocusRect 52,2,298,23"});
    H().SetDesigning(true);
    EXPECT_EQ(marks(), Log{}) << "no mark in a designer";
    H().SetDesigning(false);
    H().FocusExit();
    EXPECT_EQ(marks(), Log{});
}

TEST_F(StrativPointer, MovingTheFocusRepaintsTheOldAndTheNewSection) {
    Make("A:50,B:50", 300, 25);
    H().FocusEnter();
    W().canvas.calls.clear();
    H().KeyDown(vkRight, 0);
    EXPECT_EQ(W().canvas.Only("Text"),
              (Log{"Text A 2,2,48,23 00008024", "Text B 54,3,296,22 00008024"}));
    EXPECT_EQ(W().canvas.Only("FocusRect"), Log{"FocusRect 52,2,298,23"});
}

} // namespace

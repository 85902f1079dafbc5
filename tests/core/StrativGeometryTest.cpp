// Section rectangles and the hit test: the layout rules on small trees, the
// edges of the 32-bit range, edits that report nothing, and a randomized
// comparison of the cached geometry with a walk along the whole leaf list.

#include "core/model/SectionRef.h"
#include "support/LiteralLayout.h"
#include "support/RandomHeaders.h"
#include "support/StrativTestHeader.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

using namespace corvane;
using namespace corvane::testing;

namespace {

struct RectCase {
    const char* tree;
    int clientWidth, clientHeight;
    const char* section;
    TRect expected;
};

class SectionRectCases : public ::testing::TestWithParam<RectCase> {};

TEST_P(SectionRectCases, RectangleFollowsTheLayoutRules) {
    const RectCase& c = GetParam();
    TestHeader t(c.tree, c.clientWidth, c.clientHeight);
    const THeaderColumns* section = t[c.section];
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(t.header.SectionRect(section), c.expected) << c.tree << " " << c.section;
    int top = -1, bottom = -1;
    t.header.SectionBand(section, top, bottom);
    EXPECT_EQ(top, c.expected.Top);
    EXPECT_EQ(bottom, c.expected.Bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, SectionRectCases,
    ::testing::Values(
        // One leaf spans the whole client area.
        RectCase{"Only", 250, 25, "Only", {0, 0, 250, 25}},
        // A parent over two leaves: the last column takes the rest.
        RectCase{"P/17(L1:75,L2:75)", 250, 25, "P", {0, 0, 250, 17}},
        RectCase{"P/17(L1:75,L2:75)", 250, 25, "L1", {0, 17, 75, 25}},
        RectCase{"P/17(L1:75,L2:75)", 250, 25, "L2", {75, 17, 250, 25}},
        // Wider than the client: the last column is cut (here even inverted).
        RectCase{"A:200,B:100", 250, 25, "B", {200, 0, 250, 25}},
        RectCase{"A:300,B:50", 250, 25, "B", {300, 0, 250, 25}},
        // The band height belongs to the section above: same depth, other tops.
        RectCase{"A/10(a1:50,a2:50),B/20(b1:50)", 250, 40, "a2", {50, 10, 100, 40}},
        RectCase{"A/10(a1:50,a2:50),B/20(b1:50)", 250, 40, "b1", {100, 20, 250, 40}},
        RectCase{"A/10(a1:50,a2:50),B/20(b1:50)", 250, 40, "B", {100, 0, 250, 20}},
        // A middle section spans exactly its leaves, at its own depth.
        RectCase{"X:10,M/5(N/6(n1:20,n2:30),m2:40),Y:10", 200, 30, "N", {10, 5, 60, 11}},
        RectCase{"X:10,M/5(N/6(n1:20,n2:30),m2:40),Y:10", 200, 30, "M", {10, 0, 100, 5}},
        RectCase{"X:10,M/5(N/6(n1:20,n2:30),m2:40),Y:10", 200, 30, "n2", {30, 11, 60, 30}},
        // Widths past the 32-bit range: edges are pinned, never wrapped.
        RectCase{"P/5(a:2147483647,b:2147483647,c:10)", 250, 25, "a", {0, 5, INT_MAX, 25}},
        RectCase{"P/5(a:2147483647,b:2147483647,c:10)", 250, 25, "b", {INT_MAX, 5, INT_MAX, 25}},
        RectCase{"P/5(a:2147483647,b:2147483647,c:10)", 250, 25, "c", {INT_MAX, 5, 250, 25}},
        RectCase{"P/5(a:2147483647,b:2147483647,c:10)", 250, 25, "P", {0, 0, 250, 5}},
        // Band heights summing past the range are pinned too.
        RectCase{"P/2147483647(Q/2147483647(q:10))", 250, 25, "Q", {0, INT_MAX, 250, INT_MAX}}));

struct HitCase {
    int x, y;
    const char* section; // "<none>" for none
    int column;
};

// P/17 over L1 (0..75) and L2 (75..250), client 250 x 25.
class SectionAtCases : public ::testing::TestWithParam<HitCase> {};

TEST_P(SectionAtCases, DeepestSectionAndTheColumnUnderThePointer) {
    const HitCase& c = GetParam();
    TestHeader t("P/17(L1:75,L2:75)", 250, 25);
    const TSectionHit hit = t.header.SectionAt(TPoint{c.x, c.y});
    EXPECT_EQ(CaptionOf(hit.Section), c.section) << c.x << "," << c.y;
    EXPECT_EQ(hit.Column, c.column);
    if (hit.Section != nullptr) {
        EXPECT_EQ(hit.Rect, t.header.SectionRect(hit.Section));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Points, SectionAtCases,
    ::testing::Values(HitCase{0, 0, "P", 0}, HitCase{100, 5, "P", 1}, HitCase{249, 16, "P", 1},
                      HitCase{10, 17, "L1", 0}, HitCase{74, 24, "L1", 0}, HitCase{75, 24, "L2", 1},
                      HitCase{249, 24, "L2", 1}, HitCase{-1, 5, "<none>", -1},
                      HitCase{250, 5, "<none>", -1}, HitCase{10, 25, "<none>", -1},
                      HitCase{10, -1, "<none>", -1}, HitCase{INT_MIN, INT_MIN, "<none>", -1},
                      HitCase{INT_MAX, INT_MAX, "<none>", -1}));

struct IrregularHit {
    int x, y;
    const char* section;
    int column;
    int armedColumn; // the column a width resize would change; -1 for none
};

// Columns a 0..100, b 100..50 (negative), c 50..80, d 80..84, e 84..300;
// R spans a and b (0..50), S spans c and d (50..84), both bands 0..10.
// The negative width makes the layout irregular: columns overlap, so the
// hit test must look past the first column that ends after the point.
class IrregularHits : public ::testing::TestWithParam<IrregularHit> {};

TEST_P(IrregularHits, NameTheColumnUnderThePointerAndArmItsResize) {
    const IrregularHit& c = GetParam();
    TestHeader t("R/10(a:100,b:-50),S/10(c:30,d:4),e:10", 300, 30);
    const TSectionHit hit = t.header.SectionAt(TPoint{c.x, c.y});
    EXPECT_EQ(CaptionOf(hit.Section), c.section) << c.x << "," << c.y;
    EXPECT_EQ(hit.Column, c.column) << c.x << "," << c.y;
    t.header.WMNCHitTest(t.window.ClientToScreen(TPoint{c.x, c.y}));
    t.header.WMSetCursor(1);
    EXPECT_EQ(t.header.ResizeAllowed() ? t.header.ResizeColumn() : -1, c.armedColumn)
        << c.x << "," << c.y;
}

INSTANTIATE_TEST_SUITE_P(
    Points, IrregularHits,
    ::testing::Values(
        // At the end of c (x = 80): c itself is behind the point, S goes on in d.
        IrregularHit{80, 5, "S", 3, 3}, IrregularHit{79, 5, "S", 2, 2},
        // Below the bands a reaches over c and d: the first column wins.
        IrregularHit{80, 20, "a", 0, -1}, IrregularHit{83, 20, "a", 0, -1},
        IrregularHit{99, 20, "a", 0, 0}, IrregularHit{100, 20, "e", 4, -1},
        IrregularHit{45, 5, "R", 0, 0}));

TEST(StrativGeometry, AreaNoSectionCoversIsEmpty) {
    TestHeader t("A/5(a:50),B/20(b:50)", 200, 10);
    // B's band is taller than the client, so its leaf starts below the
    // bottom and is empty: below B's band nothing is hit.
    EXPECT_EQ(CaptionOf(t.header.SectionAt(TPoint{60, 15}).Section), "B");
    EXPECT_EQ(CaptionOf(t.header.SectionAt(TPoint{60, 25}).Section), "<none>");
    EXPECT_EQ(t.header.SectionAt(TPoint{60, 25}).Column, -1);
}

TEST(StrativGeometry, NoSectionsMeansNoHitAndEmptyRectangles) {
    TestHeader t("", 250, 25);
    EXPECT_EQ(t.header.ColumnCount(), 0);
    EXPECT_EQ(t.header.SectionAt(TPoint{10, 10}).Section, nullptr);
    EXPECT_EQ(t.header.SectionAt(TPoint{10, 10}).Column, -1);
    const TRect root = t.header.SectionRect(t.header.Sections());
    EXPECT_EQ(root.Left, 0);
    EXPECT_EQ(root.Right, 0);
}

TEST(StrativGeometry, TheRootIsNeverHit) {
    TestHeader t("A:100", 250, 25);
    t.header.Sections()->StoreHeight(50); // would cover the top rows if it counted
    for (int y = 0; y < 25; ++y)
        EXPECT_EQ(CaptionOf(t.header.SectionAt(TPoint{5, y}).Section), "A");
}

// Widths written without a change report, and client size changes, show at
// once: the cached edges must notice them.
TEST(StrativGeometry, UnreportedChangesShowAtTheNextQuery) {
    TestHeader t("A:100,B:100,C:100", 400, 25);
    EXPECT_EQ(t.header.SectionRect(t["B"]), (TRect{100, 0, 200, 25}));

    t["A"]->SetWidth(50);
    EXPECT_EQ(t.header.SectionRect(t["B"]), (TRect{50, 0, 150, 25}));
    EXPECT_EQ(CaptionOf(t.header.SectionAt(TPoint{60, 5}).Section), "B");

    t.header.SetClientSize(300, 25);
    EXPECT_EQ(t.header.SectionRect(t["C"]), (TRect{150, 0, 300, 25}));

    // A section freed by an edit of the root's list, which reports nothing.
    t.header.Sections()->DeleteItem(t["B"]);
    EXPECT_EQ(t.header.ColumnCount(), 2);
    EXPECT_EQ(t.header.SectionRect(t["C"]), (TRect{50, 0, 300, 25}));
    EXPECT_EQ(CaptionOf(t.header.SectionAt(TPoint{60, 5}).Section), "C");

    // A child added under a leaf while its parent holds the reports back: the
    // index still lists the old leaf, and the geometry follows the index.
    TestHeader u("P(a:10,b:20)", 100, 30);
    u["P"]->BeginUpdate();
    u["a"]->Add("a1")->SetWidth(7);
    EXPECT_EQ(u.header.SectionRect(u["a"]), literal::SectionRect(u.header, u["a"]));
    EXPECT_EQ(u.header.SectionRect(u["b"]), (TRect{7, 17, 100, 30}));
    u["P"]->EndUpdate();
    EXPECT_EQ(u.header.SectionRect(u["a1"]), (TRect{0, 34, 7, 30}));
}

// --- Randomized comparison with the plain walk -------------------------------

TEST(StrativGeometry, CachedGeometryEqualsTheWalkAlongTheLeafList) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        RandomHeaders random(seed);
        TStrativ header;
        std::vector<std::unique_ptr<THeaderColumns>> detached;
        header.Sections()->Clear();
        random.Grow(header.Sections(), 0);
        header.Sections()->Changed(true);
        random.Reported(header);
        for (int round = 0; round < 25; ++round) {
            header.SetClientSize(random.Pick(0, 300), random.Pick(0, 40));
            std::vector<THeaderColumns*> sections = random.All(header.Sections());
            for (const auto& d : detached) {
                const auto below = random.All(d.get());
                sections.insert(sections.end(), below.begin(), below.end());
            }
            for (const THeaderColumns* s : sections)
                ASSERT_EQ(header.SectionRect(s), literal::SectionRect(header, s))
                    << "seed " << seed << " round " << round << " " << s->Caption();
            for (int p = 0; p < 60; ++p) {
                const TPoint point{random.Pick(-20, header.ClientWidth() + 20),
                                   random.Pick(-5, header.ClientHeight() + 5)};
                const TSectionHit ours = header.SectionAt(point);
                const TSectionHit plain = literal::SectionAt(header, point);
                ASSERT_EQ(ours.Section, plain.Section)
                    << "seed " << seed << " round " << round << " at " << point.X << "," << point.Y;
                ASSERT_EQ(ours.Column, plain.Column);
                ASSERT_EQ(ours.Rect, plain.Rect);
            }
            // Several edits between reads: a reported one followed by one that
            // reports nothing must leave the index at the report.
            for (int edits = random.Pick(1, 3); edits > 0; --edits)
                random.Edit(header, detached);
            ASSERT_TRUE(random.IndexAsRebuiltOnEveryReport(header))
                << "seed " << seed << " round " << round;
        }
    }
}

} // namespace

namespace {

// A width written costs the next query only the edges it reads; the spans
// are kept. A change of shape recomputes them.
TEST(ColumnLayoutReuse, WidthChangesKeepTheSpansShapeChangesDoNot) {
    THeaderColumns root;
    TLevels levels(&root);
    size_t pos = 0;
    AddSections(&root, "P(a:10,b:20),c:30", pos);
    root.Changed(true);
    TColumnLayout layout;
    layout.Refresh(levels, 100);
    layout.Refresh(levels, 100);
    EXPECT_EQ(layout.StructureComputations(), 1u);
    EXPECT_EQ(layout.EdgeResets(), 1u);

    FindSection(&root, "a")->SetWidth(15);
    layout.Refresh(levels, 100);
    EXPECT_EQ(layout.StructureComputations(), 1u);
    EXPECT_EQ(layout.EdgeResets(), 2u);
    EXPECT_EQ(layout.ColumnEnd(1), 35);

    layout.Refresh(levels, 90);
    EXPECT_EQ(layout.StructureComputations(), 1u);
    EXPECT_EQ(layout.ColumnEnd(2), 90);

    FindSection(&root, "a")->SetWidth(-1); // breaks the order of the edges
    layout.Refresh(levels, 90);
    EXPECT_EQ(layout.StructureComputations(), 2u);
    EXPECT_FALSE(layout.Regular());

    root.GetLastChild()->SetIndex(0); // unreported: the index keeps its order
    layout.Refresh(levels, 90);
    EXPECT_EQ(layout.StructureComputations(), 3u);
    int64_t left = 0, right = 0;
    layout.Span(FindSection(&root, "P"), left, right);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 19);
}

} // namespace

// The header as UI Automation reads it: grid cells of sections, the section
// in each cell, numbers that follow sections through edits, and widths set
// outright through the keyboard's path.

#include "support/KeyTable.h"
#include "support/StrativPointerFixture.h"

#include "core/control/HeaderGrid.h"
#include "core/model/SectionSerials.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace corvane;
using namespace corvane::testing;

namespace {

// Columns: First, Last, Phone, Qty, Date, Notes; three levels.
TEST(HeaderGrid, CellsSpansAndTheSectionInEachCell) {
    TestHeader t(KeyTableTree, KeyTableClientWidth, KeyTableClientHeight);
    TStrativ& h = t.header;
    EXPECT_EQ(GridRowCount(h), 3);
    EXPECT_EQ(GridColumnCount(h), 6);
    struct Cell {
        const char* section;
        int row, column, rowSpan, columnSpan;
    };
    const Cell cells[] = {
        {"Customer", 0, 0, 1, 3}, {"Name", 1, 0, 1, 2},  {"First", 2, 0, 1, 1},
        {"Last", 2, 1, 1, 1},     {"Phone", 1, 2, 2, 1}, {"Order", 0, 3, 1, 2},
        {"Qty", 1, 3, 2, 1},      {"Date", 1, 4, 2, 1},  {"Notes", 0, 5, 3, 1},
    };
    for (const Cell& c : cells) {
        const TGridCell cell = GridCellOf(h, t[c.section]);
        EXPECT_EQ(cell.Row, c.row) << c.section;
        EXPECT_EQ(cell.Column, c.column) << c.section;
        EXPECT_EQ(cell.RowSpan, c.rowSpan) << c.section;
        EXPECT_EQ(cell.ColumnSpan, c.columnSpan) << c.section;
        // Every cell a section covers names it back.
        for (int r = c.row; r < c.row + c.rowSpan; ++r)
            for (int col = c.column; col < c.column + c.columnSpan; ++col)
                EXPECT_EQ(GridItemAt(h, r, col), t[c.section]) << r << "," << col;
    }
    const int outside[][2] = {{-1, 0}, {3, 0}, {0, -1}, {0, 6}};
    for (const auto& rc : outside)
        EXPECT_EQ(GridItemAt(h, rc[0], rc[1]), nullptr) << rc[0] << "," << rc[1];
    TestHeader other("Stranger", 100, 20);
    EXPECT_EQ(GridCellOf(h, other["Stranger"]).Row, -1);
    EXPECT_EQ(GridCellOf(h, h.Sections()).Row, -1) << "the root is no cell";
    EXPECT_EQ(GridCellOf(h, nullptr).Row, -1);

    // A move changes the cells once the index hears of it (a top-level
    // edit reports when the root says so).
    t["Notes"]->SetIndex(0);
    h.Sections()->Changed(true);
    EXPECT_EQ(GridCellOf(h, t["Customer"]).Column, 1);
    EXPECT_EQ(GridItemAt(h, 2, 0), t["Notes"]);
}

TEST(SectionSerials, ANumberFollowsItsSectionAndIsNeverGivenTwice) {
    TestHeader t(KeyTableTree, KeyTableClientWidth, KeyTableClientHeight);
    TSectionSerials serials;
    const char* names[] = {"Customer", "Name", "First", "Last", "Phone",
                           "Order",    "Qty",  "Date",  "Notes"};
    std::set<int> seen;
    for (const char* name : names)
        EXPECT_TRUE(seen.insert(serials.SerialOf(t[name])).second) << name;
    const int first = serials.SerialOf(t["First"]);
    const int notes = serials.SerialOf(t["Notes"]);
    // Moves, and other sections coming and going, keep the numbers.
    t["First"]->SetParent(t["Order"]);
    t["Notes"]->SetIndex(0);
    t.header.Sections()->DeleteItem(t["Customer"]);
    EXPECT_EQ(serials.SerialOf(t["First"]), first);
    EXPECT_EQ(serials.SerialOf(t["Notes"]), notes);
    EXPECT_EQ(serials.Count(), 5u) << "Customer, Name, Last and Phone went";
    // New sections (perhaps at a freed section's address) get new numbers.
    for (int i = 0; i < 8; ++i) {
        THeaderColumns* added = t.header.Sections()->Add("New");
        EXPECT_TRUE(seen.insert(serials.SerialOf(added)).second) << i;
        t.header.Sections()->DeleteItem(added);
    }
}

class HeaderResizeTo : public StrativPointer {};

TEST_F(HeaderResizeTo, SetsTheWidthAsTheKeysDo) {
    struct Case {
        const char* section;
        int64_t width;
        Log events;
        const char* leafWidths; // First, Last, Phone, Qty, Date, Notes
    };
    const Case cases[] = {
        {"First", 120, {"OnSizing First 0 120", "OnSized First 0 120"}, "120,85,70,65,90,110"},
        {"Customer",
         250,
         {"OnSizing Customer 2 80", "OnSized Customer 2 80"},
         "85,85,80,65,90,110"},
        {"Customer", 100, {"OnSizing Customer 2 8", "OnSized Customer 2 8"}, "85,85,8,65,90,110"},
        {"Qty", 65, {}, "85,85,70,65,90,110"},
        {"Notes",
         int64_t{1} << 40,
         {"OnSizing Notes 5 2147483647", "OnSized Notes 5 2147483647"},
         "85,85,70,65,90,2147483647"},
    };
    for (const Case& c : cases) {
        Make(KeyTableTree, KeyTableClientWidth, KeyTableClientHeight);
        H().ResizeSectionTo(S(c.section), c.width);
        EXPECT_EQ(LinesStartingWith(Take(), {"OnSiz"}), c.events) << c.section << " " << c.width;
        std::string widths;
        for (int i = 0; i < H().Levels().LeafCount(); ++i)
            widths += (i > 0 ? "," : "") + std::to_string(H().Levels().Leaf(i)->Width());
        EXPECT_EQ(widths, c.leafWidths) << c.section << " " << c.width;
    }
}

} // namespace

// What assistive technology is given: the sections in tree order with their
// paths and whether they are shown, and the changes it is told about.

#include "support/KeyTable.h"
#include "support/StrativPointerFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace corvane;
using namespace corvane::testing;

namespace {

Log Announcements(const Log& log) {
    return LinesStartingWith(log, {"Accessible"});
}

TEST(StrativAccessibleChildren, OneChildPerSectionInTreeOrder) {
    TestHeader t(KeyTableTree, KeyTableClientWidth, KeyTableClientHeight);
    TStrativ& h = t.header;
    const std::vector<std::string> order = {"Customer", "Name", "First", "Last", "Phone",
                                            "Order",    "Qty",  "Date",  "Notes"};
    ASSERT_EQ(h.AccessibleChildCount(), static_cast<int>(order.size()));
    for (size_t i = 0; i < order.size(); ++i) {
        const int id = static_cast<int>(i) + 1;
        EXPECT_EQ(CaptionOf(h.AccessibleChild(id)), order[i]);
        EXPECT_EQ(h.AccessibleChildId(t[order[i]]), id);
    }
    EXPECT_EQ(h.AccessibleChild(0), nullptr);
    EXPECT_EQ(h.AccessibleChild(10), nullptr);
    EXPECT_EQ(h.AccessibleChild(-1), nullptr);
    EXPECT_EQ(h.AccessibleChildId(h.Sections()), 0) << "the root is never a child";
    EXPECT_EQ(h.AccessibleChildId(nullptr), 0);
    TestHeader other("Stranger", 100, 20);
    EXPECT_EQ(h.AccessibleChildId(other["Stranger"]), 0);

    // The order follows edits.
    t["Order"]->SetIndex(0);
    EXPECT_EQ(CaptionOf(h.AccessibleChild(1)), "Order");
    EXPECT_EQ(h.AccessibleChildId(t["Customer"]), 4);
    t.header.Sections()->DeleteItem(t["Customer"]);
    EXPECT_EQ(h.AccessibleChildCount(), 4);
}

TEST(StrativAccessibleChildren, PathNamesEverySectionFromTheTop) {
    TestHeader t(KeyTableTree, KeyTableClientWidth, KeyTableClientHeight);
    EXPECT_EQ(TStrativ::SectionPath(t["First"]), "Customer, Name, First");
    EXPECT_EQ(TStrativ::SectionPath(t["Name"]), "Customer, Name");
    EXPECT_EQ(TStrativ::SectionPath(t["Notes"]), "Notes");
    EXPECT_EQ(TStrativ::SectionPath(t.header.Sections()), "");
    EXPECT_EQ(TStrativ::SectionPath(nullptr), "");
}

TEST(StrativAccessibleChildren, ShownWhenSomeOfItIsPainted) {
    struct Case {
        const char* tree;
        int width, height;
        const char* section;
        bool shown;
    };
    const Case cases[] = {
        {"A:100,P/10(B:100,C:100),D:100", 250, 30, "A", true},
        {"A:100,P/10(B:100,C:100),D:100", 250, 30, "P", true},
        {"A:100,P/10(B:100,C:100),D:100", 250, 30, "C", true},  // cut at the edge
        {"A:100,P/10(B:100,C:100),D:100", 250, 30, "D", false}, // right of the edge
        {"A:100,B:100", 101, 30, "B", false}, // A came within 2 pixels: B is not painted
        {"A:100,B:100", 103, 30, "B", true},
        {"Q/40(E:50),F:50", 200, 30, "Q", true},
        {"Q/40(E:50),F:50", 200, 30, "E", false},      // its band lies below the bottom
        {"Q/18(E/5(G:50)),F:50", 200, 18, "E", false}, // its band starts at the bottom
        {"Q/17(E/5(G:50)),F:50", 200, 18, "E", true},
        {"A:100,B:100", 0, 30, "A", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.tree) + " " + c.section + " at " + std::to_string(c.width));
        TestHeader t(c.tree, c.width, c.height);
        EXPECT_EQ(t.header.SectionShown(t[c.section]), c.shown);
    }
    TestHeader t("A", 100, 20);
    EXPECT_FALSE(t.header.SectionShown(t.header.Sections()));
    EXPECT_FALSE(t.header.SectionShown(nullptr));
}

// --- Announcements ------------------------------------------------------------------

TEST_F(StrativPointer, ChangesAreAnnouncedOnceAndOnlyWhenTheyHappened) {
    struct Step {
        const char* name;
        void (*change)(TestHeader& mine, TestHeader& other);
        Log expected;
    };
    Make("P/10(A:40,B:60),C:50", 300, 30);
    TestHeader other("Z", 100, 20);
    H().NoteAccessibleChanges(); // the first look only takes note
    EXPECT_EQ(Announcements(Take()), Log{});

    const Step steps[] = {
        {"nothing changed", [](TestHeader&, TestHeader&) {}, {}},
        {"a caption",
         [](TestHeader& t, TestHeader&) { t["A"]->SetCaption("Alpha"); },
         {"Accessible NameChange Alpha"}},
        {"the same caption written again",
         [](TestHeader& t, TestHeader&) { t["B"]->SetCaption("B"); },
         {}},
        {"another header's sections",
         [](TestHeader&, TestHeader& o) {
             o["Z"]->SetCaption("Y");
             o.header.Sections()->Add("New");
         },
         {}},
        {"a section added",
         [](TestHeader& t, TestHeader&) { t["P"]->Add("D"); },
         {"Accessible Location P", "Accessible Location C", "Accessible Reorder <header>"}},
        {"sections moved and one renamed",
         [](TestHeader& t, TestHeader&) {
             t["C"]->SetIndex(0);
             t["C"]->SetCaption("Sea");
         },
         {"Accessible NameChange Sea", "Accessible Reorder <header>"}},
        {"a section moved to another header and renamed there",
         [](TestHeader& t, TestHeader& o) {
             THeaderColumns* sea = t["Sea"];
             sea->SetParent(o.header.Sections());
             sea->SetCaption("Gone");
         },
         {"Accessible Reorder <header>"}},
        {"a width",
         [](TestHeader& t, TestHeader&) { t["B"]->SetWidth(10); },
         {"Accessible Location P", "Accessible Location B", "Accessible Location D"}},
        {"a band height",
         [](TestHeader& t, TestHeader&) { t["P"]->SetHeight(12); },
         {"Accessible Location P", "Accessible Location Alpha", "Accessible Location B",
          "Accessible Location D"}},
        {"the client size",
         [](TestHeader& t, TestHeader&) { t.header.SetWidth(250); },
         {"Accessible Location P", "Accessible Location D"}},
        {"clicking switched off",
         [](TestHeader& t, TestHeader&) { t.header.SetOptions(t.header.Options() & ~hoClick); },
         {"Accessible DefaultAction P", "Accessible DefaultAction Alpha",
          "Accessible DefaultAction B", "Accessible DefaultAction D"}},
        {"the header disabled", [](TestHeader& t, TestHeader&) { t.header.SetEnabled(false); }, {}},
        {"enabled with clicking on",
         [](TestHeader& t, TestHeader&) {
             t.header.SetEnabled(true);
             t.header.SetOptions(t.header.Options() | hoClick);
         },
         {"Accessible DefaultAction P", "Accessible DefaultAction Alpha",
          "Accessible DefaultAction B", "Accessible DefaultAction D"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.change(*t_, other);
        H().NoteAccessibleChanges();
        EXPECT_EQ(Announcements(Take()), step.expected);
    }
}

TEST_F(StrativPointer, FocusMovedByAnEditIsAnnounced) {
    Make("A:40,B:60,C:50", 300, 30);
    H().FocusEnter();
    H().SetFocusedSection(S("B"));
    H().NoteAccessibleChanges();
    Take();
    H().Sections()->DeleteItem(S("B"));
    H().NoteAccessibleChanges();
    EXPECT_EQ(Announcements(Take()),
              (Log{"Accessible Location C", "Accessible Reorder <header>", "Accessible Focus C"}));
    H().NoteAccessibleChanges();
    EXPECT_EQ(Announcements(Take()), Log{});
}

// Alt+Right keeps the focus on its section but gives it another child id: a
// client that kept the old id would read the section now there.
TEST_F(StrativPointer, FocusGivenAnotherIdByAMoveIsAnnounced) {
    Make("A:40,B:60,C:50", 300, 30);
    H().FocusEnter();
    H().SetFocusedSection(S("A"));
    H().NoteAccessibleChanges();
    Take();
    ASSERT_TRUE(H().KeyDown(vkRight, ssAlt));
    H().NoteAccessibleChanges();
    EXPECT_EQ(Announcements(Take()), (Log{"Accessible Location A", "Accessible Location B",
                                          "Accessible Reorder <header>", "Accessible Focus A"}));
    EXPECT_EQ(H().AccessibleChildId(S("A")), 2);
}

} // namespace

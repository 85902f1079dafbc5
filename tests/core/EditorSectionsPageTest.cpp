// The "Sections Property" page: copies between a section tree and the tree
// view, the property controls, the item and key commands, the filter.

#include "core/editor/SectionsPage.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"
#include "support/EditorFakes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace corvane;
using namespace corvane::editor;
using namespace corvane::editor::testing;

namespace {

class SectionsPage : public ::testing::Test {
protected:
    SectionsPage() {
        // Group(A 75, B 75) and C 40 right-aligned, word-wrapped, tagged 7.
        root.SetOnChange(TChangeHandler::Bind<SectionsPage, &SectionsPage::Report>(this));
        THeaderColumns* group = root.Add("Group");
        group->SetHeight(20);
        group->SetTypeCol(3);
        group->Add("A");
        group->Add("B")->SetAlignment(taCenter);
        THeaderColumns* c = root.Add("C");
        c->SetWidth(40);
        c->SetAlignment(taRightJustify);
        c->SetWordwrap(true);
        c->SetTypeCol(7);
        reports = 0;
    }
    void Report(THeaderColumns*) { ++reports; }

    TTreeNode* Item(const std::string& text) const {
        for (TTreeNode* n = page.Headers.First(); n != nullptr; n = n->Next())
            if (n->Text() == text)
                return n;
        return nullptr;
    }
    // What the property controls show.
    std::string Controls() const {
        return page.widthEdit.Text() + "|" + page.HeightEdit.Text() + "|" +
               page.AlignGroup.Items()[static_cast<size_t>(page.AlignGroup.ItemIndex())] + "|" +
               (page.WordWrap.Checked() ? "wrap" : "nowrap");
    }

    THeaderColumns root;
    int reports = 0;
    bool dirty = false;
    TSectionsPage page{dirty};
    FakeTreePort port{page.Headers};
};

TEST_F(SectionsPage, CopySectionsToTreeMakesAPreOrderCopyWithComputedWidthsAndTypes) {
    page.CopySectionsToTree(root);
    EXPECT_EQ(Describe(page.Headers), "Group 150x20 a0 t3\n"
                                      "  A 75x17 a0 t0\n"
                                      "  B 75x17 a2 t0\n"
                                      "C 40x17 a1 wrap t7\n");
    EXPECT_EQ(port.fills, 1);
    EXPECT_EQ(port.fillsEnded, 1);
    EXPECT_EQ(port.expands, 1);
    EXPECT_EQ(reports, 0); // reading the tree reports nothing

    page.CopySectionsToTree(root); // a second load replaces the items
    EXPECT_EQ(page.Headers.TotalCount(), 4u);
}

TEST_F(SectionsPage, RoundTripKeepsEverySectionValueIncludingTheTypeTags) {
    const std::string before = Describe(root);
    page.CopySectionsToTree(root);
    page.CopyTreeToSections(root);
    EXPECT_EQ(Describe(root), before);
    EXPECT_EQ(reports, 1); // one Changed(true) for the whole tree
    EXPECT_EQ(root.UpdateCount(), 0);
}

TEST_F(SectionsPage, RebuiltTreeReachesTheIndexThroughOneChange) {
    THeaderColumns tree;
    TLevels levels(&tree);
    tree.Add("only");
    tree.Changed(true);
    page.CopySectionsToTree(root);
    page.CopyTreeToSections(tree);
    EXPECT_EQ(levels.LeafCount(), 3);
}

TEST_F(SectionsPage, EmptyTreeLeavesTheSectionsAsTheyWere) {
    page.CopySectionsToTree(root);
    page.Headers.Select(page.Headers.First());
    while (page.Headers.Count() > 0)
        page.DeleteBtnClick();
    const std::string before = Describe(root);
    page.CopyTreeToSections(root);
    EXPECT_EQ(Describe(root), before);
    EXPECT_EQ(reports, 0);
}

TEST_F(SectionsPage, ParentWhoseChildrenAreDeletedBecomesALeafOfItsComputedWidth) {
    page.CopySectionsToTree(root);
    page.Headers.Select(Item("A"));
    page.DeleteBtnClick();
    page.Headers.Select(Item("B"));
    page.DeleteBtnClick();
    page.CopyTreeToSections(root);
    EXPECT_EQ(Describe(root), "Group 150x20 a0 t3\nC 40x17 a1 wrap t7\n");
}

TEST_F(SectionsPage, ZeroWidthStaysAndZeroHeightBecomesTwoWhenCopiedBack) {
    page.CopySectionsToTree(root);
    page.Headers.Select(Item("C"));
    page.widthEdit.UserSetText("");
    EXPECT_EQ(page.widthEdit.Text(), "0"); // at once
    page.HeightEdit.UserSetText("");
    EXPECT_EQ(page.HeightEdit.Text(), "0");
    EXPECT_EQ(Item("C")->Data.Width, 0);
    EXPECT_EQ(Item("C")->Data.Height, 0); // the record takes it; the clamp comes later
    page.CopyTreeToSections(root);
    EXPECT_EQ(root.Items(1)->Width(), 0);
    EXPECT_EQ(root.Items(1)->Height(), 2);
}

struct TextCase {
    const char* typed;
    int storedWidth; // what the record holds afterwards (it held 40)
    const char* shown;
};

class SectionsPageWidthText : public SectionsPage,
                              public ::testing::WithParamInterface<TextCase> {};

TEST_P(SectionsPageWidthText, StoresWhatConvertsAndLeavesTheRestAlone) {
    page.CopySectionsToTree(root);
    page.Headers.Select(Item("C"));
    dirty = false;
    page.widthEdit.UserSetText(GetParam().typed);
    EXPECT_EQ(Item("C")->Data.Width, GetParam().storedWidth);
    EXPECT_EQ(page.widthEdit.Text(), GetParam().shown);
    EXPECT_TRUE(dirty);
    page.widthEditExit(); // leaving the field stores the same again
    EXPECT_EQ(Item("C")->Data.Width, GetParam().storedWidth);
}

INSTANTIATE_TEST_SUITE_P(Texts, SectionsPageWidthText,
                         ::testing::Values(TextCase{"120", 120, "120"}, TextCase{"", 0, "0"},
                                           TextCase{"-7", -7, "-7"}, TextCase{"12x", 40, "12x"},
                                           TextCase{"99999999999", 40, "99999999999"}));

TEST_F(SectionsPage, WithNothingSelectedEditsStoreNothingAndEmptyStaysEmpty) {
    page.CopySectionsToTree(root);
    page.HeadersClick();
    EXPECT_EQ(Controls(), "||Left|nowrap");
    page.widthEdit.UserSetText("5");
    page.widthEdit.UserSetText("");
    EXPECT_EQ(page.widthEdit.Text(), "");
    page.HeightEdit.UserExit();
    EXPECT_EQ(page.HeightEdit.Text(), "");
    EXPECT_EQ(Describe(page.Headers), "Group 150x20 a0 t3\n"
                                      "  A 75x17 a0 t0\n"
                                      "  B 75x17 a2 t0\n"
                                      "C 40x17 a1 wrap t7\n");
}

TEST_F(SectionsPage, SelectingLoadsTheRecordAndSetsDirtyEvenWithoutAnEdit) {
    page.CopySectionsToTree(root);
    dirty = false;
    page.Headers.UserSelect(Item("C"));
    EXPECT_EQ(Controls(), "40|17|Right|wrap");
    EXPECT_TRUE(dirty);
    page.Headers.UserSelect(Item("B"));
    EXPECT_EQ(Controls(), "75|17|Center|nowrap");
    page.AlignGroup.UserSetItemIndex(1);
    page.WordWrap.UserSetChecked(true);
    EXPECT_EQ(Describe(page.Headers), "Group 150x20 a0 t3\n"
                                      "  A 75x17 a0 t0\n"
                                      "  B 75x17 a1 wrap t0\n"
                                      "C 40x17 a1 wrap t7\n");
}

TEST_F(SectionsPage, DeletingTheLastItemLeavesItsValuesShownAndLaterEditsStoreNothing) {
    root.Clear();
    root.Add("Only")->SetWidth(33);
    page.CopySectionsToTree(root);
    page.Headers.Select(page.Headers.First());
    page.DeleteBtnClick();
    EXPECT_EQ(page.Headers.Selected(), nullptr);
    EXPECT_EQ(Controls(), "33|17|Left|nowrap");
    page.widthEdit.UserSetText("");
    EXPECT_EQ(page.widthEdit.Text(), "");
}

TEST_F(SectionsPage, DeletingMovesTheSelectionToNextSiblingElseParentElsePrevious) {
    page.CopySectionsToTree(root);
    page.Headers.Select(Item("A"));
    page.DeleteBtnClick();
    EXPECT_EQ(page.Headers.Selected(), Item("B")); // next sibling
    page.DeleteBtnClick();
    EXPECT_EQ(page.Headers.Selected(), Item("Group")); // the parent
    page.Headers.Select(Item("C"));
    page.DeleteBtnClick();
    EXPECT_EQ(page.Headers.Selected(), Item("Group")); // previous sibling
    EXPECT_EQ(port.selectionShown, Item("Group"));
    EXPECT_EQ(page.Headers.TotalCount(), 1u);
}

struct AncestorDeleteCase {
    const char* name;
    const char* selected;
    const char* deleted;       // an ancestor of the selected item
    const char* selectedAfter; // nullptr: nothing selected
};

class SectionsPageAncestorDelete : public SectionsPage,
                                   public ::testing::WithParamInterface<AncestorDeleteCase> {};

TEST_P(SectionsPageAncestorDelete, SelectionMovesToALiveItemAndItsValuesAreShown) {
    // Group(A(X), B(Y)), C(D): grand-children, and a group that is last.
    root.Items(0)->Items(0)->Add("X");
    root.Items(0)->Items(1)->Add("Y");
    root.Items(1)->Add("D")->SetWidth(61);
    page.CopySectionsToTree(root);
    const AncestorDeleteCase& c = GetParam();
    page.Headers.Select(Item(c.selected));
    page.Headers.Delete(Item(c.deleted));
    TTreeNode* const expected = c.selectedAfter != nullptr ? Item(c.selectedAfter) : nullptr;
    EXPECT_EQ(page.Headers.Selected(), expected);
    EXPECT_EQ(port.selectionShown, expected);
    EXPECT_EQ(Item(c.deleted), nullptr);
    if (expected != nullptr) { // the new selection was loaded (reads the live record)
        EXPECT_EQ(page.widthEdit.Text(), std::to_string(expected->Data.Width));
    }
    // Edits go to the live item, if any, and never to a freed one.
    page.widthEdit.UserSetText("99");
    if (expected != nullptr) {
        EXPECT_EQ(expected->Data.Width, 99);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SectionsPageAncestorDelete,
    ::testing::Values(AncestorDeleteCase{"ParentToItsNextSibling", "A", "Group", "C"},
                      AncestorDeleteCase{"GrandParentToItsNextSibling", "X", "Group", "C"},
                      AncestorDeleteCase{"InnerParentToItsNextSibling", "X", "A", "B"},
                      AncestorDeleteCase{"LastChildToItsParent", "Y", "B", "Group"},
                      AncestorDeleteCase{"LastGroupToItsPreviousSibling", "D", "C", "Group"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(SectionsPage, DeletingTheOnlyGroupOfTheSelectedItemLeavesNothingSelected) {
    root.Clear();
    root.Add("Only")->Add("Child");
    page.CopySectionsToTree(root);
    page.Headers.Select(Item("Child"));
    page.Headers.Delete(Item("Only"));
    EXPECT_EQ(page.Headers.Selected(), nullptr);
    EXPECT_EQ(page.Headers.TotalCount(), 0u);
    page.widthEdit.UserSetText("5"); // stores nowhere
}

TEST_F(SectionsPage, ClearedNumberTurnsIntoASelectedZeroSoTheNextDigitReplacesIt) {
    page.CopySectionsToTree(root);
    page.Headers.Select(Item("C"));
    for (TEditModel* edit : {&page.widthEdit, &page.HeightEdit}) {
        const int before = edit->SelectAllRequests();
        edit->UserSetText("");
        EXPECT_EQ(edit->Text(), "0");
        EXPECT_EQ(edit->SelectAllRequests(), before + 1);
        edit->UserSetText("5"); // what a typed 5 over the selection gives
        EXPECT_EQ(edit->SelectAllRequests(), before + 1);
    }
    EXPECT_EQ(Item("C")->Data.Width, 5);
    EXPECT_EQ(Item("C")->Data.Height, 5);
    // With nothing selected the empty text stays and nothing is selected.
    page.Headers.Select(nullptr);
    const int before = page.widthEdit.SelectAllRequests();
    page.widthEdit.UserSetText("");
    EXPECT_EQ(page.widthEdit.SelectAllRequests(), before);
}

TEST_F(SectionsPage, NewItemHasTheDefaultsAndIsSelectedAtOnce) {
    page.CopySectionsToTree(root);
    page.Headers.Select(Item("A"));
    page.AddBtnClick();
    TTreeNode* added = page.Headers.Selected();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Parent(), Item("Group"));
    EXPECT_EQ(added->Index(), 2); // last sibling of A
    EXPECT_EQ(added->Text(), "");
    EXPECT_EQ(Controls(), "75|17|Left|nowrap");
    EXPECT_EQ(added->Data, TSectionItemData{});
    EXPECT_EQ(page.Headers.FocusRequests(), 1);

    page.Headers.Select(Item("C"));
    page.AddSubbtnClick();
    EXPECT_EQ(page.Headers.Selected()->Parent(), Item("C"));
}

struct KeyCase {
    const char* name;
    const char* selected; // nullptr: nothing selected
    int key;
    TShiftState shift;
    // The tree afterwards, as "caption@parent" of the selected item, and items.
    const char* selectedAfter;
    size_t itemsAfter;
};

class SectionsPageKeys : public SectionsPage, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(SectionsPageKeys, KeyCommands) {
    const KeyCase& c = GetParam();
    page.CopySectionsToTree(root);
    if (c.selected != nullptr)
        page.Headers.Select(Item(c.selected));
    int key = c.key;
    page.Headers.UserKeyDown(key, c.shift);
    EXPECT_EQ(key, c.key); // not consumed
    const TTreeNode* s = page.Headers.Selected();
    const std::string after =
        s == nullptr ? "none"
                     : s->Text() + "@" + (s->Parent() != nullptr ? s->Parent()->Text() : "top");
    EXPECT_EQ(after, c.selectedAfter);
    EXPECT_EQ(page.Headers.TotalCount(), c.itemsAfter);
}

INSTANTIATE_TEST_SUITE_P(Keys, SectionsPageKeys,
                         ::testing::Values(KeyCase{"F3AddsSibling", "A", KeyF3, 0, "@Group", 5},
                                           KeyCase{"F3WithShiftAltStillSibling", "A", KeyF3,
                                                   ssShift | ssAlt, "@Group", 5},
                                           KeyCase{"CtrlF3AddsChild", "A", KeyF3, ssCtrl, "@A", 5},
                                           KeyCase{"CtrlF3NothingSelectedAddsTopLevel", nullptr,
                                                   KeyF3, ssCtrl, "@top", 5},
                                           KeyCase{"F4Deletes", "Group", KeyF4, 0, "C@top", 1},
                                           KeyCase{"F4NothingSelected", nullptr, KeyF4, 0, "none",
                                                   4},
                                           KeyCase{"OtherKey", "C", 'A', 0, "C@top", 4}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(SectionsPage, F3OnAnEmptyTreeAddsATopLevelItem) {
    int key = KeyF3;
    page.Headers.UserKeyDown(key, 0);
    ASSERT_EQ(page.Headers.Count(), 1);
    EXPECT_EQ(page.Headers.Selected(), page.Headers.First());
    EXPECT_TRUE(dirty);
}

TEST_F(SectionsPage, EnterLoadsAndGoesToTheWidthEditUnlessACaptionIsBeingEdited) {
    page.CopySectionsToTree(root);
    page.Headers.Select(Item("C"));
    int key = KeyF2;
    page.Headers.UserKeyDown(key, 0);
    ASSERT_EQ(port.editing, Item("C"));
    page.widthEdit.SetText("1");
    key = KeyEnter;
    page.Headers.UserKeyDown(key, 0); // editing: Enter belongs to the edit
    EXPECT_EQ(page.widthEdit.FocusRequests(), 0);
    port.Accept("");
    EXPECT_EQ(Item("")->Data.TypeCol, 7); // an empty caption is accepted
    page.Headers.UserKeyDown(key, 0);
    EXPECT_EQ(page.widthEdit.Text(), "1"); // stored 1 into C before; reloaded
    EXPECT_EQ(page.widthEdit.FocusRequests(), 1);
}

TEST_F(SectionsPage, CancelledCaptionEditChangesNothingAcceptedOneSetsDirty) {
    page.CopySectionsToTree(root);
    page.Headers.Select(Item("C"));
    dirty = false;
    page.Headers.EditText(Item("C"));
    port.CancelEdit();
    EXPECT_FALSE(dirty);
    EXPECT_NE(Item("C"), nullptr);
    page.Headers.EditText(Item("C"));
    port.Accept("Total");
    EXPECT_TRUE(dirty);
    EXPECT_NE(Item("Total"), nullptr);
    EXPECT_FALSE(page.Headers.IsEditing());
}

TEST_F(SectionsPage, SelectionChangeWhileEditingDoesNotReload) {
    page.CopySectionsToTree(root);
    page.Headers.Select(Item("C"));
    page.Headers.EditText(Item("C"));
    page.Headers.UserSelect(Item("A"));
    EXPECT_EQ(Controls(), "40|17|Right|wrap");
}

struct MoveCase {
    const char* name;
    const char* selected;
    bool down;
    const char* order; // captions in pre-order afterwards
    bool dirty;
};

class SectionsPageMoves : public SectionsPage, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(SectionsPageMoves, MovesStayUnderTheSameParentAndKeepSelectionAndRecords) {
    const MoveCase& c = GetParam();
    page.CopySectionsToTree(root);
    page.Headers.Select(Item(c.selected));
    const TSectionItemData data = Item(c.selected)->Data;
    const int changesBefore = port.inserts;
    dirty = false;
    if (c.down)
        page.MovedownBtnClick();
    else
        page.MoveUpBtnClick();
    std::string order;
    for (TTreeNode* n = page.Headers.First(); n != nullptr; n = n->Next())
        order += n->Text() + (n->Count() > 0 ? "(" : " ");
    EXPECT_EQ(order, c.order);
    EXPECT_EQ(dirty, c.dirty);
    EXPECT_EQ(page.Headers.Selected(), Item(c.selected));
    EXPECT_EQ(port.selectionShown, Item(c.selected));
    EXPECT_EQ(Item(c.selected)->Data, data);
    EXPECT_EQ(port.inserts > changesBefore, c.dirty);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, SectionsPageMoves,
    ::testing::Values(MoveCase{"UpFirstChild", "A", false, "Group(A B C ", false},
                      MoveCase{"DownLastChild", "B", true, "Group(A B C ", false},
                      MoveCase{"UpSecondChild", "B", false, "Group(B A C ", true},
                      MoveCase{"DownFirstChild", "A", true, "Group(B A C ", true},
                      MoveCase{"DownGroupWithChildren", "Group", true, "C Group(A B ", true},
                      MoveCase{"UpLastTopLevel", "C", false, "C Group(A B ", true},
                      MoveCase{"DownLastTopLevel", "C", true, "Group(A B C ", false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(SectionsPage, MoveDeleteWithNothingSelectedDoNothing) {
    page.CopySectionsToTree(root);
    page.MoveUpBtnClick();
    page.MovedownBtnClick();
    page.DeleteBtnClick();
    EXPECT_FALSE(dirty);
    EXPECT_EQ(page.Headers.TotalCount(), 4u);
}

struct KeyPressCase {
    char typed;
    char passed;
    bool dirty;
};

class SectionsPageKeyFilter : public SectionsPage,
                              public ::testing::WithParamInterface<KeyPressCase> {};

TEST_P(SectionsPageKeyFilter, DigitsAndBackspacePassEverythingElseIsDiscarded) {
    char key = GetParam().typed;
    page.widthEditKeyPress(key);
    EXPECT_EQ(key, GetParam().passed);
    EXPECT_EQ(dirty, GetParam().dirty);
    EXPECT_EQ(page.HeightEdit.UserKeyPress(GetParam().typed), GetParam().passed);
}

INSTANTIATE_TEST_SUITE_P(Keys, SectionsPageKeyFilter,
                         ::testing::Values(KeyPressCase{'0', '0', true},
                                           KeyPressCase{'9', '9', true}, KeyPressCase{8, 8, false},
                                           KeyPressCase{'-', 0, false}, KeyPressCase{'a', 0, false},
                                           KeyPressCase{' ', 0, false}, KeyPressCase{13, 0, false},
                                           KeyPressCase{'/', 0, false},
                                           KeyPressCase{':', 0, false}));

TEST_F(SectionsPage, CopyTreeToSectionsClosesTheBracketAndReportsWhenBuildingFails) {
    page.CopySectionsToTree(root);
    // The first report fails: A's new height reports through the group being
    // built (the root's own reports are silenced until the end).
    page.Headers.Select(Item("A"));
    page.HeightEdit.UserSetText("30");
    struct Failing {
        int calls = 0;
        void Report(THeaderColumns*) {
            if (++calls == 1)
                throw std::runtime_error("boom");
        }
    } failing;
    THeaderColumns target;
    target.Add("old");
    target.SetOnChange(TChangeHandler::Bind<Failing, &Failing::Report>(&failing));
    EXPECT_THROW(page.CopyTreeToSections(target), std::runtime_error);
    EXPECT_EQ(target.UpdateCount(), 0);
    EXPECT_EQ(failing.calls, 2);  // the closing Changed(true) still reported
    EXPECT_EQ(target.Count(), 1); // the group, cut short at A
}

TEST_F(SectionsPage, DeepAndWideTreesCopyWithoutRecursion) {
    THeaderColumns deep;
    THeaderColumns* node = &deep;
    for (int i = 0; i < 50000; ++i)
        node = node->Add("d");
    node->SetWidth(9);
    page.CopySectionsToTree(deep);
    EXPECT_EQ(page.Headers.TotalCount(), 50000u);
    EXPECT_EQ(page.Headers.First()->Data.Width, 9); // the computed width at the top
    THeaderColumns back;
    page.CopyTreeToSections(back);
    int depth = 0;
    for (THeaderColumns* s = back.GetFirstChild(); s != nullptr; s = s->GetFirstChild())
        ++depth;
    EXPECT_EQ(depth, 50000);
    page.Headers.Clear(); // freeing is not recursive either
    EXPECT_EQ(page.Headers.TotalCount(), 0u);
}

} // namespace

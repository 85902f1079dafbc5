// The section tree: construction, computed width, queries, IDs, navigation,
// editing errors, sorting and copying.

#include "core/framework/Exceptions.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"
#include "HeaderColumnsTestTree.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace corvane {
namespace {

using testing::AddTree;
using testing::Describe;
using testing::Find;

// Expects `fn` to raise an error of type E whose text is exactly `message`.
template <class E, class Fn>
void ExpectError(Fn fn, const std::string& message) {
    try {
        fn();
        ADD_FAILURE() << "no error raised, expected \"" << message << "\"";
    } catch (const E& e) {
        EXPECT_EQ(message, e.what());
    }
}

std::vector<int> ChildIDs(const THeaderColumns& node) {
    std::vector<int> ids;
    for (const THeaderColumns* child : node.Children())
        ids.push_back(child->ID());
    return ids;
}

// --- Construction ------------------------------------------------------

TEST(HeaderColumnsTest, NewNodeHasDocumentedValues) {
    THeaderColumns node;
    EXPECT_EQ("HeaderColumns", node.Caption());
    EXPECT_EQ(75, node.StoredWidth());
    EXPECT_EQ(75, node.Width());
    EXPECT_EQ(17, node.Height());
    EXPECT_EQ(taLeftJustify, node.Alignment());
    EXPECT_FALSE(node.Wordwrap());
    EXPECT_EQ(0, node.ID());
    EXPECT_EQ(0, node.TypeCol());
    EXPECT_EQ(0, node.NextID());
    EXPECT_EQ(0, node.UpdateCount());
    EXPECT_EQ(0, node.Count());
    EXPECT_EQ(nullptr, node.Parent());
    EXPECT_EQ(-1, node.Index());
    EXPECT_EQ(0, node.Level());
    EXPECT_EQ(0, node.AbsoluteIndex());
    EXPECT_FALSE(node.OnChange());
}

TEST(HeaderColumnsTest, CreateWithParentAppendsAndNumbersButGivesNoHandler) {
    THeaderColumns root;
    testing::ChangeLog log;
    root.SetOnChange(log.Handler());
    root.Add("first");
    auto* node = new THeaderColumns(&root);
    EXPECT_EQ(node, root.Items(1));
    EXPECT_EQ(&root, node->Parent());
    EXPECT_EQ(1, node->ID());
    EXPECT_EQ("HeaderColumns", node->Caption());
    EXPECT_FALSE(node->OnChange());
    EXPECT_TRUE(root.Items(0)->OnChange()); // Add hands the handler on
}

TEST(HeaderColumnsTest, FreeingChildRemovesItFromParent) {
    THeaderColumns root;
    AddTree(&root, "A,B(B1),C");
    delete Find(&root, "B");
    EXPECT_EQ("A,C", Describe(&root));
    EXPECT_EQ(1, root.Items(1)->Index());
}

// --- Computed width ----------------------------------------------------

TEST(HeaderColumnsTest, ParentWidthIsSumOfLeavesWhateverItsStoredWidth) {
    THeaderColumns root;
    THeaderColumns* parent = root.Add("P");
    parent->Add("a")->SetWidth(40);
    parent->Add("b")->SetWidth(60);
    parent->SetWidth(999);
    EXPECT_EQ(100, parent->Width());
    EXPECT_EQ(999, parent->StoredWidth());
    EXPECT_EQ(100, root.Width());

    parent->DeleteItem(parent->Items(0));
    EXPECT_EQ(60, parent->Width());
    parent->DeleteItem(parent->Items(0));
    EXPECT_EQ(999, parent->Width()); // no children: the stored width counts again
}

TEST(HeaderColumnsTest, WidthAddsLeavesAtEveryDepth) {
    THeaderColumns root;
    AddTree(&root, "A(A1(x,y),A2),B");
    Find(&root, "x")->SetWidth(1);
    Find(&root, "y")->SetWidth(2);
    Find(&root, "A2")->SetWidth(4);
    Find(&root, "B")->SetWidth(8);
    Find(&root, "A1")->SetWidth(1000); // inner: ignored
    EXPECT_EQ(3, Find(&root, "A1")->Width());
    EXPECT_EQ(7, Find(&root, "A")->Width());
    EXPECT_EQ(15, root.Width());
}

TEST(HeaderColumnsTest, WidthWrapsAs32BitOnOverflow) {
    THeaderColumns root;
    root.Add("a")->SetWidth(INT_MAX);
    root.Add("b")->SetWidth(1);
    EXPECT_EQ(INT_MIN, root.Width());
    root.Add("c")->SetWidth(-2);
    EXPECT_EQ(INT_MAX - 1, root.Width()); // and back again
}

TEST(HeaderColumnsTest, PublishedWidthOnParentChangesNothingVisible) {
    THeaderColumns root;
    testing::ChangeLog log;
    root.SetOnChange(log.Handler());
    THeaderColumns* top = root.Add("T");
    top->Add("a")->SetWidth(10);
    log.Take();
    top->SetWidth(500);
    EXPECT_EQ(10, top->Width());
    EXPECT_TRUE(log.calls.empty());
}

// --- Height ------------------------------------------------------------

TEST(HeaderColumnsTest, SetHeightClampsToTwo) {
    for (int value : {0, 1, -5, 2, INT_MIN}) {
        THeaderColumns node;
        node.SetHeight(value);
        EXPECT_EQ(2, node.Height()) << value;
    }
    THeaderColumns node;
    node.SetHeight(40);
    EXPECT_EQ(40, node.Height());
}

TEST(HeaderColumnsTest, SetHeightWithCurrentValueDoesNothing) {
    THeaderColumns root;
    testing::ChangeLog log;
    root.SetOnChange(log.Handler());
    THeaderColumns* top = root.Add("T");
    top->SetHeight(17);
    EXPECT_TRUE(log.calls.empty());
    top->SetHeight(2);
    EXPECT_EQ(1u, log.Take().size());
    top->SetHeight(1); // differs from 2, so it still brackets and reports
    EXPECT_EQ(2, top->Height());
    EXPECT_EQ(std::vector<THeaderColumns*>{top}, log.Take());
}

// --- Queries -----------------------------------------------------------

TEST(HeaderColumnsTest, ItemsOutOfRangeRaisesListIndexError) {
    THeaderColumns root;
    AddTree(&root, "A,B");
    ExpectError<EListError>([&] { root.Items(2); }, "List index out of bounds (2)");
    ExpectError<EListError>([&] { root.Items(-1); }, "List index out of bounds (-1)");
    EXPECT_EQ("B", root.Items(1)->Caption());
}

TEST(HeaderColumnsTest, IndexAndLevel) {
    THeaderColumns root;
    AddTree(&root, "A(A1,A2(x)),B");
    EXPECT_EQ(-1, root.Index());
    EXPECT_EQ(1, Find(&root, "B")->Index());
    EXPECT_EQ(1, Find(&root, "A2")->Index());
    EXPECT_EQ(1, Find(&root, "A")->Level());
    EXPECT_EQ(3, Find(&root, "x")->Level());
}

TEST(HeaderColumnsTest, AbsoluteIndexCountsPreOrderPosition) {
    THeaderColumns root;
    AddTree(&root, "A(A1)");
    EXPECT_EQ(0, root.AbsoluteIndex());
    EXPECT_EQ(2, Find(&root, "A1")->AbsoluteIndex());

    THeaderColumns big;
    AddTree(&big, "A(A1(a,b),A2),B,C(C1)");
    int expected = 0;
    for (THeaderColumns* node = &big; node != nullptr; node = node->GetNext())
        EXPECT_EQ(expected++, node->AbsoluteIndex()) << node->Caption();
    EXPECT_EQ(9, expected);
}

TEST(HeaderColumnsTest, IsParent) {
    THeaderColumns root;
    AddTree(&root, "A(A1(x)),B");
    THeaderColumns* a = Find(&root, "A");
    EXPECT_TRUE(a->IsParent(a));
    EXPECT_FALSE(a->IsParent(nullptr));
    EXPECT_FALSE(a->IsParent(&root));
    EXPECT_TRUE(a->IsParent(Find(&root, "x")));
    EXPECT_FALSE(a->IsParent(Find(&root, "B")));
    EXPECT_TRUE(root.IsParent(Find(&root, "x")));
}

TEST(HeaderColumnsTest, FindItemIDSearchesDirectChildrenOnly) {
    THeaderColumns root;
    AddTree(&root, "A(a0,a1,a2,a3)");
    THeaderColumns* a = Find(&root, "A");
    EXPECT_EQ(Find(&root, "a2"), a->FindItemID(2));
    EXPECT_EQ(nullptr, root.FindItemID(3)); // only a grandchild has ID 3
    EXPECT_EQ(nullptr, a->FindItemID(4));
    EXPECT_EQ(nullptr, a->FindItemID(-1));
}

// --- IDs ---------------------------------------------------------------

TEST(HeaderColumnsTest, InsertAtZeroGetsNextIDNotZero) {
    THeaderColumns root;
    AddTree(&root, "A,B");
    THeaderColumns* inserted = root.Insert(0);
    EXPECT_EQ(inserted, root.Items(0));
    EXPECT_EQ("", inserted->Caption());
    EXPECT_EQ(2, inserted->ID());
    EXPECT_EQ((std::vector<int>{2, 0, 1}), ChildIDs(root));
}

TEST(HeaderColumnsTest, IDsContinueAfterClearAndAreNeverReused) {
    THeaderColumns root;
    AddTree(&root, "A,B,C");
    root.DeleteItem(root.Items(2));
    EXPECT_EQ(3, root.Add("D")->ID());
    root.Clear();
    EXPECT_EQ(4, root.NextID());
    EXPECT_EQ(4, root.Add("E")->ID());
    EXPECT_EQ(5, root.Add("F")->ID());
}

TEST(HeaderColumnsTest, MovedNodesGetNewIDsAndReorderingKeepsThem) {
    THeaderColumns root;
    AddTree(&root, "A(a0,a1),B(b0)");
    THeaderColumns* a = Find(&root, "A");
    THeaderColumns* b = Find(&root, "B");
    THeaderColumns* a0 = Find(&root, "a0");
    a0->SetParent(b);
    EXPECT_EQ(1, a0->ID());
    EXPECT_EQ(2, b->NextID());
    a->AddChild(a0); // back again: yet another ID from A
    EXPECT_EQ(2, a0->ID());
    a->AddChild(a0); // re-adding a child appends it again with a new ID
    EXPECT_EQ(3, a0->ID());
    EXPECT_EQ("a1,a0", Describe(a));

    a->Exchange(0, 1);
    EXPECT_EQ((std::vector<int>{3, 1}), ChildIDs(*a));
    a0->SetIndex(1);
    EXPECT_EQ((std::vector<int>{1, 3}), ChildIDs(*a));
}

// --- Navigation --------------------------------------------------------

TEST(HeaderColumnsTest, NavigationFollowsPreOrder) {
    THeaderColumns root;
    AddTree(&root, "A(A1(x,y),A2),B,C(C1)");
    const std::vector<std::string> order = {"", "A", "A1", "x", "y", "A2", "B", "C", "C1"};
    std::vector<std::string> forward;
    for (THeaderColumns* n = &root; n != nullptr; n = n->GetNext())
        forward.push_back(n == &root ? "" : n->Caption());
    EXPECT_EQ(order, forward);

    std::vector<std::string> backward;
    for (THeaderColumns* n = Find(&root, "C1"); n != nullptr; n = n->GetPrev())
        backward.insert(backward.begin(), n == &root ? "" : n->Caption());
    EXPECT_EQ(order, backward);
}

TEST(HeaderColumnsTest, NavigationEdgeCases) {
    THeaderColumns root;
    AddTree(&root, "A(A1,A2(x)),B");
    THeaderColumns* a = Find(&root, "A");
    EXPECT_EQ(nullptr, Find(&root, "B")->GetNext());               // last leaf of the tree
    EXPECT_EQ(Find(&root, "B"), Find(&root, "x")->GetNext());      // climbs to A's sibling
    EXPECT_EQ(Find(&root, "A2"), Find(&root, "A1")->GetNextSibling());
    EXPECT_EQ(a, Find(&root, "A1")->GetPrev());                    // first child: its parent
    EXPECT_EQ(Find(&root, "x"), Find(&root, "B")->GetPrev());      // deepest last descendant
    EXPECT_EQ(nullptr, root.GetPrev());
    EXPECT_EQ(nullptr, root.GetNextSibling());
    EXPECT_EQ(nullptr, root.GetPrevSibling());
    EXPECT_EQ(nullptr, a->GetPrevSibling());
    EXPECT_EQ(nullptr, Find(&root, "B")->GetNextSibling());
    EXPECT_EQ(Find(&root, "A1"), a->GetFirstChild());
    EXPECT_EQ(Find(&root, "A2"), a->GetLastChild());
    EXPECT_EQ(nullptr, Find(&root, "B")->GetFirstChild());
    EXPECT_EQ(nullptr, Find(&root, "B")->GetLastChild());

    THeaderColumns lone;
    EXPECT_EQ(nullptr, lone.GetNext());
    EXPECT_EQ(nullptr, lone.GetPrev());
}

// --- Editing -----------------------------------------------------------

TEST(HeaderColumnsTest, InsertWithBadIndexRaisesAndLeavesNewChildAtEnd) {
    THeaderColumns root;
    AddTree(&root, "A,B");
    ExpectError<EListError>([&] { root.Insert(10); }, "List index out of bounds (10)");
    ASSERT_EQ(3, root.Count());
    EXPECT_EQ("A,B,", Describe(&root));
    EXPECT_EQ(2, root.Items(2)->ID());

    ExpectError<EListError>([&] { root.Insert(-1); }, "List index out of bounds (-1)");
    EXPECT_EQ(4, root.Count());
    // The last valid position is Count-1 after the append: it stays there.
    THeaderColumns* last = root.Insert(4);
    EXPECT_EQ(last, root.Items(4));
}

TEST(HeaderColumnsTest, SetIndexMovesAndChecksRange) {
    THeaderColumns root;
    AddTree(&root, "A,B,C,D");
    Find(&root, "A")->SetIndex(2);
    EXPECT_EQ("B,C,A,D", Describe(&root));
    Find(&root, "D")->SetIndex(0);
    EXPECT_EQ("D,B,C,A", Describe(&root));
    ExpectError<EListError>([&] { Find(&root, "B")->SetIndex(4); }, "List index out of bounds (4)");
    EXPECT_EQ("D,B,C,A", Describe(&root));
    root.SetIndex(3); // no parent: nothing
    EXPECT_EQ(-1, root.Index());
}

TEST(HeaderColumnsTest, ExchangeSwapsOnlyValidIndexes) {
    THeaderColumns root;
    AddTree(&root, "A,B,C");
    root.Exchange(0, 5);
    root.Exchange(-1, 0);
    EXPECT_EQ("A,B,C", Describe(&root));
    root.Exchange(1, 1);
    EXPECT_EQ("A,B,C", Describe(&root));
    root.Exchange(2, 0);
    EXPECT_EQ("C,B,A", Describe(&root));
}

TEST(HeaderColumnsTest, ClearFreesWholeSubtree) {
    THeaderColumns root;
    AddTree(&root, "A(A1(x)),B");
    root.Clear();
    EXPECT_EQ(0, root.Count());
    EXPECT_EQ(0, root.UpdateCount());
    root.Clear(); // nothing to do
    EXPECT_EQ(0, root.UpdateCount());
}

TEST(HeaderColumnsTest, DeleteItemFreesTheSection) {
    THeaderColumns root;
    AddTree(&root, "A(A1),B");
    root.DeleteItem(Find(&root, "A"));
    EXPECT_EQ("B", Describe(&root));
    EXPECT_EQ(0, root.UpdateCount());
}

TEST(HeaderColumnsTest, SetParentMovesToEndOfNewParent) {
    THeaderColumns root;
    AddTree(&root, "A(a1,a2),B(b1)");
    THeaderColumns* a1 = Find(&root, "a1");
    a1->SetParent(Find(&root, "B"));
    EXPECT_EQ("A(a2),B(b1,a1)", Describe(&root));
    a1->SetParent(Find(&root, "B")); // already there: nothing
    EXPECT_EQ("A(a2),B(b1,a1)", Describe(&root));
    a1->SetParent(nullptr);
    EXPECT_EQ("A(a2),B(b1)", Describe(&root));
    EXPECT_EQ(nullptr, a1->Parent());
    delete a1;
}

TEST(HeaderColumnsTest, RemoveChildDetachesWithoutFreeing) {
    THeaderColumns root;
    AddTree(&root, "A(a1),B");
    THeaderColumns* a = Find(&root, "A");
    root.RemoveChild(a);
    EXPECT_EQ("B", Describe(&root));
    EXPECT_EQ(nullptr, a->Parent());
    EXPECT_EQ("a1", Describe(a));
    delete a;
}

// --- Sorting -----------------------------------------------------------

// Captions, then IDs, of the children: the IDs tell equal captions apart.
std::vector<int> SortedIDs(const std::vector<std::string>& captions) {
    THeaderColumns root;
    for (const std::string& caption : captions)
        root.Add(caption);
    root.AlphaSort(false);
    return ChildIDs(root);
}

TEST(HeaderColumnsTest, AlphaSortFollowsTheListQuicksortStepByStep) {
    // Worked by hand: pivot b#2 swaps 0<->5 and 2<->3, the left part
    // [b#5,a#1,a#3] swaps 0<->2 around pivot a#1, the right part
    // [b#2,c#4,c#0] swaps 4<->5 around pivot c#4. Equal captions come out
    // in an order no stable sort gives.
    EXPECT_EQ((std::vector<int>{3, 1, 5, 2, 0, 4}), SortedIDs({"c", "a", "b", "a", "c", "b"}));
    EXPECT_EQ((std::vector<int>{2, 4, 0, 3, 1}), SortedIDs({"b", "c", "a", "b", "a"}));
    EXPECT_EQ((std::vector<int>{2, 1, 0}), SortedIDs({"b", "b", "a"}));
    EXPECT_EQ((std::vector<int>{}), SortedIDs({}));
    EXPECT_EQ((std::vector<int>{0}), SortedIDs({"x"}));
}

TEST(HeaderColumnsTest, AlphaSortPutsLowerCaseABeforeAnyB) {
    THeaderColumns root;
    AddTree(&root, "b,B,apple,Banana,a");
    root.AlphaSort(false);
    EXPECT_EQ("a,apple,b,B,Banana", Describe(&root));
}

TEST(HeaderColumnsTest, AlphaSortRecursiveOrNot) {
    THeaderColumns flat;
    AddTree(&flat, "c(z,y),a(q,p)");
    flat.AlphaSort(false);
    EXPECT_EQ("a(q,p),c(z,y)", Describe(&flat));

    THeaderColumns deep;
    AddTree(&deep, "c(z,y(3,1,2)),a(q,p)");
    deep.AlphaSort(true);
    EXPECT_EQ("a(p,q),c(y(1,2,3),z)", Describe(&deep));
    EXPECT_EQ(0, deep.UpdateCount());
}

int ByStoredWidthDescending(THeaderColumns* a, THeaderColumns* b) {
    return b->StoredWidth() - a->StoredWidth();
}

TEST(HeaderColumnsTest, CustomSortUsesGivenCompareAndNullMeansCaptions) {
    THeaderColumns root;
    AddTree(&root, "a,b,c,d");
    const int widths[] = {10, 40, 20, 30};
    for (int i = 0; i < 4; ++i)
        root.Items(i)->SetWidth(widths[i]);
    root.CustomSort(&ByStoredWidthDescending, false);
    EXPECT_EQ("b,d,c,a", Describe(&root));
    root.CustomSort(nullptr, false);
    EXPECT_EQ("a,b,c,d", Describe(&root));
}

// --- Copying -----------------------------------------------------------

TEST(HeaderColumnsTest, AssignCopiesSubtreeButNoWordWrap) {
    THeaderColumns source;
    source.SetCaption("S");
    source.SetTypeCol(7);
    source.SetAlignment(taCenter);
    source.StoreHeight(1); // copied unchanged: no minimum
    source.SetWordwrap(true);
    AddTree(&source, "A(A1,A2),B");
    Find(&source, "A1")->SetWidth(11);
    Find(&source, "A2")->SetWidth(22);
    Find(&source, "A")->SetWordwrap(true);
    Find(&source, "A")->SetTypeCol(3);
    Find(&source, "A")->SetAlignment(taRightJustify);
    Find(&source, "A")->StoreHeight(30);
    Find(&source, "A")->SetWidth(500); // inner: its computed width is copied

    THeaderColumns target;
    target.SetWordwrap(false);
    AddTree(&target, "old(older)");
    target.Assign(&source);

    EXPECT_EQ("S", target.Caption());
    EXPECT_EQ(7, target.TypeCol());
    EXPECT_EQ(taCenter, target.Alignment());
    EXPECT_EQ(1, target.Height());
    EXPECT_FALSE(target.Wordwrap()); // keeps its own flag
    EXPECT_EQ(source.Width(), target.StoredWidth());
    EXPECT_EQ("A(A1,A2),B", Describe(&target));
    THeaderColumns* a = target.Items(0);
    EXPECT_EQ(33, a->StoredWidth());
    EXPECT_EQ(3, a->TypeCol());
    EXPECT_EQ(taRightJustify, a->Alignment());
    EXPECT_EQ(30, a->Height());
    EXPECT_FALSE(a->Wordwrap());
    EXPECT_EQ(11, a->Items(0)->StoredWidth());
    // IDs come from the target: its NextID had already given 0 to "old".
    EXPECT_EQ((std::vector<int>{1, 2}), ChildIDs(target));
    EXPECT_EQ(0, target.UpdateCount());
    // The source is untouched.
    EXPECT_EQ("A(A1,A2),B", Describe(&source));
    EXPECT_TRUE(Find(&source, "A")->Wordwrap());
}

TEST(HeaderColumnsTest, AssignedChildrenGetTargetHandler) {
    THeaderColumns source;
    AddTree(&source, "A(A1)");
    THeaderColumns root;
    testing::ChangeLog log;
    root.SetOnChange(log.Handler());
    THeaderColumns* top = root.Add("T");
    top->Assign(&source);
    EXPECT_EQ(log.Handler(), top->Items(0)->OnChange());
    EXPECT_EQ(log.Handler(), top->Items(0)->Items(0)->OnChange());
    EXPECT_FALSE(source.Items(0)->OnChange());
}

TEST(HeaderColumnsTest, AssignFromWrongKindRaisesConvertError) {
    THeaderColumns node;
    TLevels levels;
    ExpectError<EConvertError>([&] { node.Assign(&levels); },
                               "Cannot assign a TLevels to a THeaderColumns");
    ExpectError<EConvertError>([&] { node.Assign(nullptr); },
                               "Cannot assign a nil to a THeaderColumns");
    EXPECT_EQ("HeaderColumns", node.Caption());
    EXPECT_EQ(0, node.UpdateCount());
}

} // namespace
} // namespace corvane

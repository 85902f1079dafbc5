// The level and leaf index: its contents for various trees, when it follows
// the tree and when it keeps an older view, the change handler it installs
// and gives back, and that it never hands out a freed section.

#include "core/framework/Exceptions.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"
#include "HeaderColumnsTestTree.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace corvane {
namespace {

using testing::AddTree;
using testing::Describe;
using testing::Find;
using Names = std::vector<std::string>;

Names Leaves(const TLevels& levels) {
    Names out;
    for (int i = 0; i < levels.LeafCount(); ++i)
        out.push_back(levels.Leaf(i)->Caption());
    return out;
}

std::vector<Names> LevelNames(const TLevels& levels) {
    std::vector<Names> out(static_cast<size_t>(levels.LevelCount()));
    for (int d = 0; d < levels.LevelCount(); ++d)
        for (int k = 0; k < levels.LevelSize(d); ++k)
            out[static_cast<size_t>(d)].push_back(levels.LevelSection(d, k)->Caption());
    return out;
}

struct ContentsCase {
    const char* tree;
    std::vector<Names> levels;
    Names leaves;
};

std::ostream& operator<<(std::ostream& out, const ContentsCase& c) { return out << '"' << c.tree << '"'; }

class LevelsContentsTest : public ::testing::TestWithParam<ContentsCase> {};

TEST_P(LevelsContentsTest, ListsLevelsInPreOrderAndLeavesLeftToRight) {
    const ContentsCase& c = GetParam();
    THeaderColumns root;
    AddTree(&root, c.tree);
    TLevels levels(&root);
    EXPECT_EQ(c.levels, LevelNames(levels));
    EXPECT_EQ(c.leaves, Leaves(levels));
}

TEST_P(LevelsContentsTest, BuiltIncrementallyThroughReports) {
    // The same tree grown one Add at a time under an index; every Add below
    // the top level reports, and Changed(true) on the root covers the rest.
    const ContentsCase& c = GetParam();
    THeaderColumns root;
    TLevels levels(&root);
    AddTree(&root, c.tree);
    root.Changed(true);
    EXPECT_EQ(c.levels, LevelNames(levels));
    EXPECT_EQ(c.leaves, Leaves(levels));
}

INSTANTIATE_TEST_SUITE_P(
    Trees, LevelsContentsTest,
    ::testing::Values(
        ContentsCase{"", {}, {}},
        ContentsCase{"TStrativ v.2.8", {{"TStrativ v.2.8"}}, {"TStrativ v.2.8"}},
        ContentsCase{"T(a,b,c)", {{"T"}, {"a", "b", "c"}}, {"a", "b", "c"}},
        ContentsCase{"A(A1),B", {{"A", "B"}, {"A1"}}, {"A1", "B"}},
        ContentsCase{"A(A1,A2),B", {{"A", "B"}, {"A1", "A2"}}, {"A1", "A2", "B"}},
        ContentsCase{"A(A1(x,y),A2),B(B1),C",
                     {{"A", "B", "C"}, {"A1", "A2", "B1"}, {"x", "y"}},
                     {"x", "y", "A2", "B1", "C"}},
        ContentsCase{"A,B(B1(B11(B111))),C(C1)",
                     {{"A", "B", "C"}, {"B1", "C1"}, {"B11"}, {"B111"}},
                     {"A", "B111", "C1"}}));

TEST(LevelsTest, WithoutRootListsNothing) {
    TLevels levels;
    EXPECT_EQ(nullptr, levels.Root());
    EXPECT_EQ(0, levels.LeafCount());
    EXPECT_EQ(0, levels.LevelCount());
    EXPECT_THROW(levels.Leaf(0), EListError);
}

TEST(LevelsTest, BadPositionsRaiseListIndexError) {
    THeaderColumns root;
    AddTree(&root, "A(A1,A2),B");
    TLevels levels(&root);
    try {
        levels.Leaf(3);
        ADD_FAILURE() << "no error";
    } catch (const EListError& e) {
        EXPECT_STREQ("List index out of bounds (3)", e.what());
    }
    EXPECT_THROW(levels.Leaf(-1), EListError);
    EXPECT_THROW(levels.LevelSize(2), EListError);
    EXPECT_THROW(levels.LevelSection(1, 2), EListError);
    EXPECT_THROW(levels.LevelSection(-1, 0), EListError);
    EXPECT_EQ("A2", levels.LevelSection(1, 1)->Caption());
}

TEST(LevelsTest, ReportedEditsRebuild) {
    THeaderColumns root;
    AddTree(&root, "A(A1),B");
    TLevels levels(&root);
    THeaderColumns* a = Find(&root, "A");
    a->Add("A2");
    EXPECT_EQ((Names{"A1", "A2", "B"}), Leaves(levels));
    a->DeleteItem(Find(&root, "A1"));
    EXPECT_EQ((Names{"A2", "B"}), Leaves(levels));
    Find(&root, "A2")->Add("deep");
    EXPECT_EQ(3, levels.LevelCount());
    a->Clear();
    EXPECT_EQ((Names{"A", "B"}), Leaves(levels));
    EXPECT_EQ(1, levels.LevelCount());
}

TEST(LevelsTest, UnreportedEditsKeepOldViewUntilChangedOnRoot) {
    THeaderColumns root;
    AddTree(&root, "A(A1,A2),B");
    TLevels levels(&root);

    root.Add("C");                    // the root has no parent to report through
    Find(&root, "A")->Exchange(0, 1); // Changed(true) on a top-level section reaches nobody
    Find(&root, "B")->SetIndex(0);    // likewise
    EXPECT_EQ((Names{"A1", "A2", "B"}), Leaves(levels));
    EXPECT_EQ((std::vector<Names>{{"A", "B"}, {"A1", "A2"}}), LevelNames(levels));

    root.Changed(true);
    EXPECT_EQ((Names{"B", "A2", "A1", "C"}), Leaves(levels));
    EXPECT_EQ((std::vector<Names>{{"B", "A", "C"}, {"A2", "A1"}}), LevelNames(levels));
}

TEST(LevelsTest, DetachedButLiveSectionStaysListedUntilNextReport) {
    THeaderColumns root;
    AddTree(&root, "A(A1),B");
    TLevels levels(&root);
    THeaderColumns* a = Find(&root, "A");
    root.RemoveChild(a); // reports nothing: the old view stays, and it is alive
    EXPECT_EQ((Names{"A1", "B"}), Leaves(levels));
    root.Changed(true);
    EXPECT_EQ((Names{"B"}), Leaves(levels));
    delete a;
    EXPECT_EQ((Names{"B"}), Leaves(levels));
}

TEST(LevelsTest, NeverHandsOutSectionFreedByUnreportedEdit) {
    THeaderColumns root;
    AddTree(&root, "A(A1,A2),B,C");
    TLevels levels(&root);
    root.Add("D"); // unreported: not listed yet
    root.DeleteItem(Find(&root, "A")); // unreported too, but it frees sections
    // The read sees a freed entry and rebuilds from the tree as it is now.
    EXPECT_EQ((Names{"B", "C", "D"}), Leaves(levels));
    EXPECT_EQ((std::vector<Names>{{"B", "C", "D"}}), LevelNames(levels));

    root.Clear();
    EXPECT_EQ(0, levels.LeafCount());
    EXPECT_EQ(0, levels.LevelCount());
}

TEST(LevelsTest, SectionsFreedWithNoReportAtAllAreNoticed) {
    THeaderColumns root;
    AddTree(&root, "A(A1),B");
    TLevels levels(&root);
    THeaderColumns* a = Find(&root, "A");
    root.SetOnChange(TChangeHandler()); // nothing reports any more
    a->Clear();                          // A becomes a leaf, A1 is freed
    EXPECT_EQ((std::vector<Names>{{"A", "B"}}), LevelNames(levels));
    EXPECT_EQ((Names{"A", "B"}), Leaves(levels));
}

TEST(LevelsTest, RootFreedBeforeIndexGivesEmptyLists) {
    auto* root = new THeaderColumns;
    AddTree(root, "A(A1),B");
    TLevels levels(root);
    delete root;
    EXPECT_EQ(nullptr, levels.Root());
    EXPECT_EQ(0, levels.LeafCount());
    EXPECT_EQ(0, levels.LevelCount());
}

TEST(LevelsTest, SetRootNoneEmptiesAndSetRootAgainListsEachSectionOnce) {
    THeaderColumns root;
    AddTree(&root, "A(A1,A2),B");
    TLevels levels(&root);
    levels.SetRoot(nullptr);
    EXPECT_EQ(nullptr, levels.Root());
    EXPECT_EQ(0, levels.LeafCount());
    EXPECT_EQ(0, levels.LevelCount());
    levels.SetRoot(&root);
    EXPECT_EQ((std::vector<Names>{{"A", "B"}, {"A1", "A2"}}), LevelNames(levels));
    EXPECT_EQ((Names{"A1", "A2", "B"}), Leaves(levels));
}

TEST(LevelsTest, SetRootToOtherTreeReplacesContents) {
    THeaderColumns first, second;
    AddTree(&first, "A(A1,A2,A3),B");
    AddTree(&second, "X");
    TLevels levels(&first);
    levels.SetRoot(&second);
    EXPECT_EQ(&second, levels.Root());
    EXPECT_EQ((std::vector<Names>{{"X"}}), LevelNames(levels));
    levels.SetRoot(&first);
    EXPECT_EQ((Names{"A1", "A2", "A3", "B"}), Leaves(levels));
}

// --- The handler -------------------------------------------------------

TEST(LevelsTest, InstallsHandlerOnEveryNodeAndAddPassesItOn) {
    THeaderColumns root;
    AddTree(&root, "A(A1),B");
    TLevels levels(&root);
    for (THeaderColumns* n = &root; n != nullptr; n = n->GetNext())
        EXPECT_EQ(levels.Handler(), n->OnChange()) << n->Caption();
    EXPECT_EQ(levels.Handler(), Find(&root, "A1")->Add("new")->OnChange());
    EXPECT_FALSE(levels.PrevOnChange());
}

TEST(LevelsTest, DestructionGivesBackEarlierHandlerAndSecondIndexTakesOver) {
    THeaderColumns root;
    AddTree(&root, "A(A1),B");
    testing::ChangeLog log;
    root.SetOnChange(log.Handler());
    {
        TLevels first(&root);
        EXPECT_EQ(log.Handler(), first.PrevOnChange());
        Find(&root, "A")->Add("A2");
        EXPECT_TRUE(log.calls.empty()); // the index never passes reports on
        EXPECT_EQ((Names{"A1", "A2", "B"}), Leaves(first));
    }
    for (THeaderColumns* n = &root; n != nullptr; n = n->GetNext())
        EXPECT_EQ(log.Handler(), n->OnChange()) << n->Caption();
    Find(&root, "A")->Add("A3");
    EXPECT_EQ(std::vector<THeaderColumns*>{Find(&root, "A")}, log.Take());

    TLevels second(&root);
    EXPECT_EQ(log.Handler(), second.PrevOnChange());
    Find(&root, "A")->Add("A4");
    EXPECT_TRUE(log.calls.empty());
    EXPECT_EQ((Names{"A1", "A2", "A3", "A4", "B"}), Leaves(second));
}

TEST(LevelsTest, DestructionWithoutEarlierHandlerLeavesNone) {
    THeaderColumns root;
    AddTree(&root, "A(A1)");
    { TLevels levels(&root); }
    for (THeaderColumns* n = &root; n != nullptr; n = n->GetNext())
        EXPECT_FALSE(n->OnChange()) << n->Caption();
    Find(&root, "A")->Add("A2"); // reports to nobody
}

TEST(LevelsTest, SecondIndexOverSameRootChainsHandlers) {
    THeaderColumns root;
    AddTree(&root, "A(A1)");
    TLevels first(&root);
    {
        TLevels second(&root);
        EXPECT_EQ(first.Handler(), second.PrevOnChange());
        Find(&root, "A")->Add("A2");
        EXPECT_EQ(2, second.LeafCount());
        EXPECT_EQ(1, first.LeafCount()); // not passed on
    }
    EXPECT_EQ(first.Handler(), root.OnChange());
    Find(&root, "A")->Add("A3");
    EXPECT_EQ(3, first.LeafCount());
}

class CountingLevels : public TLevels {
public:
    using TLevels::TLevels;
    static int rebuilds;
    void Rebuild(THeaderColumns* Section) override {
        ++rebuilds;
        TLevels::Rebuild(Section);
    }
};
int CountingLevels::rebuilds = 0;

TEST(LevelsTest, ReportsFromSectionsTakenOutReachNoFreedIndex) {
    // Nodes taken out of the tree keep the handler the index gave them;
    // after the index is gone, their reports must go nowhere.
    THeaderColumns root;
    AddTree(&root, "A(A1(x))");
    THeaderColumns* a = Find(&root, "A");
    auto* levels = new CountingLevels(&root);
    root.RemoveChild(a);
    delete levels;
    CountingLevels::rebuilds = 0;
    Find(a, "A1")->Add("y"); // A1 reports through A, which still has the old handler
    Find(a, "x")->SetHeight(40);
    EXPECT_EQ(0, CountingLevels::rebuilds);
    delete a;
}

TEST(LevelsTest, DirectRebuildCatchesUpAfterUnreportedEdit) {
    THeaderColumns root;
    AddTree(&root, "A");
    TLevels levels(&root);
    root.Add("B");
    EXPECT_EQ(1, levels.LeafCount());
    levels.Rebuild(&root);
    EXPECT_EQ((Names{"A", "B"}), Leaves(levels));
}

TEST(LevelsTest, DeepTreeIsIndexedWithoutRecursion) {
    constexpr int depth = 100000;
    // Built from the bottom up: adding below a deep node walks up for the
    // cycle check, which would make a top-down build quadratic.
    THeaderColumns root;
    std::vector<THeaderColumns*> chain(depth + 1);
    chain[0] = &root;
    chain[depth] = new THeaderColumns;
    chain[depth]->SetWidth(42);
    for (int i = depth - 1; i > 0; --i) {
        chain[i] = new THeaderColumns;
        chain[i + 1]->SetParent(chain[i]);
    }
    chain[1]->SetParent(&root);
    {
        TLevels levels(&root);
        EXPECT_EQ(depth, levels.LevelCount());
        ASSERT_EQ(1, levels.LeafCount());
        EXPECT_EQ(chain.back(), levels.Leaf(0));
        EXPECT_EQ(42, root.Width());
    }
    // Freed from the bottom, one section at a time (nothing reports any more).
    for (size_t i = chain.size() - 1; i > 0; --i)
        delete chain[i];
    EXPECT_EQ(0, root.Count());
}

} // namespace
} // namespace corvane

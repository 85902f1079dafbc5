// The index rebuilds on its next read, not on every report: a run of
// reported edits costs one rebuild, an edit that reports nothing leaves the
// index showing the tree as it was at its last report, and a rebuild that
// fails is tried again.

#include "HeaderColumnsTestTree.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"
#include "support/EagerIndex.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <new>
#include <ostream>
#include <string>
#include <vector>

namespace corvane {
namespace {

using testing::AddTree;
using testing::Describe;
using testing::EagerIndex;
using testing::Find;

// Counts the reports that reach it; its rebuilds can be made to fail.
class ObservedLevels : public TLevels {
public:
    using TLevels::TLevels;
    int reports = 0;
    bool failRebuilds = false;
    void TreeChanged(THeaderColumns* Section) override {
        ++reports;
        TLevels::TreeChanged(Section);
    }
    void Rebuild(THeaderColumns* Section) override {
        if (failRebuilds)
            throw std::bad_alloc();
        TLevels::Rebuild(Section);
    }
};

// What an edit may need besides the tree: a home for sections it takes out
// and a handler other than the index's.
struct EditContext {
    THeaderColumns& root;
    std::vector<std::unique_ptr<THeaderColumns>> taken;
    testing::ChangeLog log;
    THeaderColumns* operator[](const char* caption) const { return Find(&root, caption); }
};

using TreeEdit = std::function<void(EditContext&)>;

template <class Case> std::string CaseName(const ::testing::TestParamInfo<Case>& param) {
    return param.param.name;
}

// --- A run of reported edits costs one rebuild ---------------------------

struct ReportedCase {
    const char* name;
    const char* tree;
    TreeEdit edit; // reports at least once to the tree's index
};

std::ostream& operator<<(std::ostream& out, const ReportedCase& c) {
    return out << c.name;
}

class LevelsReportedRunTest : public ::testing::TestWithParam<ReportedCase> {};

TEST_P(LevelsReportedRunTest, RebuildsOnceOnTheNextRead) {
    const ReportedCase& c = GetParam();
    THeaderColumns root;
    AddTree(&root, c.tree);
    ObservedLevels levels(&root);
    EditContext context{root, {}, {}};
    const uint64_t before = levels.RebuildCount();
    for (int i = 0; i < 100; ++i)
        c.edit(context);
    EXPECT_GE(levels.reports, 100);
    EXPECT_TRUE(levels.Stale());

    EagerIndex expected;
    expected.Take(&root);
    EXPECT_TRUE(expected.Matches(levels));
    EXPECT_FALSE(levels.Stale());
    EXPECT_EQ(before + 1, levels.RebuildCount());
}

INSTANTIATE_TEST_SUITE_P(
    Edits, LevelsReportedRunTest,
    ::testing::Values(
        ReportedCase{"AddBelowTopLevel", "A(a),B", [](EditContext& e) { e["A"]->Add("x"); }},
        ReportedCase{"InsertBelowTopLevel", "A(a),B", [](EditContext& e) { e["A"]->Insert(0); }},
        ReportedCase{"AddThenDeleteItem", "A(a),B",
                     [](EditContext& e) {
                         THeaderColumns* a = e["A"];
                         a->DeleteItem(a->Add("x"));
                     }},
        ReportedCase{"AddThenClearBelowTopLevel", "A(a(a1,a2)),B",
                     [](EditContext& e) {
                         e["a"]->Add("x");
                         e["a"]->Clear();
                     }},
        ReportedCase{"SetIndexOfDeeperSection", "A(a(x,y)),B",
                     [](EditContext& e) { e["x"]->SetIndex(1 - e["x"]->Index()); }},
        ReportedCase{"ExchangeOnTheRoot", "A(a),B(b)",
                     [](EditContext& e) { e.root.Exchange(0, 1); }},
        ReportedCase{"MoveBetweenGroups", "A(a),B(b)",
                     [](EditContext& e) {
                         THeaderColumns* a = e["a"];
                         (a->Parent() == e["A"] ? e["B"] : e["A"])->AddChild(a);
                     }},
        ReportedCase{"SortBelowTopLevel", "A(c,b,a),B",
                     [](EditContext& e) { e["A"]->AlphaSort(true); }}),
    CaseName<ReportedCase>);

// --- An edit that reports nothing keeps the view of the last report -------

struct QuietCase {
    const char* name;
    const char* tree;
    TreeEdit reported; // leaves the index stale
    TreeEdit quiet;    // changes the tree without reporting to the index
};

std::ostream& operator<<(std::ostream& out, const QuietCase& c) {
    return out << c.name;
}

class LevelsQuietAfterReportTest : public ::testing::TestWithParam<QuietCase> {};

TEST_P(LevelsQuietAfterReportTest, ShowsTheTreeAsAtTheReport) {
    const QuietCase& c = GetParam();
    THeaderColumns root;
    AddTree(&root, c.tree);
    ObservedLevels levels(&root);
    EditContext context{root, {}, {}};

    c.reported(context);
    ASSERT_TRUE(levels.Stale());
    EagerIndex expected;
    expected.Take(&root);
    const int reports = levels.reports;
    const std::string before = Describe(&root);

    c.quiet(context);
    ASSERT_EQ(reports, levels.reports) << "the edit reported";
    ASSERT_NE(before, Describe(&root)) << "the edit changed nothing";
    expected.Read(&root); // an entry freed by the edit makes any index rebuild
    EXPECT_TRUE(expected.Matches(levels));

    root.Changed(true);
    expected.Take(&root);
    EXPECT_TRUE(expected.Matches(levels));
}

INSTANTIATE_TEST_SUITE_P(
    Edits, LevelsQuietAfterReportTest,
    ::testing::Values(
        QuietCase{"AddOnTheRoot", "A(a),B", [](EditContext& e) { e["A"]->Add("x"); },
                  [](EditContext& e) { e.root.Add("C"); }},
        QuietCase{"InsertOnTheRoot", "A(a),B", [](EditContext& e) { e["A"]->Add("x"); },
                  [](EditContext& e) { e.root.Insert(0); }},
        QuietCase{"RemoveChildOnTheRoot", "A(a),B", [](EditContext& e) { e["A"]->Add("x"); },
                  [](EditContext& e) {
                      THeaderColumns* b = e["B"];
                      e.root.RemoveChild(b);
                      e.taken.emplace_back(b);
                  }},
        QuietCase{"DeleteItemOnTheRoot", "A(a),B(b)", [](EditContext& e) { e["A"]->Add("x"); },
                  [](EditContext& e) { e.root.DeleteItem(e["B"]); }},
        QuietCase{"ClearOnTheRoot", "A(a),B", [](EditContext& e) { e["A"]->Add("x"); },
                  [](EditContext& e) { e.root.Clear(); }},
        QuietCase{"SetIndexOfTopLevelSection", "A(a),B", [](EditContext& e) { e["A"]->Add("x"); },
                  [](EditContext& e) { e["B"]->SetIndex(0); }},
        QuietCase{"ExchangeBelowTopLevel", "A(a,b),B", [](EditContext& e) { e["B"]->Add("x"); },
                  [](EditContext& e) { e["A"]->Exchange(0, 1); }},
        QuietCase{"AlphaSortOfTheRoot", "B(b2,b1),A(a2,a1)",
                  [](EditContext& e) { e["A"]->Add("a0"); },
                  [](EditContext& e) { e.root.AlphaSort(true); }},
        QuietCase{"AddWhileTheRootHoldsReportsBack", "A(a),B",
                  [](EditContext& e) { e["A"]->Add("x"); },
                  [](EditContext& e) {
                      e.root.BeginUpdate();
                      e["B"]->Add("y");
                      e.root.EndUpdate();
                  }},
        QuietCase{"AddBelowASectionWithoutHandler", "A(a),B",
                  [](EditContext& e) {
                      // Created with a parent, not by Add: no handler of its own.
                      auto* x = new THeaderColumns(e["a"]);
                      new THeaderColumns(x);
                  },
                  [](EditContext& e) { new THeaderColumns(e["a"]->Items(0)->Items(0)); }},
        QuietCase{"AddBelowASubtreeReportingElsewhere", "A(a),B",
                  [](EditContext& e) { e["B"]->Add("x"); },
                  [](EditContext& e) {
                      e["A"]->SetOnChange(e.log.Handler());
                      e["a"]->Add("y");
                  }}),
    CaseName<QuietCase>);

// --- Reading the counter, failures ----------------------------------------

TEST(LevelsLazyTest, ReadingTheRebuildCountRebuildsFirst) {
    // Caches compare the count alone; it must already include the rebuild
    // that the next read would make.
    THeaderColumns root;
    AddTree(&root, "A(a),B");
    TLevels levels(&root);
    const uint64_t before = levels.RebuildCount();
    Find(&root, "A")->Add("x");
    EXPECT_EQ(before, levels.RebuildCount() - 1);
    EXPECT_FALSE(levels.Stale());
    EXPECT_EQ(before + 1, levels.RebuildCount());
}

TEST(LevelsLazyTest, FailedRebuildOnReadIsTriedAgain) {
    THeaderColumns root;
    AddTree(&root, "A(a),B");
    ObservedLevels levels(&root);
    Find(&root, "A")->Add("x");
    levels.failRebuilds = true;
    EXPECT_THROW(levels.LeafCount(), std::bad_alloc);
    EXPECT_TRUE(levels.Stale());
    levels.failRebuilds = false;
    EXPECT_EQ(3, levels.LeafCount());
}

TEST(LevelsLazyTest, FailedCatchUpStopsTheQuietEditBeforeItChangesAnything) {
    THeaderColumns root;
    AddTree(&root, "A(a),B");
    ObservedLevels levels(&root);
    Find(&root, "A")->Add("x");
    levels.failRebuilds = true;
    EXPECT_THROW(root.Add("C"), std::bad_alloc);
    EXPECT_THROW(Find(&root, "B")->SetIndex(0), std::bad_alloc);
    EXPECT_EQ("A(a,x),B", Describe(&root));
    levels.failRebuilds = false;
    EagerIndex expected;
    expected.Take(&root);
    EXPECT_TRUE(expected.Matches(levels));
}

TEST(LevelsLazyTest, FailedCatchUpWhileFreeingStillFreesAndListsNothingFreed) {
    THeaderColumns root;
    AddTree(&root, "A(a),B(b1,b2)");
    ObservedLevels levels(&root);
    Find(&root, "A")->Add("x");
    levels.failRebuilds = true;
    EXPECT_THROW(root.DeleteItem(Find(&root, "B")), std::bad_alloc);
    EXPECT_EQ("A(a,x)", Describe(&root));
    levels.failRebuilds = false;
    EagerIndex expected;
    expected.Take(&root);
    EXPECT_TRUE(expected.Matches(levels));
}

TEST(LevelsLazyTest, StaleIndexGoneBeforeTheNextEditIsForgotten) {
    // A quiet edit after the index is gone must not reach it.
    THeaderColumns root;
    AddTree(&root, "A(a),B");
    {
        TLevels levels(&root);
        Find(&root, "A")->Add("x");
        EXPECT_TRUE(levels.Stale());
    }
    root.Add("C");
    EXPECT_EQ("A(a,x),B,C", Describe(&root));
}

} // namespace
} // namespace corvane

// A header control owns its root section for its whole life: no edit of any
// tree may adopt that root, so no second owner can ever free it.

#include "HeaderColumnsTestTree.h"
#include "core/control/Strativ.h"
#include "core/framework/Exceptions.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace corvane {
namespace {

using testing::AddTree;
using testing::Describe;

struct RootMove {
    const char* name;
    // Tries to put A's root somewhere in B's tree or in A's own.
    std::function<void(TStrativ& a, TStrativ& b)> move;
};

class OwnedRootMoveTest : public ::testing::TestWithParam<RootMove> {};

TEST_P(OwnedRootMoveTest, IsRefusedChangesNothingAndBothControlsFreeCleanly) {
    auto a = std::make_unique<TStrativ>();
    auto b = std::make_unique<TStrativ>();
    AddTree(a->Sections(), "A1(A11),A2");
    AddTree(b->Sections(), "B1(B11),B2");
    a->Sections()->Changed(true);
    b->Sections()->Changed(true);
    const std::string treeA = Describe(a->Sections());
    const std::string treeB = Describe(b->Sections());
    const int leavesB = b->Levels().LeafCount();

    EXPECT_THROW(GetParam().move(*a, *b), EInvalidOperation);

    EXPECT_EQ(a->Sections()->Parent(), nullptr);
    EXPECT_EQ(Describe(a->Sections()), treeA);
    EXPECT_EQ(Describe(b->Sections()), treeB);
    EXPECT_EQ(b->Levels().LeafCount(), leavesB);
    // Either order of destruction frees each tree exactly once (ASan checks).
    b.reset();
    a.reset();
}

INSTANTIATE_TEST_SUITE_P(
    Moves, OwnedRootMoveTest,
    ::testing::Values(
        RootMove{"SetParentIntoOtherControl",
                 [](TStrativ& a, TStrativ& b) { a.Sections()->SetParent(b.Sections()->Items(0)); }},
        RootMove{"SetParentOntoOtherRoot",
                 [](TStrativ& a, TStrativ& b) { a.Sections()->SetParent(b.Sections()); }},
        RootMove{"AddChildByOtherControlsSection",
                 [](TStrativ& a, TStrativ& b) { b.Sections()->Items(1)->AddChild(a.Sections()); }},
        RootMove{"AddChildByOtherRoot",
                 [](TStrativ& a, TStrativ& b) { b.Sections()->AddChild(a.Sections()); }},
        RootMove{"AddChildByFreeStandingNode",
                 [](TStrativ& a, TStrativ&) {
                     THeaderColumns stranger;
                     stranger.AddChild(a.Sections());
                 }}),
    [](const ::testing::TestParamInfo<RootMove>& param) { return std::string(param.param.name); });

TEST(OwnedRootTest, StaysEditableAndItsSectionsStillMove) {
    TStrativ a;
    TStrativ b;
    AddTree(a.Sections(), "A1,A2");
    // Detaching from no parent is no move at all.
    a.Sections()->SetParent(nullptr);
    // The sections below the root are the tree's, and may move between trees.
    THeaderColumns* a2 = a.Sections()->Items(2);
    a2->SetParent(b.Sections());
    EXPECT_EQ(Describe(a.Sections()), "TStrativ v.2.8,A1");
    EXPECT_EQ(Describe(b.Sections()), "TStrativ v.2.8,A2");
    EXPECT_TRUE(a.Sections()->IsOwnedRoot());
    EXPECT_FALSE(a2->IsOwnedRoot());
}

} // namespace
} // namespace corvane

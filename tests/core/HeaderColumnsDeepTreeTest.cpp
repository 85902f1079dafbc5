// Trees far deeper than any call stack allows recursion for: building,
// measuring, copying, indexing and freeing them must not recurse per level.
// Each case runs on a thread with a small stack, where a per-level
// recursion of even a few dozen bytes overflows.

#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <functional>
#include <memory>
#include <stdexcept>

using namespace corvane;

namespace {

constexpr int Depth = 4000;
// A recursion of 16 bytes or more per level would overflow it.
constexpr size_t SmallStack = 64 * 1024;

// A Windows thread's default stack.
constexpr size_t DefaultWindowsStack = 1024 * 1024;

void RunWithStack(size_t stackSize, const std::function<void()>& body) {
    pthread_attr_t attr;
    ASSERT_EQ(pthread_attr_init(&attr), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attr, stackSize), 0);
    pthread_t thread;
    auto trampoline = [](void* arg) -> void* {
        (*static_cast<const std::function<void()>*>(arg))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, trampoline, const_cast<std::function<void()>*>(&body)),
              0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

void RunWithSmallStack(const std::function<void()>& body) {
    RunWithStack(SmallStack, body);
}

// A chain root -> n1 -> n2 -> ... of the given depth; returns the deepest node.
THeaderColumns* BuildChain(THeaderColumns& root, int depth) {
    THeaderColumns* node = &root;
    for (int i = 0; i < depth; ++i)
        node = node->Add("level");
    node->SetWidth(42);
    return node;
}

} // namespace

TEST(HeaderColumnsDeepTree, ChainIsBuiltMeasuredIndexedCopiedAndFreedWithoutRecursion) {
    bool finished = false;
    RunWithSmallStack([&] {
        auto root = std::make_unique<THeaderColumns>();
        THeaderColumns* deepest = BuildChain(*root, Depth);
        EXPECT_EQ(root->Width(), 42);
        EXPECT_EQ(deepest->Level(), Depth);
        {
            TLevels levels(root.get());
            EXPECT_EQ(levels.LevelCount(), Depth);
            EXPECT_EQ(levels.LeafCount(), 1);
            EXPECT_EQ(levels.Leaf(0), deepest);
        }
        THeaderColumns copy;
        copy.Assign(root.get());
        EXPECT_EQ(copy.Width(), 42);
        THeaderColumns* node = &copy;
        int depth = 0;
        while (node->HasChildren()) {
            node = node->Items(0);
            ++depth;
        }
        EXPECT_EQ(depth, Depth);
        EXPECT_EQ(node->StoredWidth(), 42);
        // Copying a node from inside its own deep subtree goes through a
        // snapshot of the same depth.
        root->Items(0)->Assign(root.get());
        EXPECT_EQ(root->Items(0)->Items(0)->Width(), 42);
        root->Clear();
        EXPECT_EQ(root->Count(), 0);
        root.reset(); // and freeing the copy when it leaves the scope
        finished = true;
    });
    EXPECT_TRUE(finished);
}

TEST(HeaderColumnsDeepTree, FreeingADeepSubtreeReportsOnlyThroughItsParent) {
    std::vector<THeaderColumns*> reports;
    THeaderColumns root;
    THeaderColumns* top = root.Add("top");
    THeaderColumns* doomed = top->Add("doomed");
    BuildChain(*doomed, 50);
    THeaderColumns* keep = top->Add("keep");
    struct Recorder {
        std::vector<THeaderColumns*>* log;
        void Note(THeaderColumns* s) { log->push_back(s); }
    } recorder{&reports};
    root.SetOnChange(TChangeHandler::Bind<Recorder, &Recorder::Note>(&recorder));

    // The doomed section leaves top's list once, reported through top's
    // parent; nothing inside its subtree reports anything.
    top->DeleteItem(doomed);
    EXPECT_EQ(reports, (std::vector<THeaderColumns*>{top, top}));
    ASSERT_EQ(top->Count(), 1);
    EXPECT_EQ(top->Items(0), keep);
}

namespace {

// A chain of the given depth where every node of the chain also has a leaf
// "z" listed before the next link "a": sorting by caption swaps them at
// every level.
void BuildComb(THeaderColumns& root, int depth) {
    THeaderColumns* node = &root;
    for (int i = 0; i < depth; ++i) {
        node->Add("z");
        node = node->Add("a");
    }
}

// The depth down to which every level is in the expected order, following "a".
int SortedDepth(const THeaderColumns& root, const char* first, const char* second) {
    const THeaderColumns* node = &root;
    int depth = 0;
    while (node->Count() == 2 && node->Items(0)->Caption() == first &&
           node->Items(1)->Caption() == second && node->UpdateCount() == 0) {
        node = node->Items(first[0] == 'a' ? 0 : 1);
        ++depth;
    }
    return depth;
}

int Descending(THeaderColumns* a, THeaderColumns* b) {
    return -THeaderColumns::CompareCaptions(a, b);
}

} // namespace

// A Windows host sorts on its user-interface thread, whose stack is 1 MB.
TEST(HeaderColumnsDeepTree, RecursiveSortOfFiftyThousandLevelsFitsAWindowsThreadStack) {
    constexpr int SortDepth = 50000;
    bool finished = false;
    RunWithStack(DefaultWindowsStack, [&] {
        auto root = std::make_unique<THeaderColumns>();
        BuildComb(*root, SortDepth);
        root->AlphaSort(true);
        EXPECT_EQ(SortedDepth(*root, "a", "z"), SortDepth);
        root->CustomSort(&Descending, true);
        EXPECT_EQ(SortedDepth(*root, "z", "a"), SortDepth);
        root.reset();
        finished = true;
    });
    EXPECT_TRUE(finished);
}

namespace {

int failAfter = 0;
int FailingCompare(THeaderColumns* a, THeaderColumns* b) {
    if (--failAfter == 0)
        throw std::runtime_error("compare failed");
    return THeaderColumns::CompareCaptions(a, b);
}

} // namespace

TEST(HeaderColumnsDeepTree, SortFailingDeepDownClosesEveryBracket) {
    RunWithSmallStack([&] {
        THeaderColumns root;
        BuildComb(root, Depth);
        THeaderColumns* top = root.Items(1);
        failAfter = Depth; // two comparisons a level: fails half-way down
        EXPECT_THROW(top->CustomSort(&FailingCompare, true), std::runtime_error);
        int open = 0;
        for (const THeaderColumns* node = &root; node != nullptr; node = node->GetNext())
            open += node->UpdateCount();
        EXPECT_EQ(open, 0);
    });
}

#pragma once
// What a level and leaf index that rebuilt itself on every report would
// list: the tree as it was at the last report (or direct rebuild), walked
// literally. Like the index, a read that finds a freed entry lists the tree
// as it is then. Tests compare the lazily rebuilt index with it.

#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"
#include "core/model/SectionRef.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::testing {

struct EagerIndex {
    std::vector<SectionRef> leaves;
    std::vector<std::vector<SectionRef>> levels;

    // A report reached the index, or it was rebuilt directly: the tree now.
    void Take(const THeaderColumns* root) {
        leaves.clear();
        levels.clear();
        if (root == nullptr)
            return;
        struct Entry {
            const THeaderColumns* node;
            size_t depth;
        };
        std::vector<Entry> pending;
        for (auto it = root->Children().rbegin(); it != root->Children().rend(); ++it)
            pending.push_back({*it, 0});
        while (!pending.empty()) {
            const Entry e = pending.back();
            pending.pop_back();
            if (levels.size() <= e.depth)
                levels.resize(e.depth + 1);
            levels[e.depth].emplace_back(e.node);
            if (!e.node->HasChildren())
                leaves.emplace_back(e.node);
            for (auto it = e.node->Children().rbegin(); it != e.node->Children().rend(); ++it)
                pending.push_back({*it, e.depth + 1});
        }
    }

    // A read: an entry whose section was freed makes the index rebuild.
    void Read(const THeaderColumns* root) {
        for (const auto& level : levels)
            for (const SectionRef& entry : level)
                if (!entry) {
                    Take(root);
                    return;
                }
    }

    ::testing::AssertionResult Matches(const TLevels& index) const {
        if (static_cast<int>(leaves.size()) != index.LeafCount())
            return ::testing::AssertionFailure()
                   << "leaf count " << index.LeafCount() << ", expected " << leaves.size();
        for (size_t i = 0; i < leaves.size(); ++i)
            if (leaves[i].get() != index.Leaf(static_cast<int>(i)))
                return ::testing::AssertionFailure() << "leaf " << i << " differs";
        if (static_cast<int>(levels.size()) != index.LevelCount())
            return ::testing::AssertionFailure()
                   << "level count " << index.LevelCount() << ", expected " << levels.size();
        for (size_t d = 0; d < levels.size(); ++d) {
            if (static_cast<int>(levels[d].size()) != index.LevelSize(static_cast<int>(d)))
                return ::testing::AssertionFailure() << "size of level " << d << " differs";
            for (size_t k = 0; k < levels[d].size(); ++k)
                if (levels[d][k].get() !=
                    index.LevelSection(static_cast<int>(d), static_cast<int>(k)))
                    return ::testing::AssertionFailure()
                           << "entry " << k << " of level " << d << " differs";
        }
        return ::testing::AssertionSuccess();
    }
};

} // namespace corvane::testing

#pragma once
// Random section trees and random edits for comparing the control's geometry
// and painting with the plain walk (support/LiteralLayout.h). Widths include
// negative ones, zero and values near the 32-bit maximum; edits include the
// kinds that report nothing and leave the index behind the tree. The edits
// also keep what an index rebuilt on every report would list, to compare
// the control's index with (IndexAsRebuiltOnEveryReport).

#include "EagerIndex.h"
#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"

#include <climits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace corvane::testing {

class RandomHeaders {
public:
    explicit RandomHeaders(unsigned seed) : random_(seed) {}

    void Grow(THeaderColumns* parent, int depth) {
        const int children = Pick(depth == 0 ? 1 : 0, depth >= 3 ? 0 : 4);
        for (int i = 0; i < children; ++i) {
            THeaderColumns* child = parent->Add("s" + std::to_string(next_++));
            child->SetWidth(Width());
            child->StoreHeight(Pick(-3, 12));
            Grow(child, depth + 1);
        }
    }

    int Width() {
        switch (Pick(0, 9)) {
        case 0:
            return Pick(-40, -1);
        case 1:
            return INT_MAX - Pick(0, 3);
        case 2:
            return 0;
        default:
            return Pick(1, 60);
        }
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::vector<THeaderColumns*> All(THeaderColumns* node) {
        std::vector<THeaderColumns*> out{node};
        for (THeaderColumns* child : node->Children()) {
            const auto below = All(child);
            out.insert(out.end(), below.begin(), below.end());
        }
        return out;
    }

    // One edit of the kinds a host or the dialog makes, some of which
    // report nothing and leave the index behind the tree.
    void Edit(TStrativ& header, std::vector<std::unique_ptr<THeaderColumns>>& detached) {
        THeaderColumns* root = header.Sections();
        const bool reported = EditTree(root, detached);
        if (reported)
            eager_.Take(root);
    }

    // Call once the tree is grown and reported, before the first Edit.
    void Reported(const TStrativ& header) { eager_.Take(header.Sections()); }

    ::testing::AssertionResult IndexAsRebuiltOnEveryReport(const TStrativ& header) {
        eager_.Read(header.Sections());
        return eager_.Matches(header.Levels());
    }

private:
    // Returns whether the edit reported to the tree's index.
    bool EditTree(THeaderColumns* root, std::vector<std::unique_ptr<THeaderColumns>>& detached) {
        std::vector<THeaderColumns*> nodes = All(root);
        THeaderColumns* some = nodes[static_cast<size_t>(Pick(0, int(nodes.size()) - 1))];
        switch (Pick(0, 8)) {
        case 0: // plain width store
            some->SetWidth(Width());
            break;
        case 1: // unreported: new top-level section
            root->Add("n" + std::to_string(next_++))->SetWidth(Width());
            break;
        case 2: // unreported: top-level section taken out, kept alive
            if (root->Count() > 0) {
                THeaderColumns* child = root->Items(Pick(0, root->Count() - 1));
                root->RemoveChild(child);
                detached.emplace_back(child);
            }
            break;
        case 3: // unreported: top-level reorder
            if (root->Count() > 1)
                root->Items(0)->SetIndex(root->Count() - 1);
            break;
        case 4: // reported: a child somewhere
            if (some == root)
                break;
            some->Add("c" + std::to_string(next_++))->SetWidth(Width());
            return true;
        case 5: { // reported: height, when it changes
            if (some == root)
                break;
            const int height = Pick(0, 15);
            const bool changes = height != some->Height();
            some->SetHeight(height);
            return changes;
        }
        case 6: // unreported free
            if (root->Count() > 0)
                root->DeleteItem(root->Items(Pick(0, root->Count() - 1)));
            break;
        case 7: // unreported: one top-level section moved under another
            if (root->Count() > 1) {
                root->BeginUpdate();
                root->Items(0)->AddChild(root->Items(root->Count() - 1));
                root->EndUpdate();
            }
            break;
        default:
            root->Changed(true);
            return true;
        }
        return false;
    }

    std::mt19937 random_;
    EagerIndex eager_;
    int next_ = 0;
};

} // namespace corvane::testing

#include "core/control/ColumnLayout.h"

#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"
#include "core/model/SectionRef.h"

#include <algorithm>

namespace corvane {

void TColumnLayout::Refresh(const TLevels& levels, int clientWidth) {
    // Reading the count first lets the index drop freed entries (a rebuild
    // that the comparison below then sees).
    levels.LeafCount();
    if (structureStamp_ == 0 || levels_ != &levels || levelsRebuilds_ != levels.RebuildCount() ||
        shapeChanges_ != section_registry::ShapeChanges()) {
        ComputeStructure(levels);
        ResetEdges(clientWidth);
    } else if (widthChanges_ != section_registry::WidthChanges() || clientWidth_ != clientWidth) {
        ResetEdges(clientWidth);
    }
}

// A section's run starts at the first column it is an ancestor of (a section
// counts as its own ancestor) and goes on while the following columns are
// too; it ends early at a column that is the section itself. Walking every
// column's chain of ancestors once, left to right, gives every section's run.
void TColumnLayout::ComputeStructure(const TLevels& levels) {
    structureStamp_ = 0; // invalid until complete
    const int count = levels.LeafCount();
    leaves_.resize(static_cast<size_t>(count));
    regular_ = true;
    const uint64_t stamp = ++computations_;
    for (int i = 0; i < count; ++i) {
        THeaderColumns* leaf = levels.Leaf(i);
        leaves_[static_cast<size_t>(i)] = leaf;
        regular_ = regular_ && !leaf->HasChildren() && leaf->Width() >= 0;
        for (const THeaderColumns* node = leaf; node != nullptr; node = node->Parent()) {
            Run& run = RunOf(node);
            const bool stopsHere = node == leaf;
            if (run.stamp != stamp) {
                run = Run{stamp, i, i, stopsHere};
            } else if (!run.closed && run.last == i - 1) {
                run.last = i;
                run.closed = stopsHere;
            } else {
                run.closed = true;
            }
        }
    }
    levels_ = &levels;
    levelsRebuilds_ = levels.RebuildCount();
    shapeChanges_ = section_registry::ShapeChanges();
    structureStamp_ = stamp;
}

TColumnLayout::Run& TColumnLayout::RunOf(const THeaderColumns* section) {
    const size_t slot = section->RegistrySlot();
    if (slot >= runs_.size())
        runs_.resize(std::max(slot + 1, runs_.size() * 2));
    return runs_[slot];
}

const TColumnLayout::Run* TColumnLayout::FindRun(const THeaderColumns* section) const {
    const size_t slot = section->RegistrySlot();
    if (slot >= runs_.size() || runs_[slot].stamp != structureStamp_)
        return nullptr;
    return &runs_[slot];
}

void TColumnLayout::ResetEdges(int clientWidth) {
    ++edgeResets_;
    widthChanges_ = section_registry::WidthChanges();
    clientWidth_ = clientWidth;
    summed_ = 0;
    runningSum_ = 0;
    widths_.resize(leaves_.size());
    ends_.resize(leaves_.size());
    highestEnds_.resize(leaves_.size());
}

void TColumnLayout::SumEdgesThrough(int column) {
    for (; summed_ <= column; ++summed_) {
        const size_t at = static_cast<size_t>(summed_);
        widths_[at] = leaves_[at]->Width();
        runningSum_ += widths_[at];
        ends_[at] = summed_ == Count() - 1 ? clientWidth_ : runningSum_;
        highestEnds_[at] = summed_ == 0 ? ends_[at] : std::max(highestEnds_[at - 1], ends_[at]);
    }
}

int64_t TColumnLayout::LeafWidth(int column) {
    SumEdgesThrough(column);
    return widths_[static_cast<size_t>(column)];
}

int64_t TColumnLayout::ColumnEnd(int column) {
    SumEdgesThrough(column);
    return ends_[static_cast<size_t>(column)];
}

int TColumnLayout::FirstColumnEndingAfter(int64_t x) {
    while (summed_ < Count() &&
           (summed_ == 0 || highestEnds_[static_cast<size_t>(summed_) - 1] <= x))
        SumEdgesThrough(summed_);
    const auto known = highestEnds_.begin() + summed_;
    return static_cast<int>(std::upper_bound(highestEnds_.begin(), known, x) -
                            highestEnds_.begin());
}

void TColumnLayout::Span(const THeaderColumns* section, int64_t& left, int64_t& right) {
    if (const Run* run = FindRun(section)) {
        left = ColumnStart(run->first);
        right = ColumnEnd(run->last);
    } else if (Count() > 0) {
        left = ColumnStart(Count() - 1);
        right = ColumnEnd(Count() - 1);
    } else {
        left = right = 0;
    }
}

} // namespace corvane

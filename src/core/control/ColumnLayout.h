#pragma once
// Column edges and section spans of one header, kept between paints and hit
// tests so that each costs what the visible columns cost, not what the whole
// header holds.
//
// Two parts, each valid until something it depends on changes:
// - the structure (the leaf list and which columns each section spans): the
//   index's rebuild count and the registry's shape counter;
// - the edges (running sums of the leaf widths, 64-bit): also the registry's
//   width counter and the client width. They are summed lazily, only as far
//   to the right as a query needs, so a width change costs the next paint
//   only the columns it shows.
//
// Every value is what a walk along the leaf list would give, also for a leaf
// list behind the tree (an edit that reported nothing) and for negative
// widths.

#include "core/framework/Graphics.h"

#include <climits>
#include <cstdint>
#include <vector>

namespace corvane {

class THeaderColumns;
class TLevels;

// Client coordinates beyond the 32-bit range are pinned to its ends.
inline int SaturateToInt(int64_t value) {
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

class TColumnLayout {
public:
    // Drops whatever no longer matches the index, the tree or the client width.
    void Refresh(const TLevels& levels, int clientWidth);

    int Count() const { return static_cast<int>(leaves_.size()); }
    THeaderColumns* Leaf(int column) const { return leaves_[static_cast<size_t>(column)]; }
    int64_t LeafWidth(int column);
    // Where column i starts and ends; the last column ends at the client width.
    int64_t ColumnStart(int column) { return column == 0 ? 0 : ColumnEnd(column - 1); }
    int64_t ColumnEnd(int column);
    // The first column whose end lies right of x; Count() when there is none.
    int FirstColumnEndingAfter(int64_t x);
    // Every column is a section without children and no width is negative:
    // the edges then only grow (up to the last column, which ends at the
    // client width), and every section spans the columns of its leaves.
    bool Regular() const { return regular_; }

    // Horizontal extent of a section: its first run of consecutive columns it
    // is an ancestor of (or is); the last column for a section without any.
    void Span(const THeaderColumns* section, int64_t& left, int64_t& right);

    // How often each part was computed afresh (tests check the reuse).
    uint64_t StructureComputations() const { return computations_; }
    uint64_t EdgeResets() const { return edgeResets_; }

private:
    struct Run {
        uint64_t stamp = 0; // the structure computation that filled it
        int first = 0;
        int last = 0;
        bool closed = false;
    };

    void ComputeStructure(const TLevels& levels);
    Run& RunOf(const THeaderColumns* section);
    const Run* FindRun(const THeaderColumns* section) const;
    void ResetEdges(int clientWidth);
    void SumEdgesThrough(int column);

    // What the structure was computed from.
    const TLevels* levels_ = nullptr;
    uint64_t levelsRebuilds_ = 0;
    uint64_t shapeChanges_ = 0;
    uint64_t structureStamp_ = 0; // 0: not computed
    uint64_t computations_ = 0;
    std::vector<THeaderColumns*> leaves_;
    std::vector<Run> runs_; // by registry slot
    bool regular_ = true;

    // What the edges were summed from, and how far.
    uint64_t widthChanges_ = 0;
    int clientWidth_ = 0;
    uint64_t edgeResets_ = 0;
    int summed_ = 0; // columns whose edges are known
    int64_t runningSum_ = 0;
    std::vector<int64_t> widths_;
    std::vector<int64_t> ends_;
    std::vector<int64_t> highestEnds_; // running maximum of ends_, for the search
};

} // namespace corvane

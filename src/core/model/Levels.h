#pragma once
// The flattened view of one section tree that the control reads: the leaf
// list (the columns, left to right) and, per depth below the root, the
// sections at that depth in pre-order. It installs itself as the change
// handler of every node. A report only marks it stale; it rebuilds itself
// whole when it is next read, so a run of reported edits costs one rebuild,
// not one per edit. What it shows is still the tree as it was at its last
// report: an edit that will not report to it first brings it up to date
// (see StaleIndexes.h).
//
// Entries never dangle: they are SectionRefs, and whenever sections have been
// freed since the last check, a read first looks for freed entries and, if it
// finds one (an edit that frees sections without reporting), rebuilds.

#include "core/framework/Persistent.h"
#include "core/model/ChangeHandler.h"
#include "core/model/SectionRef.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace corvane {

class TLevels : public TPersistent {
public:
    explicit TLevels(THeaderColumns* ARoot = nullptr);
    ~TLevels() override;
    TLevels(const TLevels&) = delete;
    TLevels& operator=(const TLevels&) = delete;

    const char* ClassName() const override { return "TLevels"; }

    // With a root: takes it and rebuilds. With nullptr: empties the lists.
    void SetRoot(THeaderColumns* ARoot);
    THeaderColumns* Root() const { return root_.get(); }

    // The change handler: the index is rebuilt before it is next read (or
    // before the tree changes without reporting). The section is ignored.
    virtual void TreeChanged(THeaderColumns* Section);
    // Told of each report after the index took it (a watcher of what the
    // header shows); called only when assigned.
    std::function<void()> OnReported;
    // Rebuilds now, whatever was reported; the section is ignored.
    virtual void Rebuild(THeaderColumns* Section);
    // Rebuilds now if a report came since the last rebuild.
    void CatchUp();
    bool Stale() const { return stale_; }
    const TChangeHandler& PrevOnChange() const { return prevOnChange_; }
    // What this index installs on the nodes of its tree.
    const TChangeHandler& Handler() const { return handler_; }
    // Rises with every rebuild: readers that keep derived data compare it.
    // Reading it rebuilds a stale index first, like every other read.
    uint64_t RebuildCount() const;

    // Columns, left to right.
    int LeafCount() const;
    THeaderColumns* Leaf(int Index) const; // list index error when out of range
    // Depths below the root: 0 is the root's children.
    int LevelCount() const;
    int LevelSize(int Depth) const;
    THeaderColumns* LevelSection(int Depth, int Index) const;

private:
    void Validate() const;
    void Build();
    void ClearEntries();
    void MarkStale() noexcept;
    void UnmarkStale() noexcept;

    // The handler is bound to a token of this index, not to its address:
    // nodes taken out of the tree keep their handler, and once the index is
    // gone their reports must reach nothing.
    TChangeHandler handler_;
    TChangeHandler prevOnChange_;
    SectionRef root_;
    std::vector<SectionRef> leaves_;
    std::vector<std::vector<SectionRef>> levels_;
    int levelCount_ = 0; // levels_ keeps spare rows to avoid reallocation
    mutable uint64_t checkedFrees_ = 0;
    uint64_t rebuildCount_ = 0;
    bool stale_ = false; // listed among this thread's stale indexes
};

} // namespace corvane

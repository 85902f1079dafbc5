#pragma once
// The level and leaf index as first designed, kept as a yardstick for
// TLevels: two container sections (the level list and the leaf list) whose
// children are entry sections, one allocated node per entry with a Link to
// the section it stands for; every report frees all containers and entries
// and builds them again. Installed on the tree as its change handler, like
// TLevels.

#include "core/model/HeaderColumns.h"

#include <memory>

namespace corvane::bench {

// An entry: a plain section node that also carries the section it stands for.
class ReferenceEntry : public THeaderColumns {
public:
    using THeaderColumns::THeaderColumns;
    THeaderColumns* Link = nullptr;
};

class ReferenceLevels {
public:
    explicit ReferenceLevels(THeaderColumns* ARoot);
    ~ReferenceLevels();
    ReferenceLevels(const ReferenceLevels&) = delete;
    ReferenceLevels& operator=(const ReferenceLevels&) = delete;

    void SetRoot(THeaderColumns* ARoot);
    void Rebuild(THeaderColumns* Section);

    int LeafCount() const { return leafList_->Count(); }
    THeaderColumns* Leaf(int Index) const { return Link(leafList_->Items(Index)); }
    int LevelCount() const { return levelList_->Count(); }
    int LevelSize(int Depth) const { return levelList_->Items(Depth)->Count(); }
    THeaderColumns* LevelSection(int Depth, int Index) const {
        return Link(levelList_->Items(Depth)->Items(Index));
    }

private:
    static THeaderColumns* Link(THeaderColumns* entry) { return static_cast<ReferenceEntry*>(entry)->Link; }
    static void AddEntry(THeaderColumns* container, THeaderColumns* section);
    void IndexSection(THeaderColumns* S, int D);

    TChangeHandler prevOnChange_;
    THeaderColumns* root_ = nullptr;
    std::unique_ptr<THeaderColumns> levelList_;
    std::unique_ptr<THeaderColumns> leafList_;
};

} // namespace corvane::bench

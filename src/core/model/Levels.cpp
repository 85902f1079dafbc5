#include "core/model/Levels.h"

#include "core/framework/Exceptions.h"
#include "core/model/HeaderColumns.h"
#include "core/model/StaleIndexes.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

namespace corvane {
namespace {

// Live indexes of this thread by token. The stale ones are also listed
// (capacity for every live index is reserved, so that marking one never
// allocates).
struct LiveIndexes {
    std::unordered_map<uintptr_t, TLevels*> byToken;
    std::vector<TLevels*> stale;
};

// Per thread and trivially destructible, like the section registry: made
// with the thread's first index and freed with its last, never at thread
// exit. The token counter outlives the table: tokens are never reused, so a
// handler of a freed index left in a node never reaches a new one.
thread_local LiveIndexes* t_live = nullptr;
thread_local uintptr_t t_nextToken = 1;

LiveIndexes& Live() {
    if (t_live == nullptr)
        t_live = new LiveIndexes;
    return *t_live;
}

void ReportIfAlive(void* token, THeaderColumns* section) {
    if (t_live == nullptr)
        return;
    const auto& live = t_live->byToken;
    const auto it = live.find(reinterpret_cast<uintptr_t>(token));
    if (it != live.end())
        it->second->TreeChanged(section);
}

// Brings every stale index but the one behind `keep` up to date. Each
// rebuild takes its index off the list; the count bounds the loop even if a
// rebuild of a derived index does something unexpected.
void CatchUpAllBut(const TChangeHandler& keep) {
    std::vector<TLevels*>& stale = Live().stale;
    size_t i = 0;
    for (size_t turns = stale.size(); turns > 0 && i < stale.size(); --turns) {
        TLevels* index = stale[i];
        if (keep && index->Handler() == keep)
            ++i;
        else
            index->CatchUp();
    }
}

} // namespace

namespace stale_indexes {

void BeforeEdit(const TChangeHandler& reportTo) {
    if (t_live != nullptr && !t_live->stale.empty())
        CatchUpAllBut(reportTo);
}

void BeforeQuietEditNoThrow() noexcept {
    try {
        BeforeEdit(TChangeHandler());
    } catch (...) {
        // Out of memory while rebuilding: the index stays stale and shows
        // the tree as it is at its next read, which is still sound.
    }
}

} // namespace stale_indexes

TLevels::TLevels(THeaderColumns* ARoot) {
    LiveIndexes& live = Live();
    live.stale.reserve(live.byToken.size() + 1);
    const uintptr_t token = t_nextToken++;
    live.byToken.emplace(token, this);
    handler_ = TChangeHandler(&ReportIfAlive, reinterpret_cast<void*>(token));
    if (ARoot == nullptr)
        return;
    SetRoot(ARoot);
    if (ARoot->OnChange())
        prevOnChange_ = ARoot->OnChange();
    ARoot->SetOnChange(handler_);
}

TLevels::~TLevels() {
    UnmarkStale();
    if (THeaderColumns* root = root_.get())
        root->SetOnChange(prevOnChange_);
    root_.reset();
    LiveIndexes& live = Live();
    live.byToken.erase(reinterpret_cast<uintptr_t>(handler_.Target()));
    if (live.byToken.empty()) {
        t_live = nullptr;
        delete &live;
    }
}

void TLevels::SetRoot(THeaderColumns* ARoot) {
    if (ARoot != nullptr) {
        root_ = ARoot;
        Rebuild(ARoot);
    } else {
        UnmarkStale();
        ClearEntries();
        root_.reset();
    }
}

// Spare rows above levelCount_ are always empty: Build appends to the rows.
void TLevels::ClearEntries() {
    leaves_.clear();
    for (int d = 0; d < levelCount_; ++d)
        levels_[static_cast<size_t>(d)].clear();
    levelCount_ = 0;
}

void TLevels::TreeChanged(THeaderColumns* /*Section*/) {
    MarkStale();
    if (OnReported)
        OnReported();
}

void TLevels::Rebuild(THeaderColumns* /*Section*/) {
    UnmarkStale();
    ++rebuildCount_;
    try {
        Build();
    } catch (...) {
        MarkStale(); // partly filled: the next read tries again
        throw;
    }
    checkedFrees_ = section_registry::FreedCount();
}

void TLevels::CatchUp() {
    if (!stale_)
        return;
    // Off the list first: a derived Rebuild need not reach ours.
    UnmarkStale();
    try {
        Rebuild(root_.get());
    } catch (...) {
        MarkStale();
        throw;
    }
}

void TLevels::MarkStale() noexcept {
    if (stale_)
        return;
    stale_ = true;
    Live().stale.push_back(this); // within the reserved capacity
}

void TLevels::UnmarkStale() noexcept {
    if (!stale_)
        return;
    stale_ = false;
    std::vector<TLevels*>& stale = Live().stale;
    stale.erase(std::find(stale.begin(), stale.end(), this));
}

void TLevels::Build() {
    ClearEntries();
    const THeaderColumns* root = root_.get();
    if (root == nullptr)
        return;
    // Pre-order without recursion: a very deep tree must not exhaust the stack.
    std::vector<std::pair<const THeaderColumns*, int>> pending;
    for (auto it = root->Children().rbegin(); it != root->Children().rend(); ++it)
        pending.emplace_back(*it, 0);
    while (!pending.empty()) {
        const auto [section, depth] = pending.back();
        pending.pop_back();
        if (depth >= levelCount_) {
            levelCount_ = depth + 1;
            if (levels_.size() < static_cast<size_t>(levelCount_))
                levels_.resize(static_cast<size_t>(levelCount_));
        }
        levels_[static_cast<size_t>(depth)].push_back(section);
        if (!section->HasChildren()) {
            leaves_.push_back(section);
            continue;
        }
        const auto& children = section->Children();
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.emplace_back(*it, depth + 1);
    }
}

void TLevels::Validate() const {
    if (stale_) {
        const_cast<TLevels*>(this)->CatchUp();
        return;
    }
    const uint64_t freed = section_registry::FreedCount();
    if (freed == checkedFrees_)
        return;
    checkedFrees_ = freed;
    bool stale = root_.get() == nullptr && (levelCount_ > 0 || !leaves_.empty());
    for (int d = 0; d < levelCount_ && !stale; ++d)
        for (const SectionRef& entry : levels_[static_cast<size_t>(d)])
            if (!entry) {
                stale = true;
                break;
            }
    if (stale)
        const_cast<TLevels*>(this)->Rebuild(root_.get());
}

uint64_t TLevels::RebuildCount() const {
    Validate();
    return rebuildCount_;
}

int TLevels::LeafCount() const {
    Validate();
    return static_cast<int>(leaves_.size());
}

THeaderColumns* TLevels::Leaf(int Index) const {
    Validate();
    if (Index < 0 || Index >= static_cast<int>(leaves_.size()))
        RaiseListIndexError(Index);
    return leaves_[static_cast<size_t>(Index)].get();
}

int TLevels::LevelCount() const {
    Validate();
    return levelCount_;
}

int TLevels::LevelSize(int Depth) const {
    Validate();
    if (Depth < 0 || Depth >= levelCount_)
        RaiseListIndexError(Depth);
    return static_cast<int>(levels_[static_cast<size_t>(Depth)].size());
}

THeaderColumns* TLevels::LevelSection(int Depth, int Index) const {
    const int size = LevelSize(Depth);
    if (Index < 0 || Index >= size)
        RaiseListIndexError(Index);
    return levels_[static_cast<size_t>(Depth)][static_cast<size_t>(Index)].get();
}

} // namespace corvane

#include "core/model/Levels.h"

#include "core/framework/Exceptions.h"
#include "core/model/HeaderColumns.h"

#include <cstdint>
#include <unordered_map>
#include <utility>

namespace corvane {
namespace {

// Live indexes of this thread by token; tokens are never reused.
struct LiveIndexes {
    std::unordered_map<uintptr_t, TLevels*> byToken;
    uintptr_t nextToken = 1;
};

// Freed with its thread only when no index of the thread is left, like the
// section registry: nodes freed at shutdown may still report.
struct LiveIndexesHolder {
    LiveIndexes* live = new LiveIndexes;
    ~LiveIndexesHolder() {
        if (live->byToken.empty())
            delete live;
    }
};

LiveIndexes& Live() {
    thread_local LiveIndexesHolder holder;
    return *holder.live;
}

void RebuildIfAlive(void* token, THeaderColumns* section) {
    const auto& live = Live().byToken;
    const auto it = live.find(reinterpret_cast<uintptr_t>(token));
    if (it != live.end())
        it->second->Rebuild(section);
}

} // namespace

TLevels::TLevels(THeaderColumns* ARoot) {
    LiveIndexes& live = Live();
    const uintptr_t token = live.nextToken++;
    live.byToken.emplace(token, this);
    handler_ = TChangeHandler(&RebuildIfAlive, reinterpret_cast<void*>(token));
    if (ARoot == nullptr)
        return;
    SetRoot(ARoot);
    if (ARoot->OnChange())
        prevOnChange_ = ARoot->OnChange();
    ARoot->SetOnChange(handler_);
}

TLevels::~TLevels() {
    if (THeaderColumns* root = root_.get())
        root->SetOnChange(prevOnChange_);
    root_.reset();
    Live().byToken.erase(reinterpret_cast<uintptr_t>(handler_.Target()));
}

void TLevels::SetRoot(THeaderColumns* ARoot) {
    if (ARoot != nullptr) {
        root_ = ARoot;
        Rebuild(ARoot);
    } else {
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

void TLevels::Rebuild(THeaderColumns* /*Section*/) {
    ++rebuildCount_;
    Build();
    checkedFrees_ = section_registry::FreedCount();
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

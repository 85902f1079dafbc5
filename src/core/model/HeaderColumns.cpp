#include "core/model/HeaderColumns.h"

#include "core/framework/Exceptions.h"
#include "core/model/SectionRef.h"
#include "core/model/StaleIndexes.h"
#include "core/platform/Collation.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <memory>
#include <tuple>
#include <utility>

namespace corvane {

THeaderColumns::THeaderColumns(THeaderColumns* AParent) : slot_(section_registry::Acquire(this)) {
    if (AParent != nullptr) {
        height_ = AParent->NewSectionHeight();
        try {
            SetParent(AParent);
        } catch (...) {
            // The parent's report failed after the node was appended: this
            // object is going away, so its parent must not keep it.
            ForgetParent();
            section_registry::Release(slot_);
            throw;
        }
    }
}

THeaderColumns::~THeaderColumns() {
    // Reports of the children while they free their subtrees stop at this node.
    updateCount_ = 1;
    try {
        Clear();
    } catch (...) {
        // A change handler failed (out of memory while re-indexing); the
        // subtree is freed all the same below.
    }
    while (!children_.empty()) {
        THeaderColumns* last = children_.back();
        FreeDescendantsQuietly(last);
        delete last;
        if (!children_.empty() && children_.back() == last)
            children_.pop_back();
    }
    try {
        SetParent(nullptr);
    } catch (...) {
    }
    ForgetParent(); // the parent must never keep a freed child
    section_registry::Release(slot_);
}

void THeaderColumns::ForgetParent() noexcept {
    if (parent_ == nullptr)
        return;
    auto& siblings = parent_->children_;
    const auto it = std::find(siblings.begin(), siblings.end(), this);
    if (it != siblings.end()) {
        stale_indexes::BeforeQuietEditNoThrow();
        siblings.erase(it);
    }
    parent_ = nullptr;
}

void THeaderColumns::SetCaption(const std::string& value) {
    caption_ = value;
    section_registry::NoteCaptionChange();
}

int THeaderColumns::Width() const {
    if (children_.empty())
        return width_;
    // Iterative, so that a very deep tree cannot exhaust the stack; unsigned
    // arithmetic keeps an overflowing sum defined (it wraps as 32-bit).
    uint32_t sum = 0;
    std::vector<const THeaderColumns*> pending(children_.rbegin(), children_.rend());
    while (!pending.empty()) {
        const THeaderColumns* node = pending.back();
        pending.pop_back();
        if (node->children_.empty())
            sum += static_cast<uint32_t>(node->width_);
        else
            pending.insert(pending.end(), node->children_.rbegin(), node->children_.rend());
    }
    return static_cast<int>(sum);
}

void THeaderColumns::SetWidth(int value) {
    width_ = value;
    // Unreported, but geometry caches must see it.
    if (value < 0)
        section_registry::NoteShapeChange();
    else
        section_registry::NoteWidthChange();
}

void THeaderColumns::SetHeight(int value) {
    if (value == height_)
        return;
    UpdateScope update(*this);
    height_ = value <= MinimumHeight ? MinimumHeight : value;
    section_registry::NoteHeightChange();
}

int THeaderColumns::NewSectionHeight() const {
    const THeaderColumns* root = this;
    while (root->parent_ != nullptr)
        root = root->parent_;
    return root->newSectionHeight_;
}

THeaderColumns* THeaderColumns::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        RaiseListIndexError(Index);
    return children_[static_cast<size_t>(Index)];
}

int THeaderColumns::Index() const {
    if (parent_ == nullptr)
        return -1;
    const auto& siblings = parent_->children_;
    const auto it = std::find(siblings.begin(), siblings.end(), this);
    return it == siblings.end() ? -1 : static_cast<int>(it - siblings.begin());
}

int THeaderColumns::Level() const {
    int level = 0;
    for (const THeaderColumns* p = parent_; p != nullptr; p = p->parent_)
        ++level;
    return level;
}

namespace {

int SubtreeSize(const THeaderColumns* node) {
    int size = 0;
    std::vector<const THeaderColumns*> pending{node};
    while (!pending.empty()) {
        const THeaderColumns* n = pending.back();
        pending.pop_back();
        ++size;
        pending.insert(pending.end(), n->Children().begin(), n->Children().end());
    }
    return size;
}

} // namespace

int THeaderColumns::AbsoluteIndex() const {
    int index = 0;
    for (const THeaderColumns* node = this; node->parent_ != nullptr; node = node->parent_) {
        ++index; // the parent itself precedes
        for (const THeaderColumns* sibling : node->parent_->children_) {
            if (sibling == node)
                break;
            index += SubtreeSize(sibling);
        }
    }
    return index;
}

bool THeaderColumns::IsParent(const THeaderColumns* Section) const {
    for (const THeaderColumns* node = Section; node != nullptr; node = node->parent_)
        if (node == this)
            return true;
    return false;
}

THeaderColumns* THeaderColumns::FindItemID(int ID) const {
    for (THeaderColumns* child : children_)
        if (child->id_ == ID)
            return child;
    return nullptr;
}

THeaderColumns* THeaderColumns::GetFirstChild() const {
    return children_.empty() ? nullptr : children_.front();
}

THeaderColumns* THeaderColumns::GetLastChild() const {
    return children_.empty() ? nullptr : children_.back();
}

THeaderColumns* THeaderColumns::GetNextSibling() const {
    if (parent_ == nullptr)
        return nullptr;
    const int i = Index();
    return i + 1 < parent_->Count() ? parent_->children_[static_cast<size_t>(i + 1)] : nullptr;
}

THeaderColumns* THeaderColumns::GetPrevSibling() const {
    if (parent_ == nullptr)
        return nullptr;
    const int i = Index();
    return i > 0 ? parent_->children_[static_cast<size_t>(i - 1)] : nullptr;
}

THeaderColumns* THeaderColumns::GetNext() const {
    if (!children_.empty())
        return children_.front();
    for (const THeaderColumns* node = this; node != nullptr; node = node->parent_)
        if (THeaderColumns* next = node->GetNextSibling())
            return next;
    return nullptr;
}

THeaderColumns* THeaderColumns::GetPrev() const {
    THeaderColumns* result = GetPrevSibling();
    if (result == nullptr)
        return parent_;
    while (THeaderColumns* last = result->GetLastChild())
        result = last;
    return result;
}

THeaderColumns* THeaderColumns::Add(const std::string& Caption) {
    auto* node = new THeaderColumns(this);
    node->SetCaption(Caption);
    if (onChange_)
        node->onChange_ = onChange_;
    return node;
}

THeaderColumns* THeaderColumns::Insert(int Index) {
    THeaderColumns* node = Add(std::string());
    node->SetIndex(Index);
    return node;
}

void THeaderColumns::DeleteItem(THeaderColumns* Section) {
    // Freeing a node that another parent lists would leave that list holding
    // freed memory, so only own children are deleted.
    if (Section == nullptr || Section->parent_ != this)
        throw EInvalidOperation("The section to delete is not a child of this section");
    UpdateScope update(*this);
    // Freed also when the report of its removal fails: by then it is in no
    // list, and nobody else would free it.
    std::unique_ptr<THeaderColumns> doomed(Section);
    RemoveChild(Section);
    Section->Clear();
}

void THeaderColumns::Clear() {
    if (children_.empty())
        return;
    UpdateScope update(*this);
    while (!children_.empty()) {
        THeaderColumns* last = children_.back();
        FreeDescendantsQuietly(last);
        delete last; // its destructor detaches it through RemoveChild
    }
}

void THeaderColumns::FreeDescendantsQuietly(THeaderColumns* node) noexcept {
    // Bottom-up, without recursion, so that a tree of any depth can be freed.
    // Every node on the way down is marked as updating, as its destructor
    // would mark it: what the freed leaves report stops there, exactly as
    // when each destructor frees its own children.
    THeaderColumns* current = node;
    while (true) {
        if (!current->children_.empty()) {
            current->updateCount_ = 1;
            current = current->children_.back();
        } else if (current == node) {
            return;
        } else {
            THeaderColumns* up = current->parent_;
            delete current;
            current = up;
        }
    }
}

void THeaderColumns::Exchange(int Index1, int Index2) {
    if (Index1 < 0 || Index1 >= Count() || Index2 < 0 || Index2 >= Count())
        return;
    stale_indexes::BeforeEdit(ReportTarget(true));
    std::swap(children_[static_cast<size_t>(Index1)], children_[static_cast<size_t>(Index2)]);
    section_registry::NoteShapeChange();
    Changed(true);
}

void THeaderColumns::SetIndex(int NewIndex) {
    if (parent_ == nullptr)
        return;
    const int current = Index();
    if (NewIndex == current)
        return;
    auto& siblings = parent_->children_;
    if (NewIndex < 0 || NewIndex >= static_cast<int>(siblings.size()))
        RaiseListIndexError(NewIndex);
    stale_indexes::BeforeEdit(ReportTarget(true));
    siblings.erase(siblings.begin() + current);
    siblings.insert(siblings.begin() + NewIndex, this);
    section_registry::NoteShapeChange();
    Changed(true);
}

namespace {

[[noreturn]] void RaiseOwnedRootMove() {
    throw EInvalidOperation("The root section of a header cannot be moved");
}

} // namespace

void THeaderColumns::MakeOwnedRoot() {
    if (parent_ != nullptr)
        throw EInvalidOperation("Only a section without parent can be a header's root");
    ownedRoot_ = true;
}

void THeaderColumns::SetParent(THeaderColumns* Value) {
    if (Value == parent_)
        return;
    // Its holder frees it; a parent would free it a second time.
    if (ownedRoot_)
        RaiseOwnedRootMove();
    // Checked before anything moves: a node under its own subtree would make
    // the tree cyclic, and every walk over it endless.
    // (A node without children is only an ancestor of itself: no walk.)
    if (Value != nullptr && (Value == this || (HasChildren() && IsParent(Value))))
        throw EInvalidOperation("A section cannot be moved into its own subtree");
    if (parent_ != nullptr)
        parent_->RemoveChild(this);
    if (Value != nullptr)
        Value->AddChild(this);
}

void THeaderColumns::AddChild(THeaderColumns* Child) {
    if (Child == nullptr)
        return;
    if (Child->ownedRoot_)
        RaiseOwnedRootMove();
    // A child without children can only be an ancestor of this node by being
    // this node; skipping the walk keeps building deep trees linear.
    if (Child == this || (Child->HasChildren() && Child->IsParent(this)))
        throw EInvalidOperation("A section cannot be moved into its own subtree");
    // A node listed by two parents would be freed twice; take it from its
    // old list first.
    if (Child->parent_ != nullptr)
        Child->parent_->RemoveChild(Child);
    stale_indexes::BeforeEdit(ReportTarget(false));
    children_.push_back(Child);
    Child->parent_ = this;
    Child->id_ = nextId_++;
    section_registry::NoteShapeChange();
    Changed(false);
}

void THeaderColumns::RemoveChild(THeaderColumns* Child) {
    // A section is listed at most once, so searching from the back finds the
    // same entry and keeps Clear (which frees the last child first) linear.
    const auto it = std::find(children_.rbegin(), children_.rend(), Child);
    if (it == children_.rend())
        return; // not ours: its real parent keeps it
    stale_indexes::BeforeEdit(ReportTarget(false));
    children_.erase(std::next(it).base());
    Child->parent_ = nullptr;
    section_registry::NoteShapeChange();
    Changed(false);
}

int THeaderColumns::CompareCaptions(THeaderColumns* a, THeaderColumns* b) {
    return corvane::CompareCaptions(a->caption_.c_str(), b->caption_.c_str());
}

void THeaderColumns::AlphaSort(bool Recursive) {
    CustomSort(&CompareCaptions, Recursive);
}

void THeaderColumns::CustomSort(TSectionCompare Compare, bool Recursive) {
    if (Compare == nullptr)
        Compare = &CompareCaptions;
    if (!Recursive) {
        UpdateScope update(*this);
        SortChildren(Compare);
        return;
    }
    // Every node of the subtree, parents before children and children in
    // their sorted order, each inside its own update bracket that closes
    // after its whole subtree: the order a recursive sort would take, walked
    // with an explicit stack so that no depth can exhaust the call stack.
    struct Frame {
        THeaderColumns* Node;
        std::vector<THeaderColumns*> Sorted; // the children as sorted
        size_t NextChild;
    };
    std::vector<Frame> open;
    auto enter = [&open, Compare](THeaderColumns* node) {
        node->BeginUpdate();
        open.push_back(Frame{node, {}, 0});
        node->SortChildren(Compare);
        open.back().Sorted = node->children_;
    };
    try {
        enter(this);
        while (!open.empty()) {
            Frame& top = open.back();
            if (top.NextChild < top.Sorted.size()) {
                enter(top.Sorted[top.NextChild++]);
            } else {
                THeaderColumns* done = top.Node;
                open.pop_back();
                done->EndUpdate();
            }
        }
    } catch (...) {
        // Close the brackets still open, innermost first; the first error is
        // the one the caller sees.
        while (!open.empty()) {
            THeaderColumns* pending = open.back().Node;
            open.pop_back();
            try {
                pending->EndUpdate();
            } catch (...) {
            }
        }
        throw;
    }
}

void THeaderColumns::SortChildren(TSectionCompare Compare) {
    if (children_.empty())
        return;
    // Reported when the bracket closes (after the children's sorts, which
    // report nothing and so catch a stale index up themselves).
    stale_indexes::BeforeEdit(ReportTarget(false));
    QuickSort(Compare, 0, Count() - 1);
    section_registry::NoteShapeChange();
}

// The framework list's quicksort, step for step: callers may see its
// (unstable) order of equal captions. The left part is sorted before the
// right one, as the recursive original does, from a stack of ranges still
// to sort, so that no order of captions can exhaust the call stack.
void THeaderColumns::QuickSort(TSectionCompare Compare, int L, int R) {
    auto at = [this](int i) -> THeaderColumns*& { return children_[static_cast<size_t>(i)]; };
    std::vector<std::pair<int, int>> ranges{{L, R}};
    while (!ranges.empty()) {
        std::tie(L, R) = ranges.back();
        ranges.pop_back();
        int I = L;
        int J = R;
        THeaderColumns* P = at(L + (R - L) / 2);
        do {
            // The bounds only matter for a comparison that contradicts
            // itself; they keep such a sort inside the list.
            while (Compare(at(I), P) < 0 && I < R)
                ++I;
            while (Compare(at(J), P) > 0 && J > L)
                --J;
            if (I <= J) {
                std::swap(at(I), at(J));
                ++I;
                --J;
            }
        } while (I <= J);
        if (I < R)
            ranges.emplace_back(I, R);
        if (L < J)
            ranges.emplace_back(L, J);
    }
}

void THeaderColumns::Assign(const TPersistent* Source) {
    const auto* source = dynamic_cast<const THeaderColumns*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (IsParent(source) || source->IsParent(this)) {
        // Copying from this node or from inside its subtree: the Clear below
        // would free the source half-way. Copying from an ancestor: the copy
        // would grow the very subtree it is reading, without end. Either way,
        // copy from a snapshot instead.
        THeaderColumns snapshot;
        snapshot.AssignFrom(*source);
        AssignFrom(snapshot);
        return;
    }
    AssignFrom(*source);
}

void THeaderColumns::AssignFrom(const THeaderColumns& Source) {
    // The copy walks the source in pre-order with an explicit stack, so that
    // a tree of any depth is copied without exhausting the call stack. Each
    // copied node is bracketed by BeginUpdate/EndUpdate around its fields and
    // its children, as a recursive copy would bracket it.
    struct Frame {
        THeaderColumns* target;
        const THeaderColumns* source;
        size_t nextChild;
    };
    std::vector<Frame> frames;
    auto open = [&frames](THeaderColumns* target, const THeaderColumns* source) {
        frames.push_back(Frame{target, source, 0});
        target->BeginUpdate();
        target->caption_ = source->caption_;
        section_registry::NoteCaptionChange();
        target->typeCol_ = source->typeCol_;
        target->alignment_ = source->alignment_;
        target->width_ = source->Width();
        section_registry::NoteShapeChange();
        target->height_ = source->height_;
        target->Clear();
    };
    try {
        open(this, &Source);
        while (!frames.empty()) {
            Frame& frame = frames.back();
            if (frame.nextChild < frame.source->children_.size()) {
                const THeaderColumns* child = frame.source->children_[frame.nextChild++];
                THeaderColumns* copy = frame.target->Add(std::string());
                open(copy, child);
            } else {
                THeaderColumns* done = frame.target;
                frames.pop_back();
                done->EndUpdate();
            }
        }
    } catch (...) {
        // Close every bracket still open, innermost first; the first error is
        // the one the caller sees.
        while (!frames.empty()) {
            THeaderColumns* pending = frames.back().target;
            frames.pop_back();
            try {
                pending->EndUpdate();
            } catch (...) {
            }
        }
        throw;
    }
}

void THeaderColumns::SetOnChange(const TChangeHandler& Handler) {
    std::vector<THeaderColumns*> pending{this};
    while (!pending.empty()) {
        THeaderColumns* node = pending.back();
        pending.pop_back();
        node->onChange_ = Handler;
        pending.insert(pending.end(), node->children_.rbegin(), node->children_.rend());
    }
}

void THeaderColumns::BeginUpdate() {
    ++updateCount_;
}

void THeaderColumns::EndUpdate() {
    --updateCount_;
    Changed(false);
}

void THeaderColumns::Changed(bool All) {
    if (parent_ != nullptr && parent_->updateCount_ == 0)
        parent_->DoChange(All ? nullptr : this);
    else if (All)
        DoChange(this);
}

TChangeHandler THeaderColumns::ReportTarget(bool All) const {
    if (parent_ != nullptr && parent_->updateCount_ == 0) {
        // The parent's DoChange: with this node, or for All with its own parent.
        if (!All || parent_->parent_ != nullptr)
            return parent_->onChange_;
        return TChangeHandler();
    }
    return All ? onChange_ : TChangeHandler();
}

void THeaderColumns::DoChange(THeaderColumns* Section) {
    if (!onChange_)
        return;
    if (Section != nullptr)
        onChange_(Section);
    else if (parent_ != nullptr)
        onChange_(parent_);
}

UpdateScope::UpdateScope(THeaderColumns& node)
    : node_(node), pendingErrors_(std::uncaught_exceptions()) {
    node_.BeginUpdate();
}

UpdateScope::~UpdateScope() noexcept(false) {
    if (std::uncaught_exceptions() > pendingErrors_) {
        try {
            node_.EndUpdate();
        } catch (...) {
        }
    } else {
        node_.EndUpdate();
    }
}

} // namespace corvane

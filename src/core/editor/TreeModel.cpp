#include "core/editor/TreeModel.h"

#include "core/framework/Exceptions.h"

namespace corvane::editor {

// --- TTreeNode ------------------------------------------------------------------

const std::vector<TTreeNode*>& TTreeNode::Siblings() const {
    return parent_ != nullptr ? parent_->children_ : model_.roots_;
}

int TTreeNode::Level() const {
    int level = 0;
    for (const TTreeNode* p = parent_; p != nullptr; p = p->parent_)
        ++level;
    return level;
}

TTreeNode* TTreeNode::NextSibling() const {
    const auto& siblings = Siblings();
    const size_t next = static_cast<size_t>(index_) + 1;
    return next < siblings.size() ? siblings[next] : nullptr;
}

TTreeNode* TTreeNode::PrevSibling() const {
    return index_ > 0 ? Siblings()[static_cast<size_t>(index_) - 1] : nullptr;
}

TTreeNode* TTreeNode::Next() const {
    if (!children_.empty())
        return children_.front();
    for (const TTreeNode* node = this; node != nullptr; node = node->parent_) {
        if (TTreeNode* sibling = node->NextSibling())
            return sibling;
    }
    return nullptr;
}

bool TTreeNode::IsAncestorOf(const TTreeNode* node) const {
    for (; node != nullptr; node = node->parent_) {
        if (node->parent_ == this)
            return true;
    }
    return false;
}

// --- TTreeModel -------------------------------------------------------------------

TTreeModel::~TTreeModel() {
    for (TTreeNode* root : roots_)
        FreeSubtree(root);
}

std::vector<TTreeNode*>& TTreeModel::SiblingsOf(TTreeNode* parent) {
    return parent != nullptr ? parent->children_ : roots_;
}

void TTreeModel::Link(TTreeNode* node, TTreeNode* parent, size_t position) {
    auto& siblings = SiblingsOf(parent);
    node->parent_ = parent;
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(position), node);
    for (size_t i = position; i < siblings.size(); ++i)
        siblings[i]->index_ = static_cast<int>(i);
}

void TTreeModel::Unlink(TTreeNode* node) {
    auto& siblings = SiblingsOf(node->parent_);
    const size_t position = static_cast<size_t>(node->index_);
    siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(position));
    for (size_t i = position; i < siblings.size(); ++i)
        siblings[i]->index_ = static_cast<int>(i);
}

void TTreeModel::FreeSubtree(TTreeNode* node) noexcept {
    std::vector<TTreeNode*> pending{node};
    while (!pending.empty()) {
        TTreeNode* next = pending.back();
        pending.pop_back();
        pending.insert(pending.end(), next->children_.begin(), next->children_.end());
        delete next;
        --total_;
    }
}

TTreeNode* TTreeModel::Add(TTreeNode* parent, const std::string& text,
                           const TSectionItemData& data) {
    auto* node = new TTreeNode(*this, parent, text, data);
    Link(node, parent, SiblingsOf(parent).size());
    ++total_;
    if (port_ != nullptr)
        port_->ItemInserted(*node);
    return node;
}

void TTreeModel::Delete(TTreeNode* node) {
    if (node == nullptr)
        return;
    if (selected_ == node || node->IsAncestorOf(selected_)) {
        TTreeNode* next = node->NextSibling();
        if (next == nullptr)
            next = node->Parent();
        if (next == nullptr)
            next = node->PrevSibling();
        Select(next);
    }
    if (port_ != nullptr)
        port_->ItemDeleting(*node);
    Unlink(node);
    FreeSubtree(node);
}

void TTreeModel::Clear() {
    Select(nullptr);
    if (port_ != nullptr)
        port_->ItemsCleared();
    std::vector<TTreeNode*> roots;
    roots.swap(roots_);
    for (TTreeNode* root : roots)
        FreeSubtree(root);
}

void TTreeModel::MoveBefore(TTreeNode* node, TTreeNode* sibling) {
    if (node == nullptr || sibling == nullptr || node == sibling ||
        node->Parent() != sibling->Parent())
        throw EInvalidOperation("An item can only move among its siblings");
    if (port_ != nullptr)
        port_->ItemDeleting(*node);
    Unlink(node);
    Link(node, node->Parent(), static_cast<size_t>(sibling->Index()));
    if (port_ != nullptr) {
        port_->ItemInserted(*node);
        port_->SelectionChanged(selected_);
    }
}

void TTreeModel::SetText(TTreeNode* node, const std::string& text) {
    node->text_ = text;
    if (port_ != nullptr)
        port_->TextChanged(*node);
}

void TTreeModel::BeginFill() {
    if (port_ != nullptr)
        port_->BeginFill();
}

void TTreeModel::EndFill() {
    if (port_ != nullptr)
        port_->EndFill();
}

void TTreeModel::FullExpand() {
    if (port_ != nullptr)
        port_->ExpandAll();
}

void TTreeModel::Select(TTreeNode* node) {
    if (selected_ == node)
        return;
    selected_ = node;
    if (port_ != nullptr)
        port_->SelectionChanged(node);
    if (OnChange)
        OnChange();
}

void TTreeModel::EditText(TTreeNode* node) {
    if (node != nullptr && port_ != nullptr)
        port_->EditText(*node);
}

void TTreeModel::Focus() {
    ++focusRequests_;
    if (port_ != nullptr)
        port_->Focus();
}

void TTreeModel::UserClick() {
    if (OnClick)
        OnClick();
}

void TTreeModel::UserEndEdit(TTreeNode* node, const std::string* text) {
    editing_ = false;
    if (node == nullptr || text == nullptr)
        return;
    std::string accepted = *text;
    if (OnEdited)
        OnEdited(node, accepted);
    SetText(node, accepted);
}

void TTreeModel::UserKeyDown(int key, TShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(key, shift);
}

} // namespace corvane::editor

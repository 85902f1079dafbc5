#pragma once
// The editor's tree view as its logic sees it: items with a caption and a
// section record, one selected item, in-place caption editing. The model is
// the authority; a platform tree view attached as its port mirrors every
// change and reports what the user did through the User... entries. The
// selection follows the handler rule of the widgets: OnChange runs exactly
// when the selected item changes, from code or from the user.
//
// Items are freed, copied and walked without recursion, so a tree of any
// depth cannot exhaust the stack.

#include "core/control/StrativTypes.h"
#include "core/editor/SectionItemData.h"
#include "core/editor/Widgets.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace corvane::editor {

class TTreeModel;

class TTreeNode {
public:
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    const std::string& Text() const { return text_; }
    TTreeNode* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int index) const { return children_.at(static_cast<size_t>(index)); }
    int Index() const { return index_; }
    int Level() const;
    TTreeNode* FirstChild() const { return children_.empty() ? nullptr : children_.front(); }
    TTreeNode* NextSibling() const;
    TTreeNode* PrevSibling() const;
    // Pre-order successor within the whole tree.
    TTreeNode* Next() const;
    bool IsAncestorOf(const TTreeNode* node) const;

    TSectionItemData Data;
    // The platform control's own handle of this item (not owned).
    void* Handle = nullptr;

private:
    friend class TTreeModel;
    TTreeNode(TTreeModel& model, TTreeNode* parent, std::string text, const TSectionItemData& data)
        : Data(data), model_(model), parent_(parent), text_(std::move(text)) {}
    ~TTreeNode() = default;
    const std::vector<TTreeNode*>& Siblings() const;

    TTreeModel& model_;
    TTreeNode* parent_;
    std::string text_;
    int index_ = 0;
    std::vector<TTreeNode*> children_; // owned; freed by TTreeModel
};

// What a platform tree view does for the model.
class TTreeViewPort {
public:
    virtual ~TTreeViewPort() = default;
    // Around a fill of many items: no repaint per item.
    virtual void BeginFill() {}
    virtual void EndFill() {}
    virtual void ItemsCleared() = 0;
    // node (with its whole subtree) now stands at its place: before its next
    // sibling, or as its parent's last child.
    virtual void ItemInserted(TTreeNode& node) = 0;
    // node and its subtree are about to go.
    virtual void ItemDeleting(TTreeNode& node) = 0;
    virtual void TextChanged(TTreeNode& node) = 0;
    // Show node (or none) as the selected item.
    virtual void SelectionChanged(TTreeNode* node) = 0;
    virtual void ExpandAll() = 0;
    // Start editing node's caption in place.
    virtual void EditText(TTreeNode& node) = 0;
    virtual void Focus() = 0;
};

class TTreeModel {
public:
    TTreeModel() = default;
    ~TTreeModel();
    TTreeModel(const TTreeModel&) = delete;
    TTreeModel& operator=(const TTreeModel&) = delete;

    void AttachPort(TTreeViewPort* port) { port_ = port; }

    // --- Items ---------------------------------------------------------------
    int Count() const { return static_cast<int>(roots_.size()); }
    TTreeNode* Item(int index) const { return roots_.at(static_cast<size_t>(index)); }
    TTreeNode* First() const { return roots_.empty() ? nullptr : roots_.front(); }
    size_t TotalCount() const { return total_; }
    // Appends a new item as the last child of parent (the last top-level
    // item when parent is none).
    TTreeNode* Add(TTreeNode* parent, const std::string& text, const TSectionItemData& data);
    // Deletes node with everything below it. A selection inside it moves
    // first, as the tree view does: to the next sibling, else the parent,
    // else the previous sibling, else to none.
    void Delete(TTreeNode* node);
    void Clear();
    // Moves node (with its subtree) to stand just before sibling, a sibling
    // of it under the same parent. The selection stays where it is.
    void MoveBefore(TTreeNode* node, TTreeNode* sibling);
    void SetText(TTreeNode* node, const std::string& text);
    // Brackets a fill of many items (the port repaints once).
    void BeginFill();
    void EndFill();
    void FullExpand();

    // --- Selection, editing, focus -------------------------------------------
    TTreeNode* Selected() const { return selected_; }
    void Select(TTreeNode* node);
    bool IsEditing() const { return editing_; }
    void EditText(TTreeNode* node);
    void Focus();
    int FocusRequests() const { return focusRequests_; }

    // --- What the user did (from the port) ------------------------------------
    void UserSelect(TTreeNode* node) { Select(node); }
    void UserClick();
    void UserBeginEdit() { editing_ = true; }
    // An in-place edit ended: accepted with text, or cancelled (text null).
    void UserEndEdit(TTreeNode* node, const std::string* text);
    void UserKeyDown(int key, TShiftState shift);

    // --- Handlers -------------------------------------------------------------
    THandler OnChange, OnClick;
    std::function<void(TTreeNode* node, std::string& text)> OnEdited;
    std::function<void(int& key, TShiftState shift)> OnKeyDown;

private:
    friend class TTreeNode;
    std::vector<TTreeNode*>& SiblingsOf(TTreeNode* parent);
    void Unlink(TTreeNode* node);
    void Link(TTreeNode* node, TTreeNode* parent, size_t position);
    void FreeSubtree(TTreeNode* node) noexcept;

    std::vector<TTreeNode*> roots_; // owned
    size_t total_ = 0;
    TTreeNode* selected_ = nullptr;
    TTreeViewPort* port_ = nullptr;
    bool editing_ = false;
    int focusRequests_ = 0;
};

} // namespace corvane::editor

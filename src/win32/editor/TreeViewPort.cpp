#include "win32/editor/TreeViewPort.h"

#include "win32/WideText.h"

#include <cwchar>
#include <string>
#include <vector>

namespace corvane::win32::editor {
namespace {

HTREEITEM ItemOf(const TTreeNode* node) {
    return node != nullptr ? static_cast<HTREEITEM>(node->Handle) : nullptr;
}

} // namespace

TTreeNode* TreeViewPort::NodeOf(HTREEITEM handle) const {
    if (handle == nullptr)
        return nullptr;
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = handle;
    if (!::SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<TTreeNode*>(item.lParam);
}

TreeViewPort::TreeViewPort(TTreeModel& model, HWND tree) : model_(model), tree_(tree) {
    model_.AttachPort(this);
    // A model kept from an earlier window (a host page activated again)
    // already has items: the new tree view shows them.
    if (model_.Count() == 0)
        return;
    BeginFill();
    for (int i = 0; i < model_.Count(); ++i)
        ItemInserted(*model_.Item(i));
    EndFill();
    if (model_.Selected() != nullptr)
        SelectionChanged(model_.Selected());
}

void TreeViewPort::BeginFill() {
    if (fillDepth_++ == 0)
        ::SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
}

void TreeViewPort::EndFill() {
    if (--fillDepth_ == 0) {
        ::SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(tree_, nullptr, TRUE);
    }
}

void TreeViewPort::ItemsCleared() {
    Busy busy(*this);
    ::SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

HTREEITEM TreeViewPort::InsertOne(TTreeNode& node) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = node.Parent() != nullptr ? ItemOf(node.Parent()) : TVI_ROOT;
    const TTreeNode* previous = node.PrevSibling();
    insert.hInsertAfter = previous != nullptr ? ItemOf(previous) : TVI_FIRST;
    if (node.NextSibling() == nullptr)
        insert.hInsertAfter = TVI_LAST; // the common case; no search for the place
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    std::wstring text = WideFromUtf8(node.Text());
    insert.item.pszText = text.data();
    insert.item.lParam = reinterpret_cast<LPARAM>(&node);
    const auto item = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    node.Handle = item;
    return item;
}

void TreeViewPort::ItemInserted(TTreeNode& node) {
    Busy busy(*this);
    InsertOne(node);
    // A moved item comes back with its subtree: pre-order, parents first.
    if (node.Count() == 0)
        return;
    const TTreeNode* end = nullptr;
    for (const TTreeNode* n = &node; n != nullptr && end == nullptr; n = n->Parent())
        end = n->NextSibling();
    std::vector<TTreeNode*> expand{&node};
    for (TTreeNode* n = node.Next(); n != nullptr && n != end; n = n->Next()) {
        InsertOne(*n);
        if (n->Count() > 0)
            expand.push_back(n);
    }
    for (TTreeNode* n : expand)
        ::SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(ItemOf(n)));
}

void TreeViewPort::ItemDeleting(TTreeNode& node) {
    Busy busy(*this);
    ::SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(ItemOf(&node)));
}

void TreeViewPort::TextChanged(TTreeNode& node) {
    Busy busy(*this);
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = ItemOf(&node);
    std::wstring text = WideFromUtf8(node.Text());
    item.pszText = text.data();
    ::SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TreeViewPort::SelectionChanged(TTreeNode* node) {
    Busy busy(*this);
    ::SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(ItemOf(node)));
}

void TreeViewPort::ExpandAll() {
    Busy busy(*this);
    for (TTreeNode* n = model_.First(); n != nullptr; n = n->Next()) {
        if (n->Count() > 0)
            ::SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(ItemOf(n)));
    }
}

void TreeViewPort::EditText(TTreeNode& node) {
    ::SetFocus(tree_);
    ::SendMessageW(tree_, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(ItemOf(&node)));
}

LRESULT TreeViewPort::Notify(const NMHDR& header) {
    switch (header.code) {
    case TVN_SELCHANGEDW:
        if (busy_ == 0)
            model_.UserSelect(NodeOf(reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.hItem));
        return 0;
    case NM_CLICK:
        model_.UserClick();
        return 0;
    case TVN_BEGINLABELEDITW:
        model_.UserBeginEdit();
        return FALSE; // allow the edit
    case TVN_ENDLABELEDITW: {
        const TVITEMW& item = reinterpret_cast<const NMTVDISPINFOW&>(header).item;
        if (item.pszText == nullptr) {
            model_.UserEndEdit(NodeOf(item.hItem), nullptr);
        } else {
            const std::string text = Utf8FromWide(item.pszText, std::wcslen(item.pszText));
            model_.UserEndEdit(NodeOf(item.hItem), &text);
        }
        return FALSE; // the model has set the item's text itself
    }
    case TVN_KEYDOWN: {
        const auto& key = reinterpret_cast<const NMTVKEYDOWN&>(header);
        TShiftState shift = 0;
        if (::GetKeyState(VK_SHIFT) < 0)
            shift |= ssShift;
        if (::GetKeyState(VK_CONTROL) < 0)
            shift |= ssCtrl;
        if (::GetKeyState(VK_MENU) < 0)
            shift |= ssAlt;
        model_.UserKeyDown(key.wVKey, shift);
        return 0; // not consumed: the tree view handles the key as well
    }
    default:
        return 0;
    }
}

} // namespace corvane::win32::editor

#pragma once
// The system tree view as the port of the editor's tree model: mirrors every
// change of the model and reports the user's selection, clicks, key presses
// and in-place caption edits. Notifications the tree view sends while it
// carries out the model's own change are not reported: the model already
// knows.

#include "core/editor/TreeModel.h"
#include "win32/editor/ControlViews.h"

namespace corvane::win32::editor {

class TreeViewPort : public TTreeViewPort, public ControlBinding {
public:
    TreeViewPort(TTreeModel& model, HWND tree);
    ~TreeViewPort() override { model_.AttachPort(nullptr); }

    HWND Handle() const { return tree_; }

    void BeginFill() override;
    void EndFill() override;
    void ItemsCleared() override;
    void ItemInserted(TTreeNode& node) override;
    void ItemDeleting(TTreeNode& node) override;
    void TextChanged(TTreeNode& node) override;
    void SelectionChanged(TTreeNode* node) override;
    void ExpandAll() override;
    void EditText(TTreeNode& node) override;
    void Focus() override { ::SetFocus(tree_); }

    LRESULT Notify(const NMHDR& header) override;

private:
    // Counts the model's own changes in progress.
    class Busy {
    public:
        explicit Busy(TreeViewPort& port) : port_(port) { ++port_.busy_; }
        ~Busy() { --port_.busy_; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        TreeViewPort& port_;
    };

    HTREEITEM InsertOne(TTreeNode& node);
    TTreeNode* NodeOf(HTREEITEM handle) const;

    TTreeModel& model_;
    HWND tree_;
    int busy_ = 0;
    int fillDepth_ = 0;
};

} // namespace corvane::win32::editor

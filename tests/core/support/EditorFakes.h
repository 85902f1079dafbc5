#pragma once
// Stand-ins for the platform side of the editor: a tree view port that keeps
// its own mirror of the items (so tests see what a real view would show), a
// window that counts repaints, and scripted standard dialogs.

#include "core/editor/GeneralPage.h"
#include "core/editor/TreeModel.h"
#include "core/model/HeaderColumns.h"
#include "core/platform/WindowServices.h"

#include <string>
#include <vector>

namespace corvane::editor::testing {

class FakeTreePort : public TTreeViewPort {
public:
    explicit FakeTreePort(TTreeModel& model) : model_(model) { model.AttachPort(this); }
    ~FakeTreePort() override { model_.AttachPort(nullptr); }

    void BeginFill() override { ++fills; }
    void EndFill() override { ++fillsEnded; }
    void ItemsCleared() override { ++clears; }
    void ItemInserted(TTreeNode&) override { ++inserts; }
    void ItemDeleting(TTreeNode&) override { ++deletes; }
    void TextChanged(TTreeNode&) override { ++textChanges; }
    void SelectionChanged(TTreeNode* node) override { selectionShown = node; }
    void ExpandAll() override { ++expands; }
    void EditText(TTreeNode& node) override {
        editing = &node;
        model_.UserBeginEdit();
    }
    void Focus() override { ++focus; }

    // Ends the in-place edit the way the user would.
    void Accept(const std::string& text) {
        TTreeNode* node = editing;
        editing = nullptr;
        model_.UserEndEdit(node, &text);
    }
    void CancelEdit() {
        TTreeNode* node = editing;
        editing = nullptr;
        model_.UserEndEdit(node, nullptr);
    }

    int fills = 0, fillsEnded = 0, clears = 0, inserts = 0, deletes = 0, textChanges = 0,
        expands = 0, focus = 0;
    TTreeNode* selectionShown = nullptr;
    TTreeNode* editing = nullptr;

private:
    TTreeModel& model_;
};

class RepaintCounter : public THeadlessWindowServices {
public:
    void Repaint() override { ++repaints; }
    int repaints = 0;
};

// Answers each font or colour dialog with the next scripted reply.
class ScriptedDialogs : public TStandardDialogs {
public:
    bool ExecuteFontDialog(TFont& font) override {
        fontPreset = font;
        if (!confirm)
            return false;
        font = chosenFont;
        return true;
    }
    bool ExecuteColorDialog(TColor& color) override {
        colorPresets.push_back(color);
        if (!confirm)
            return false;
        color = chosenColor;
        return true;
    }
    bool confirm = true;
    TFont chosenFont;
    TColor chosenColor = 0x00123456;
    TFont fontPreset;
    std::vector<TColor> colorPresets;
};

// The tree as "caption(width,height,alignment,wrap,type)[children]" lines.
inline std::string Describe(const TTreeModel& tree) {
    std::string out;
    for (TTreeNode* n = tree.First(); n != nullptr; n = n->Next()) {
        out += std::string(static_cast<size_t>(n->Level()) * 2, ' ') + n->Text() + " " +
               std::to_string(n->Data.Width) + "x" + std::to_string(n->Data.Height) + " a" +
               std::to_string(n->Data.Alignment) + (n->Data.Wordwrap ? " wrap" : "") + " t" +
               std::to_string(n->Data.TypeCol) + "\n";
    }
    return out;
}

inline std::string Describe(const THeaderColumns& root) {
    std::string out;
    for (THeaderColumns* s = root.GetFirstChild(); s != nullptr && root.IsParent(s);
         s = s->GetNext()) {
        out += std::string(static_cast<size_t>(s->Level() - 1) * 2, ' ') + s->Caption() + " " +
               std::to_string(s->Width()) + "x" + std::to_string(s->Height()) + " a" +
               std::to_string(s->Alignment()) + (s->Wordwrap() ? " wrap" : "") + " t" +
               std::to_string(s->TypeCol()) + "\n";
    }
    return out;
}

} // namespace corvane::editor::testing

#pragma once
// The "Sections Property" page: edits a copy of a header's section tree held
// in the tree view Headers, one item per section with its record, and the
// record of the selected item through the property controls. It knows no
// window around it: the customizing dialog and a host's property page both
// bind their controls to one of these.

#include "core/control/StrativTypes.h"
#include "core/editor/TreeModel.h"
#include "core/editor/Widgets.h"
#include "core/model/HeaderColumns.h"

namespace corvane::editor {

// Virtual-key codes the tree view's key commands look at.
enum : int { KeyEnter = 13, KeyF2 = 113, KeyF3 = 114, KeyF4 = 115 };

class TSectionsPage {
public:
    // dirty: the owning form's changed flag, which every edit here sets.
    explicit TSectionsPage(bool& dirty);
    TSectionsPage(const TSectionsPage&) = delete;
    TSectionsPage& operator=(const TSectionsPage&) = delete;

    // --- Controls -------------------------------------------------------------
    TTreeModel Headers;
    TEditModel widthEdit, HeightEdit;
    TRadioGroupModel AlignGroup{{"Left", "Right", "Center"}};
    TCheckBoxModel WordWrap;
    TButtonModel AddBtn, AddSubbtn, DeleteBtn, MoveUpBtn, MovedownBtn;

    // --- Copies between the control's sections and the tree ------------------
    // Replaces the items with a copy of root's children (pre-order, same
    // shape and order), then expands every item.
    void CopySectionsToTree(const THeaderColumns& root);
    // Replaces root's children with sections built from the items; with no
    // items it changes nothing. Ends with Changed(true) on root, also when
    // building fails part-way.
    void CopyTreeToSections(THeaderColumns& root);

    // --- Handlers ------------------------------------------------------------
    void HeadersClick();
    void HeadersChange();
    void HeadersEdited(TTreeNode* node, std::string& text);
    void HeadersKeyDown(int& key, TShiftState shift);
    void AddBtnClick();
    void AddSubbtnClick();
    void DeleteBtnClick();
    void MoveUpBtnClick();
    void MovedownBtnClick();
    void widthEditChange();
    void widthEditExit();
    void HeightEditChange();
    void HeightEditExit();
    void AlignGroupClick();
    void AlignGroupExit();
    void WordWrapClick();
    // The number fields' character filter (also the General page's): digits
    // pass and set the changed flag, Backspace passes, anything else is
    // discarded (replaced by 0).
    void widthEditKeyPress(char& key);

    // The band height of a new item: the edited tree's NewSectionHeight
    // (more than the usual 17 on a screen of more than 96 pixels per inch).
    int NewItemHeight = THeaderColumns::DefaultHeight;

    // Every edit, check box and radio group of the page.
    void ForEachValueControl(const std::function<void(TWidget&)>& visit);

private:
    void AddItem(TTreeNode* parent);
    // Stores edit's text into *field: a text that does not convert stores
    // nothing, and an empty one becomes "0".
    void StoreNumber(TEditModel& edit, int TSectionItemData::*field);

    bool& dirty_;
};

} // namespace corvane::editor

#include "core/editor/SectionsPage.h"

#include "core/editor/IntegerText.h"
#include "core/model/HeaderColumns.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace corvane::editor {

TSectionsPage::TSectionsPage(bool& dirty) : dirty_(dirty) {
    Headers.OnChange = [this] { HeadersChange(); };
    Headers.OnClick = [this] { HeadersClick(); };
    Headers.OnEdited = [this](TTreeNode* node, std::string& text) { HeadersEdited(node, text); };
    Headers.OnKeyDown = [this](int& key, TShiftState shift) { HeadersKeyDown(key, shift); };
    widthEdit.OnChange = [this] { widthEditChange(); };
    widthEdit.OnExit = [this] { widthEditExit(); };
    widthEdit.OnKeyPress = [this](char& key) { widthEditKeyPress(key); };
    HeightEdit.OnChange = [this] { HeightEditChange(); };
    HeightEdit.OnExit = [this] { HeightEditExit(); };
    HeightEdit.OnKeyPress = [this](char& key) { widthEditKeyPress(key); };
    AlignGroup.OnClick = [this] { AlignGroupClick(); };
    AlignGroup.OnExit = [this] { AlignGroupExit(); };
    WordWrap.OnClick = [this] { WordWrapClick(); };
    AddBtn.OnClick = [this] { AddBtnClick(); };
    AddSubbtn.OnClick = [this] { AddSubbtnClick(); };
    DeleteBtn.OnClick = [this] { DeleteBtnClick(); };
    MoveUpBtn.OnClick = [this] { MoveUpBtnClick(); };
    MovedownBtn.OnClick = [this] { MovedownBtnClick(); };
}

void TSectionsPage::ForEachValueControl(const std::function<void(TWidget&)>& visit) {
    visit(widthEdit);
    visit(HeightEdit);
    visit(AlignGroup);
    visit(WordWrap);
}

// --- Copies ---------------------------------------------------------------------

void TSectionsPage::CopySectionsToTree(const THeaderColumns& root) {
    Headers.BeginFill();
    try {
        Headers.Clear();
        // Pre-order walk with an explicit stack of (section, parent item).
        std::vector<std::pair<const THeaderColumns*, TTreeNode*>> pending;
        for (auto it = root.Children().rbegin(); it != root.Children().rend(); ++it)
            pending.emplace_back(*it, nullptr);
        std::vector<TTreeNode*> preOrder;
        while (!pending.empty()) {
            const auto [section, parent] = pending.back();
            pending.pop_back();
            TSectionItemData data;
            data.Width = section->StoredWidth(); // a parent's is summed below
            data.Height = section->Height();
            data.Alignment = section->Alignment();
            data.Wordwrap = section->Wordwrap();
            data.TypeCol = section->TypeCol();
            TTreeNode* item = Headers.Add(parent, section->Caption(), data);
            preOrder.push_back(item);
            const auto& children = section->Children();
            for (auto it = children.rbegin(); it != children.rend(); ++it)
                pending.emplace_back(*it, item);
        }
        // A parent shows its computed width, the sum over its leaves (wrapping
        // as 32-bit like the section's own). Children come after their parent
        // in pre-order, so one backward pass sums each level once.
        for (auto it = preOrder.rbegin(); it != preOrder.rend(); ++it) {
            TTreeNode* item = *it;
            if (item->Count() == 0)
                continue;
            uint32_t sum = 0;
            for (int i = 0; i < item->Count(); ++i)
                sum += static_cast<uint32_t>(item->Item(i)->Data.Width);
            item->Data.Width = static_cast<int>(sum);
        }
        Headers.FullExpand();
    } catch (...) {
        Headers.EndFill();
        throw;
    }
    Headers.EndFill();
}

void TSectionsPage::CopyTreeToSections(THeaderColumns& root) {
    if (Headers.Count() == 0)
        return;
    root.BeginUpdate();
    try {
        root.Clear();
        std::vector<std::pair<THeaderColumns*, const TTreeNode*>> pending;
        for (int i = Headers.Count() - 1; i >= 0; --i)
            pending.emplace_back(&root, Headers.Item(i));
        while (!pending.empty()) {
            const auto [parent, item] = pending.back();
            pending.pop_back();
            THeaderColumns* section = parent->Add("");
            section->SetCaption(item->Text());
            section->SetWidth(item->Data.Width);
            section->SetHeight(item->Data.Height);
            section->SetAlignment(item->Data.Alignment);
            section->SetWordwrap(item->Data.Wordwrap);
            section->SetTypeCol(item->Data.TypeCol);
            for (int i = item->Count() - 1; i >= 0; --i)
                pending.emplace_back(section, item->Item(i));
        }
    } catch (...) {
        // The first error is the one the caller sees.
        try {
            root.EndUpdate();
            root.Changed(true);
        } catch (...) {
        }
        throw;
    }
    root.EndUpdate();
    root.Changed(true);
}

// --- Loading and storing the property controls ------------------------------------

void TSectionsPage::HeadersClick() {
    if (const TTreeNode* item = Headers.Selected()) {
        const TSectionItemData data = item->Data; // the handlers below write back into it
        widthEdit.SetText(std::to_string(data.Width));
        HeightEdit.SetText(std::to_string(data.Height));
        AlignGroup.SetItemIndex(data.Alignment);
        WordWrap.SetChecked(data.Wordwrap);
    } else {
        widthEdit.SetText("");
        HeightEdit.SetText("");
        AlignGroup.SetItemIndex(0);
        WordWrap.SetChecked(false);
    }
}

void TSectionsPage::StoreNumber(TEditModel& edit, int TSectionItemData::*field) {
    TTreeNode* item = Headers.Selected();
    if (item == nullptr)
        return;
    if (const auto value = TryStrToInt(edit.Text())) {
        item->Data.*field = *value;
    } else if (edit.Text().empty()) {
        edit.SetText("0");
        // The next digit typed replaces the 0 rather than going in front of it.
        edit.SelectAll();
    }
}

void TSectionsPage::widthEditExit() {
    StoreNumber(widthEdit, &TSectionItemData::Width);
}

void TSectionsPage::widthEditChange() {
    widthEditExit();
    dirty_ = true;
}

void TSectionsPage::HeightEditExit() {
    StoreNumber(HeightEdit, &TSectionItemData::Height);
}

void TSectionsPage::HeightEditChange() {
    HeightEditExit();
    dirty_ = true;
}

void TSectionsPage::AlignGroupExit() {
    TTreeNode* item = Headers.Selected();
    if (item == nullptr)
        return;
    switch (AlignGroup.ItemIndex()) {
    case 1:
        item->Data.Alignment = taRightJustify;
        break;
    case 2:
        item->Data.Alignment = taCenter;
        break;
    default:
        item->Data.Alignment = taLeftJustify;
        break;
    }
}

void TSectionsPage::AlignGroupClick() {
    AlignGroupExit();
    dirty_ = true;
}

void TSectionsPage::WordWrapClick() {
    if (TTreeNode* item = Headers.Selected())
        item->Data.Wordwrap = WordWrap.Checked();
    dirty_ = true;
}

void TSectionsPage::widthEditKeyPress(char& key) {
    constexpr char Backspace = 8;
    if (key >= '0' && key <= '9')
        dirty_ = true;
    else if (key != Backspace)
        key = 0;
}

// --- Item commands -------------------------------------------------------------

void TSectionsPage::AddItem(TTreeNode* parent) {
    TSectionItemData data;
    data.Height = NewItemHeight;
    TTreeNode* item = Headers.Add(parent, "", data);
    Headers.Select(item);
    Headers.Focus();
    dirty_ = true;
}

void TSectionsPage::AddBtnClick() {
    const TTreeNode* selected = Headers.Selected();
    AddItem(selected != nullptr ? selected->Parent() : nullptr);
}

void TSectionsPage::AddSubbtnClick() {
    AddItem(Headers.Selected());
}

void TSectionsPage::DeleteBtnClick() {
    TTreeNode* selected = Headers.Selected();
    if (selected == nullptr)
        return;
    Headers.Delete(selected);
    Headers.Focus();
    dirty_ = true;
}

void TSectionsPage::MoveUpBtnClick() {
    TTreeNode* selected = Headers.Selected();
    if (selected == nullptr)
        return;
    if (TTreeNode* previous = selected->PrevSibling()) {
        Headers.MoveBefore(selected, previous);
        dirty_ = true;
    }
}

void TSectionsPage::MovedownBtnClick() {
    TTreeNode* selected = Headers.Selected();
    if (selected == nullptr)
        return;
    if (TTreeNode* next = selected->NextSibling()) {
        Headers.MoveBefore(next, selected);
        dirty_ = true;
    }
}

// --- Tree view handlers ------------------------------------------------------------

void TSectionsPage::HeadersChange() {
    dirty_ = true;
    if (!Headers.IsEditing() && Headers.Selected() != nullptr)
        HeadersClick();
}

void TSectionsPage::HeadersEdited(TTreeNode*, std::string&) {
    dirty_ = true;
}

void TSectionsPage::HeadersKeyDown(int& key, TShiftState shift) {
    switch (key) {
    case KeyEnter:
        if (!Headers.IsEditing() && Headers.Selected() != nullptr) {
            HeadersClick();
            widthEdit.Focus();
        }
        break;
    case KeyF2:
        if (Headers.Selected() != nullptr)
            Headers.EditText(Headers.Selected());
        break;
    case KeyF3:
        if (shift & ssCtrl)
            AddSubbtnClick();
        else
            AddBtnClick();
        break;
    case KeyF4:
        DeleteBtnClick();
        break;
    default:
        break;
    }
}

} // namespace corvane::editor

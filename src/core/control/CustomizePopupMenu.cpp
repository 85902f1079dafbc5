#include "core/control/CustomizePopupMenu.h"

#include "core/control/Strativ.h"

namespace corvane {

TCustomizePopupMenu::~TCustomizePopupMenu() {
    ClearItems();
}

void TCustomizePopupMenu::PopupAt(TWindowServices& services, int X, int Y, THeaderOptions Options) {
    if (!addedItems_.empty())
        ClearItems();
    header_ = nullptr;
    if (auto* header = dynamic_cast<TStrativ*>(PopupComponent())) {
        header_ = header;
        if (Options & hoAbout) {
            AddItem("About Strativ...", AboutTag);
            AddItem("-", SeparatorTag);
        }
        AddItem(header_->CustomizeMenustring(), CustomizeTag);
    }
    Popup(services, X, Y);
}

void TCustomizePopupMenu::AddItem(const std::string& Caption, int Tag) {
    auto item = std::make_unique<TMenuItem>();
    item->Caption = Caption;
    item->Tag = Tag;
    item->OnClick = [this](TPersistent* sender) { ItemClick(sender); };
    TMenuItem* raw = item.get();
    Insert(static_cast<int>(addedItems_.size()), std::move(item));
    addedItems_.push_back(raw);
}

void TCustomizePopupMenu::ItemClick(TPersistent* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (item == nullptr || header_ == nullptr)
        return;
    switch (item->Tag) {
    case AboutTag:
        header_->ShowAbout();
        break;
    case CustomizeTag:
        header_->Customize();
        break;
    default:
        break;
    }
}

void TCustomizePopupMenu::ClearItems() {
    if (header_ == nullptr)
        return;
    while (!addedItems_.empty()) {
        TMenuItem* item = addedItems_.front();
        addedItems_.erase(addedItems_.begin());
        Delete(item);
    }
    header_ = nullptr;
}

} // namespace corvane

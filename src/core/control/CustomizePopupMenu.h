#pragma once
// The header's context menu, built afresh at every opening: "About
// Strativ..." and a separator when the options ask for them, then the
// customize item. Clicks go back to the header it was opened for.

#include "core/control/StrativTypes.h"
#include "core/framework/Menus.h"

#include <vector>

namespace corvane {

class TCustomizePopupMenu : public TPopupMenu {
public:
    static constexpr int AboutTag = -102;
    static constexpr int SeparatorTag = 0;
    static constexpr int CustomizeTag = -101;

    TCustomizePopupMenu() = default;
    ~TCustomizePopupMenu() override;

    const char* ClassName() const override { return "TCustomizePopupMenu"; }

    void PopupAt(TWindowServices& services, int X, int Y, THeaderOptions Options);
    void AddItem(const std::string& Caption, int Tag);
    void ItemClick(TPersistent* Sender);
    void ClearItems();

    TStrativ* Header() const { return header_; }
    const std::vector<TMenuItem*>& AddedItems() const { return addedItems_; }

private:
    std::vector<TMenuItem*> addedItems_; // owned through the menu's item list
    TStrativ* header_ = nullptr;
};

} // namespace corvane

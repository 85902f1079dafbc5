#include "core/framework/Menus.h"

#include "core/framework/Exceptions.h"
#include "core/platform/WindowServices.h"

#include <algorithm>

namespace corvane {

TMenuItem* TPopupMenu::Items(int index) const {
    if (index < 0 || index >= Count())
        RaiseListIndexError(index);
    return items_[static_cast<size_t>(index)].get();
}

void TPopupMenu::Insert(int index, std::unique_ptr<TMenuItem> item) {
    if (index < 0 || index > Count())
        RaiseListIndexError(index);
    items_.insert(items_.begin() + index, std::move(item));
}

void TPopupMenu::Delete(TMenuItem* item) {
    const auto it = std::find_if(items_.begin(), items_.end(),
                                 [item](const auto& entry) { return entry.get() == item; });
    if (it != items_.end())
        items_.erase(it);
}

void TPopupMenu::Popup(TWindowServices& services, int X, int Y) {
    std::vector<TMenuEntry> entries;
    entries.reserve(items_.size());
    for (const auto& item : items_)
        entries.push_back(TMenuEntry{item->Caption, item->Enabled, item->Checked});
    const int chosen = services.TrackPopupMenu(entries, TPoint{X, Y});
    if (chosen < 0 || chosen >= Count())
        return;
    TMenuItem* item = items_[static_cast<size_t>(chosen)].get();
    if (item->Enabled && item->OnClick)
        item->OnClick(item);
}

} // namespace corvane

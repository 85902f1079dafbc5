#pragma once
// The framework's popup menu: items with caption and tag, shown through the
// window services, with the chosen item's click delivered after the menu has
// closed.

#include "core/framework/Persistent.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class TWindowServices;

class TMenuItem : public TPersistent {
public:
    const char* ClassName() const override { return "TMenuItem"; }

    std::string Caption;
    int Tag = 0;
    bool Enabled = true;
    bool Checked = false;
    std::function<void(TPersistent* Sender)> OnClick;
};

class TPopupMenu : public TPersistent {
public:
    const char* ClassName() const override { return "TPopupMenu"; }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const; // list index error when out of range
    void Insert(int index, std::unique_ptr<TMenuItem> item);
    // Removes the item from the menu and frees it; nothing if it is not there.
    void Delete(TMenuItem* item);

    // The component the menu is opened for.
    TPersistent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TPersistent* component) { popupComponent_ = component; }

    // Shows the menu at screen point (X, Y); returns when it has closed, after
    // the chosen item's click has run.
    virtual void Popup(TWindowServices& services, int X, int Y);

private:
    std::vector<std::unique_ptr<TMenuItem>> items_;
    TPersistent* popupComponent_ = nullptr;
};

} // namespace corvane

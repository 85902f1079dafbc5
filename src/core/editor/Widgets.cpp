#include "core/editor/Widgets.h"

#include <algorithm>

namespace corvane::editor {

void TWidget::SetEnabled(bool value) {
    if (enabled_ == value)
        return;
    enabled_ = value;
    Refresh();
}

void TWidget::Focus() {
    ++focusRequests_;
    if (view_ != nullptr)
        view_->Focus();
}

void TWidget::Refresh() {
    if (view_ != nullptr)
        view_->Refresh();
}

void TWidget::ValueChanged(const THandler& handler) {
    Refresh();
    if (handler)
        handler();
    if (OnValueChanged)
        OnValueChanged();
}

void TEditModel::SetText(const std::string& value) {
    if (text_ == value)
        return;
    text_ = value;
    ValueChanged(OnChange);
}

void TEditModel::UserExit() {
    if (OnExit)
        OnExit();
}

char TEditModel::UserKeyPress(char key) {
    if (OnKeyPress)
        OnKeyPress(key);
    return key;
}

void TEditModel::SelectAll() {
    ++selectAllRequests_;
    if (View() != nullptr)
        View()->SelectAll();
}

void TCheckBoxModel::SetChecked(bool value) {
    if (checked_ == value)
        return;
    checked_ = value;
    ValueChanged(OnClick);
}

void TRadioGroupModel::SetItemIndex(int value) {
    const int last = static_cast<int>(items_.size()) - 1;
    value = std::max(0, std::min(value, last));
    if (itemIndex_ == value)
        return;
    itemIndex_ = value;
    ValueChanged(OnClick);
}

void TRadioGroupModel::UserExit() {
    if (OnExit)
        OnExit();
}

void TButtonModel::SetCaptionColor(TColor value) {
    if (captionColor_ == value)
        return;
    captionColor_ = value;
    Refresh();
}

void TButtonModel::UserClick() {
    if (Enabled() && OnClick)
        OnClick();
}

void TPanelModel::SetColor(TColor value) {
    if (color_ == value)
        return;
    color_ = value;
    Refresh();
}

void TPanelModel::SetFont(const TFont& value) {
    if (font_ == value)
        return;
    font_ = value;
    Refresh();
}

void TPageControlModel::SetActivePage(int value) {
    if (activePage_ == value)
        return;
    activePage_ = value;
    Refresh();
}

} // namespace corvane::editor

#include "core/framework/Control.h"

#include <algorithm>

namespace corvane {

TCustomControl::TCustomControl() = default;
TCustomControl::~TCustomControl() = default;

void TCustomControl::SetWindowServices(TWindowServices* services) {
    services_ = services != nullptr ? services : &headless_;
}

void TCustomControl::SetDesigning(bool value) {
    if (value)
        componentState_ |= csDesigning;
    else
        componentState_ &= ~csDesigning;
}

void TCustomControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    services_->UpdateWindowState();
}

int TCustomControl::ClientWidth() const {
    return std::max(0, width_ - 2 * BorderSize());
}
int TCustomControl::ClientHeight() const {
    return std::max(0, height_ - 2 * BorderSize());
}

void TCustomControl::SetClientSize(int width, int height) {
    SetBounds(left_, top_, width + 2 * BorderSize(), height + 2 * BorderSize());
}

void TCustomControl::SetColor(TColor value) {
    parentColor_ = false;
    if (value == color_)
        return;
    color_ = value;
    Invalidate();
}

void TCustomControl::ParentColorChanged(TColor value) {
    if (!parentColor_ || value == color_)
        return;
    color_ = value;
    Invalidate();
}

void TCustomControl::SetFont(const TFont& value) {
    parentFont_ = false;
    if (value == font_)
        return;
    font_ = value;
    Invalidate();
    if (OnFontChange)
        OnFontChange();
}

void TCustomControl::SetParentFont(bool value) {
    parentFont_ = value;
}

void TCustomControl::ParentFontChanged(const TFont& value) {
    if (!parentFont_ || value == font_)
        return;
    font_ = value;
    Invalidate();
    if (OnFontChange)
        OnFontChange();
}

void TCustomControl::SetVisible(bool value) {
    if (value == visible_)
        return;
    visible_ = value;
    services_->UpdateWindowState();
}

void TCustomControl::SetEnabled(bool value) {
    if (value == enabled_)
        return;
    enabled_ = value;
    services_->UpdateWindowState();
    Invalidate();
}

void TCustomControl::SetShowHint(bool value) {
    showHint_ = value;
    parentShowHint_ = false;
}

void TCustomControl::SetAlign(TAlign value) {
    if (value == align_)
        return;
    align_ = value;
    services_->Realign();
}

void TCustomControl::SetBiDiMode(TBiDiMode value) {
    if (value == biDiMode_)
        return;
    biDiMode_ = value;
    Invalidate();
}

} // namespace corvane

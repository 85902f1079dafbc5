// Width and height resizing: moves propose a size (and move the tracking
// line), the release stores it. Arithmetic is 64-bit so that rectangles at the
// ends of the 32-bit range cannot overflow it; proposals are pinned to it.

#include "core/control/Strativ.h"

#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"

#include <algorithm>

namespace corvane {
namespace {

// Lowest first, then highest: the highest wins when they cross.
int64_t Clamp(int64_t value, int64_t lowest, int64_t highest) {
    return std::min(std::max(value, lowest), highest);
}

} // namespace

// The column armed by the cursor may have gone with an edit since.
bool TStrativ::ColumnExists(int Column) const {
    return Column >= 0 && Column < levels_->LeafCount();
}

void TStrativ::TrackWidth(int X) {
    THeaderColumns* section = resizeSection_.get();
    if (section == nullptr || !ColumnExists(resizeColumn_))
        return;
    const int width = levels_->Leaf(resizeColumn_)->Width();
    DrawTrackLine();
    const int64_t edge = int64_t{SectionRect(section).Right} + 2;
    const int64_t lowest = resizeColumn_ <= 0 ? 2 : edge - width + 2;
    const int64_t x = Clamp(X, lowest, int64_t{ClientWidth()} - 2);
    pendingSize_.X = SaturateToInt(width - (edge - x - 2) - grabOffset_.X);
    trackLine_.X = static_cast<int>(x);
    if (pendingSize_.X != width)
        DoSizing(section, resizeColumn_, pendingSize_.X);
    // The handler may have ended the resize (the window went with it).
    if (trackState_ == tsWidthResize)
        DrawTrackLine();
}

void TStrativ::TrackHeight(int Y) {
    THeaderColumns* section = resizeSection_.get();
    if (section == nullptr)
        return;
    const int height = section->Height();
    DrawTrackLine();
    const TRect rect = SectionRect(section);
    const int64_t edge = int64_t{rect.Bottom} + 2;
    const int64_t y = Clamp(Y, int64_t{rect.Top} + 2, int64_t{ClientHeight()} - 2);
    pendingSize_.Y = SaturateToInt(height - (edge - y - 2) - grabOffset_.Y);
    trackLine_.Y = static_cast<int>(y);
    if (pendingSize_.Y != height)
        DoHeightChanging(section, pendingSize_.Y);
    if (trackState_ == tsHeightResize)
        DrawTrackLine();
}

// The width goes to the leaf of the column under the pointer at the press
// (for a section spanning columns, its last leaf), as a plain store.
void TStrativ::EndWidthResize() {
    DrawTrackLine();
    THeaderColumns* section = resizeSection_.get();
    if (!ColumnExists(resizeColumn_)) {
        DoSized(section, resizeColumn_, section->Width());
        return;
    }
    THeaderColumns* leaf = levels_->Leaf(resizeColumn_);
    if (pendingSize_.X != -1)
        leaf->SetWidth(pendingSize_.X);
    DoSized(section, resizeColumn_, leaf->Width());
}

// OnHeightChanged reports the proposal as made, before the section raised it
// to its minimum.
void TStrativ::EndHeightResize() {
    DrawTrackLine();
    THeaderColumns* section = resizeSection_.get();
    int reported = section->Height();
    if (pendingSize_.Y != -1) {
        reported = pendingSize_.Y;
        section->SetHeight(pendingSize_.Y);
        section = resizeSection_.get(); // the change report ran in between
        if (section == nullptr)
            return;
    }
    DoHeightChanged(section, reported);
}

} // namespace corvane

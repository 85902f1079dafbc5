// The header from the keyboard. Arrows, Home and End move the focus through
// the tree; the other keys do what the pointer does, each only where its
// option lets the pointer do it:
//
//   Left / Right        previous / next sibling; a leaf goes to the previous /
//                       next column, into the neighbouring group's leaves
//   Up / Down           parent / first child
//   Home / End          first / last section of the level (leaves: columns);
//                       Right and End stop at the last column painted
//   Space, Enter        click                          (hoClick, not designing)
//   Ctrl+Left / Right   width -1 / +1, Shift: 10       (hoHresize or designing)
//   Ctrl+Up / Down      band height -1 / +1, Shift: 10 (hoVResize or designing)
//   Alt+Left / Right    move before the previous / after the next sibling
//                                                      (hoDragdrop)
//   Shift+F10, menu key the context menu               (hoCustomize, not designing)

#include "core/control/Strativ.h"

#include "core/control/CustomizePopupMenu.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"

#include <algorithm>

namespace corvane {
namespace {

constexpr int BigStep = 10;

} // namespace

bool TStrativ::WantsTabStop() const {
    return (options_ & (hoClick | hoHresize | hoVResize | hoDragdrop)) != 0;
}

bool TStrativ::WantsKey(uint16_t Key, TShiftState Shift) const {
    if (sections_->Count() == 0)
        return false;
    const bool ctrl = (Shift & ssCtrl) != 0;
    const bool alt = (Shift & ssAlt) != 0;
    const bool shift = (Shift & ssShift) != 0;
    if (ctrl && alt)
        return false;
    if (ctrl) {
        if (Key == vkLeft || Key == vkRight)
            return (options_ & hoHresize) != 0 || Designing();
        if (Key == vkUp || Key == vkDown)
            return (options_ & hoVResize) != 0 || Designing();
        return false;
    }
    if (alt)
        return (Key == vkLeft || Key == vkRight) && (options_ & hoDragdrop) != 0;
    switch (Key) {
    case vkLeft:
    case vkRight:
    case vkUp:
    case vkDown:
    case vkHome:
    case vkEnd:
        return true;
    case vkSpace:
    case vkReturn:
        return !shift && (options_ & hoClick) != 0 && !Designing();
    case vkF10:
        return shift && (options_ & hoCustomize) != 0 && !Designing();
    case vkApps:
        return (options_ & hoCustomize) != 0 && !Designing();
    default:
        return false;
    }
}

bool TStrativ::KeyDown(uint16_t Key, TShiftState Shift) {
    if (!WantsKey(Key, Shift))
        return false;
    THeaderColumns* focused = FocusedSection();
    if (focused == nullptr) {
        // Nothing had the focus (the tree was empty until now): the first
        // key gives it to the first section.
        SetFocusedSection(sections_->Items(0));
        return true;
    }
    const int step = (Shift & ssShift) ? BigStep : 1;
    if (Shift & ssCtrl) {
        if (Key == vkLeft || Key == vkRight)
            ResizeByKey(focused, Key == vkLeft ? -step : step);
        else
            ChangeHeightByKey(focused, Key == vkUp ? -step : step);
        return true;
    }
    if (Shift & ssAlt) {
        MoveByKey(focused, Key == vkRight);
        return true;
    }
    if (Key == vkSpace || Key == vkReturn) {
        // A keyboard click: the same event a mouse click fires.
        RepaintSection(focused, SectionRect(focused));
        DoHeaderClick(focused);
        return true;
    }
    if (Key == vkF10 || Key == vkApps)
        return ContextMenuAtFocus();
    if (THeaderColumns* target = NavigationTarget(focused, Key))
        SetFocusedSection(target);
    return true;
}

int TStrativ::ColumnOf(const THeaderColumns* Leaf) const {
    for (int i = 0; i < levels_->LeafCount(); ++i)
        if (levels_->Leaf(i) == Leaf)
            return i;
    return -1;
}

// The leaf whose width moves a section's right edge, as a drag of that edge
// changes it.
THeaderColumns* TStrativ::LastLeafOf(THeaderColumns* Section) const {
    while (Section->HasChildren())
        Section = Section->GetLastChild();
    return Section;
}

// Going right stops at the last column painted: past it the focus mark
// could not be seen, and a click could not reach the section either.
THeaderColumns* TStrativ::NavigationTarget(THeaderColumns* From, uint16_t Key) const {
    const bool leaf = !From->HasChildren();
    const int column = leaf ? ColumnOf(From) : -1;
    const auto painted = [this](THeaderColumns* section) -> THeaderColumns* {
        return section != nullptr && StartsInPaintedColumn(section) ? section : nullptr;
    };
    switch (Key) {
    case vkLeft:
        if (column >= 0)
            return column > 0 ? levels_->Leaf(column - 1) : nullptr;
        return From->GetPrevSibling();
    case vkRight:
        if (column >= 0)
            return column + 1 < levels_->LeafCount() ? painted(levels_->Leaf(column + 1)) : nullptr;
        return painted(From->GetNextSibling());
    case vkUp:
        return From->Parent() != sections_.get() ? From->Parent() : nullptr;
    case vkDown:
        return From->GetFirstChild();
    case vkHome:
        if (column >= 0)
            return levels_->Leaf(0);
        return LevelEnd(From, false);
    case vkEnd: {
        if (column >= 0) {
            const int last = std::min(LastPaintedColumn(), levels_->LeafCount() - 1);
            return last >= 0 ? levels_->Leaf(last) : nullptr;
        }
        return LevelEnd(From, true);
    }
    default:
        return nullptr;
    }
}

// The first or last section of From's depth; the last one painting reaches.
THeaderColumns* TStrativ::LevelEnd(const THeaderColumns* From, bool Last) const {
    const int depth = From->Level() - 1; // the index's depth 0 is the root's children
    if (depth >= levels_->LevelCount() || levels_->LevelSize(depth) == 0)
        return nullptr;
    if (!Last)
        return levels_->LevelSection(depth, 0);
    for (int i = levels_->LevelSize(depth) - 1; i > 0; --i)
        if (StartsInPaintedColumn(levels_->LevelSection(depth, i)))
            return levels_->LevelSection(depth, i);
    return levels_->LevelSection(depth, 0);
}

// The section's first column is one painting reaches.
bool TStrativ::StartsInPaintedColumn(const THeaderColumns* Section) const {
    const THeaderColumns* first = Section;
    while (first->HasChildren())
        first = first->GetFirstChild();
    const int column = ColumnOf(first);
    return column >= 0 && column <= LastPaintedColumn();
}

// As a drag of the section's right edge: OnSizing with the proposal, the
// store, OnSized. Shrinking stops at MinimumLeafWidth (a narrower leaf is
// left alone).
void TStrativ::ResizeByKey(THeaderColumns* Section, int Delta) {
    const SectionRef sectionRef(Section);
    const SectionRef leafRef(LastLeafOf(Section));
    const int column = ColumnOf(leafRef.get());
    if (column < 0)
        return;
    const int width = leafRef->Width();
    int64_t proposed = int64_t{width} + Delta;
    if (Delta < 0)
        proposed = std::max<int64_t>(proposed, std::min(width, MinimumLeafWidth));
    const int newWidth = SaturateToInt(proposed);
    if (newWidth == width)
        return;
    DoSizing(Section, column, newWidth);
    // The handler may have edited the tree.
    THeaderColumns* leaf = leafRef.get();
    Section = sectionRef.get();
    if (leaf == nullptr || Section == nullptr || !InThisTree(leaf))
        return;
    leaf->SetWidth(newWidth);
    Repaint();
    DoSized(Section, ColumnOf(leaf), leaf->Width());
}

// As a drag of the band's bottom edge; only sections with children have one.
void TStrativ::ChangeHeightByKey(THeaderColumns* Section, int Delta) {
    if (!Section->HasChildren())
        return;
    const int height = Section->Height();
    int64_t proposed = int64_t{height} + Delta;
    if (Delta < 0)
        proposed = std::max<int64_t>(proposed, std::min(height, THeaderColumns::MinimumHeight));
    const int newHeight = SaturateToInt(proposed);
    if (newHeight == height)
        return;
    const SectionRef sectionRef(Section);
    DoHeightChanging(Section, newHeight);
    Section = sectionRef.get();
    if (Section == nullptr || !InThisTree(Section))
        return;
    Section->SetHeight(newHeight);
    Section = sectionRef.get(); // the change report ran in between
    if (Section == nullptr)
        return;
    Repaint();
    DoHeightChanged(Section, newHeight);
}

// As a drop onto the neighbouring sibling: OnDropSection may refuse it or
// make the section the sibling's last child. Alt+Left puts the section in
// front of its previous sibling, as dropping it there does; Alt+Right puts
// it behind its next sibling.
void TStrativ::MoveByKey(THeaderColumns* Section, bool Right) {
    THeaderColumns* sibling = Right ? Section->GetNextSibling() : Section->GetPrevSibling();
    if (!CanDrop(Section, sibling))
        return;
    bool asChild = false;
    bool allowDrop = true;
    const SectionRef sourceRef(Section), targetRef(sibling);
    DoDropSection(Section, sibling, asChild, allowDrop);
    if (!allowDrop)
        return;
    Section = sourceRef.get();
    sibling = targetRef.get();
    if (!CanDrop(Section, sibling))
        return;
    MoveSection(Section, sibling, asChild, Right);
    Repaint();
}

bool TStrativ::ContextMenuAtFocus() {
    if (!(options_ & hoCustomize) || Designing())
        return false;
    THeaderColumns* focused = FocusedSection();
    TPoint at{0, 0};
    if (focused != nullptr) {
        // The bottom left of the section's part inside the client area, where
        // a menu opened by a click there would stand.
        const TRect r = SectionRect(focused);
        at.X = std::max(0, std::min(r.Left, ClientWidth() - 1));
        at.Y = std::max(0, std::min(r.Bottom, ClientHeight()));
    }
    const TPoint screen = Services().ClientToScreen(at);
    customizeMenu_->SetPopupComponent(this);
    customizeMenu_->PopupAt(Services(), screen.X, screen.Y, options_);
    return true;
}

} // namespace corvane

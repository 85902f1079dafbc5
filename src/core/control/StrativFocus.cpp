// Keyboard focus: which section keys act on, how it follows edits of the
// tree, and its mark on screen (a focus rectangle inside the face).

#include "core/control/Strativ.h"

#include "core/model/HeaderColumns.h"

#include <algorithm>

namespace corvane {

bool TStrativ::InThisTree(const THeaderColumns* Section) const {
    if (Section == nullptr || Section->Parent() == nullptr)
        return false;
    const THeaderColumns* top = Section;
    while (top->Parent() != nullptr)
        top = top->Parent();
    return top == sections_.get();
}

void TStrativ::RememberFocusPath(const THeaderColumns* Section) {
    focusPath_.clear();
    for (const THeaderColumns* s = Section; s->Parent() != nullptr; s = s->Parent())
        focusPath_.push_back(TFocusLink{SectionRef(s->Parent()), s->Index()});
}

// The focused section went (freed, or moved into another tree): the nearest
// sibling now at its place takes over, or the one before it when it was the
// last; without siblings, the parent. When the parent went as well, the same
// rule picks a replacement for the parent, and so on up to the root.
THeaderColumns* TStrativ::FollowFocusPath() const {
    for (const TFocusLink& link : focusPath_) {
        THeaderColumns* parent = link.Parent.get();
        if (parent == nullptr || (parent != sections_.get() && !InThisTree(parent)))
            continue;
        if (parent->Count() > 0)
            return parent->Items(std::min(link.Index, parent->Count() - 1));
        return parent == sections_.get() ? nullptr : parent;
    }
    return nullptr;
}

THeaderColumns* TStrativ::FocusedSection() {
    THeaderColumns* section = focusedSection_.get();
    if (section == nullptr || !InThisTree(section)) {
        section = FollowFocusPath();
        focusedSection_ = section;
    }
    if (section != nullptr)
        RememberFocusPath(section);
    else
        focusPath_.clear();
    return section;
}

void TStrativ::SetFocusedSection(THeaderColumns* Section) {
    if (Section != nullptr && !InThisTree(Section))
        return;
    THeaderColumns* old = FocusedSection();
    if (old == Section)
        return;
    focusedSection_ = Section;
    if (Section != nullptr)
        RememberFocusPath(Section);
    else
        focusPath_.clear();
    if (hasFocus_) {
        if (old != nullptr)
            RepaintSection(old, SectionRect(old));
        RepaintFocusMark();
    }
    AnnounceFocus();
}

void TStrativ::FocusEnter() {
    hasFocus_ = true;
    if (FocusedSection() == nullptr && sections_->Count() > 0) {
        focusedSection_ = sections_->Items(0);
        RememberFocusPath(focusedSection_.get());
    }
    RepaintFocusMark();
    AnnounceFocus();
}

void TStrativ::FocusExit() {
    hasFocus_ = false;
    RepaintFocusMark();
}

void TStrativ::RepaintFocusMark() {
    if (THeaderColumns* focused = focusedSection_.get())
        RepaintSection(focused, SectionRect(focused));
}

// Tells assistive technology where the focus is whenever that changes while
// the control has it (also when an edit moved it to a neighbour, and when a
// move gave the focused section another child id: a client that kept the
// old id would read another section).
void TStrativ::AnnounceFocus() {
    THeaderColumns* focused = FocusedSection();
    const int id = focused != nullptr ? AccessibleChildId(focused) : 0;
    TAccessibleWatch& watch = accessibleWatch_;
    if (watch.AnnouncedFocus == focused && watch.AnnouncedFocusId == id &&
        watch.AnnouncedWithFocus == hasFocus_)
        return;
    watch.AnnouncedFocus = focused;
    watch.AnnouncedFocusId = id;
    watch.AnnouncedWithFocus = hasFocus_;
    if (hasFocus_ && focused != nullptr)
        Services().AccessibleEvent(TAccessibleEvent::Focus, focused);
}

} // namespace corvane

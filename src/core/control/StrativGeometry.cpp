// Where each section lies: columns side by side from x = 0 (the last one
// takes the rest of the client width or is cut), each section's band below
// its parent's. Nothing is stored but the column edges and spans, which the
// layout cache recomputes whenever the tree, a width or the client changed.

#include "core/control/Strativ.h"

#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"

namespace corvane {
namespace {

TRect MakeRect(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return TRect{SaturateToInt(left), SaturateToInt(top), SaturateToInt(right),
                 SaturateToInt(bottom)};
}

// The section's height plus that of every ancestor except the topmost one
// (the root, which is never shown).
int64_t BandEnd(const THeaderColumns* section) {
    int64_t sum = section->Height();
    for (const THeaderColumns* a = section->Parent(); a != nullptr && a->Parent() != nullptr;
         a = a->Parent())
        sum += a->Height();
    return sum;
}

} // namespace

TColumnLayout& TStrativ::Layout() const {
    layout_.Refresh(*levels_, ClientWidth());
    return layout_;
}

TRect TStrativ::ClientRect() const {
    return TRect{0, 0, ClientWidth(), ClientHeight()};
}

void TStrativ::SectionBand(const THeaderColumns* Section, int& Top, int& Bottom) const {
    if (Section == nullptr) {
        Top = Bottom = 0;
        return;
    }
    const int64_t end = BandEnd(Section);
    Top = SaturateToInt(end - Section->Height());
    Bottom = Section->HasChildren() ? SaturateToInt(end) : ClientHeight();
}

TRect TStrativ::SectionRect(const THeaderColumns* Section) const {
    if (Section == nullptr)
        return TRect{};
    int64_t left = 0, right = 0;
    Layout().Span(Section, left, right);
    int top = 0, bottom = 0;
    SectionBand(Section, top, bottom);
    return MakeRect(left, top, right, bottom);
}

// Tries the leaf of the column, then its ancestors below the root: the
// deepest section containing P wins.
bool TStrativ::FindInColumn(TColumnLayout& layout, int Column, TPoint P, TSectionHit& Hit) const {
    THeaderColumns* leaf = layout.Leaf(Column);
    // Band ends of the whole chain at once: each one is the previous minus
    // the height of the section below.
    int64_t end = 0;
    for (const THeaderColumns* s = leaf; s != nullptr && s->Parent() != nullptr; s = s->Parent())
        end += s->Height();
    for (THeaderColumns* s = leaf; s != nullptr && s->Parent() != nullptr; s = s->Parent()) {
        int64_t left = 0, right = 0;
        layout.Span(s, left, right);
        const int64_t bottom = s->HasChildren() ? end : ClientHeight();
        const TRect rect = MakeRect(left, end - s->Height(), right, bottom);
        if (rect.Contains(P)) {
            Hit = TSectionHit{s, rect, Column};
            return true;
        }
        end -= s->Height();
    }
    return false;
}

TSectionHit TStrativ::SectionAt(TPoint P) const {
    TColumnLayout& layout = Layout();
    TSectionHit hit;
    for (int i = layout.FirstColumnEndingAfter(P.X); i < layout.Count(); ++i) {
        if (layout.ColumnEnd(i) <= P.X)
            continue;
        if (FindInColumn(layout, i, P, hit))
            return hit;
        // In a regular layout later columns start right of P, and those of
        // their ancestors that reach back over P were tried here.
        if (layout.Regular())
            break;
    }
    return TSectionHit{};
}

} // namespace corvane

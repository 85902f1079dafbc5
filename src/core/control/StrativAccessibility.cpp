// The header as assistive technology sees it: one child per section in tree
// order, each with its path and whether it is shown, and the changes it is
// told about (new captions, sections moved, come or gone, the focus moved).

#include "core/control/Strativ.h"

#include "core/model/HeaderColumns.h"
#include "core/model/SectionRef.h"

#include <algorithm>

namespace corvane {

int TStrativ::AccessibleChildCount() {
    order_.Refresh(sections_.get());
    return order_.Count();
}

THeaderColumns* TStrativ::AccessibleChild(int ChildId) {
    order_.Refresh(sections_.get());
    if (ChildId < 1 || ChildId > order_.Count())
        return nullptr;
    return order_.At(ChildId - 1);
}

int TStrativ::AccessibleChildId(const THeaderColumns* Section) {
    order_.Refresh(sections_.get());
    return order_.IndexOf(Section) + 1;
}

std::string TStrativ::SectionPath(const THeaderColumns* Section) {
    std::vector<const THeaderColumns*> chain;
    for (const THeaderColumns* s = Section; s != nullptr && s->Parent() != nullptr; s = s->Parent())
        chain.push_back(s);
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.empty())
            path += ", ";
        path += (*it)->Caption();
    }
    return path;
}

// Painting stops at the column that reaches the right edge (or comes within
// 2 pixels of it); later columns are not on screen.
int TStrativ::LastPaintedColumn() const {
    TColumnLayout& layout = Layout();
    const int64_t clientWidth = ClientWidth();
    int64_t right = 0;
    for (int i = 0; i < layout.Count(); ++i) {
        right += layout.LeafWidth(i);
        if (clientWidth - right < 2)
            return i;
    }
    return layout.Count() - 1;
}

// Sections of columns past the last painted one, and bands below the
// bottom, are not on screen.
bool TStrativ::SectionShown(const THeaderColumns* Section) {
    if (!InThisTree(Section))
        return false;
    const TRect r = SectionRect(Section);
    if (r.Top >= ClientHeight() || r.Bottom <= r.Top || r.Bottom <= 0 || r.Right <= r.Left)
        return false;
    TColumnLayout& layout = Layout();
    const int lastPainted = LastPaintedColumn();
    for (int i = 0; i <= lastPainted; ++i)
        if (Section->IsParent(layout.Leaf(i)))
            return r.Left < ClientWidth() && r.Right > 0;
    return false;
}

bool TStrativ::AccessibleClickable() const {
    return Enabled() && (options_ & hoClick) != 0 && !Designing();
}

bool TStrativ::AccessibleFocusable() const {
    return Enabled() && WantsTabStop();
}

void TStrativ::NoteAccessibleChanges() {
    TAccessibleWatch& watch = accessibleWatch_;
    const uint64_t shape = section_registry::ShapeChanges();
    const uint64_t captions = section_registry::CaptionChanges();
    const uint64_t widths = section_registry::WidthChanges();
    const uint64_t heights = section_registry::HeightChanges();
    const TPoint client{ClientWidth(), ClientHeight()};
    const bool clickable = AccessibleClickable();
    const bool sameGeometry = watch.Started && shape == watch.ShapeChanges &&
                              widths == watch.WidthChanges && heights == watch.HeightChanges &&
                              client.X == watch.ClientSize.X && client.Y == watch.ClientSize.Y;
    if (sameGeometry && captions == watch.CaptionChanges && clickable == watch.Clickable) {
        AnnounceFocus();
        return;
    }
    std::vector<TAccessibleWatch::Entry> entries;
    const int count = AccessibleChildCount();
    entries.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        THeaderColumns* section = order_.At(i);
        entries.push_back(
            TAccessibleWatch::Entry{section, section->Caption(), SectionRect(section)});
    }
    std::vector<TAccessibleWatch::Entry> old;
    old.swap(watch.Entries);
    const bool started = watch.Started;
    const bool wasClickable = watch.Clickable;
    // The counters are the thread's: other trees count in them too, so the
    // order itself is compared.
    bool reordered = old.size() != entries.size();
    for (size_t i = 0; !reordered && i < old.size(); ++i)
        reordered = old[i].Section != entries[i].Section.get();
    watch.Entries = std::move(entries);
    watch.ShapeChanges = shape;
    watch.CaptionChanges = captions;
    watch.WidthChanges = widths;
    watch.HeightChanges = heights;
    watch.ClientSize = client;
    watch.Clickable = clickable;
    watch.Started = true;
    if (started) {
        // Sections that were there before and are still in this header.
        for (const TAccessibleWatch::Entry& entry : old) {
            const THeaderColumns* section = entry.Section.get();
            const int index = order_.IndexOf(section);
            if (section == nullptr || index < 0)
                continue;
            const TAccessibleWatch::Entry& now = watch.Entries[static_cast<size_t>(index)];
            if (now.Caption != entry.Caption)
                Services().AccessibleEvent(TAccessibleEvent::NameChange, section);
            if (now.Rect != entry.Rect)
                Services().AccessibleEvent(TAccessibleEvent::LocationChange, section);
        }
        if (reordered)
            Services().AccessibleEvent(TAccessibleEvent::Reorder, nullptr);
        if (clickable != wasClickable)
            for (const TAccessibleWatch::Entry& entry : watch.Entries)
                Services().AccessibleEvent(TAccessibleEvent::DefaultActionChange,
                                           entry.Section.get());
    }
    AnnounceFocus();
}

} // namespace corvane

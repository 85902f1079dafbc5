// Dropping a dragged section onto another: it moves in front of the target
// (or, when the handler asks, under it as its last child).

#include "core/control/Strativ.h"

#include "core/model/HeaderColumns.h"

namespace corvane {
namespace {

const THeaderColumns* TopOf(const THeaderColumns* section) {
    while (section->Parent() != nullptr)
        section = section->Parent();
    return section;
}

// While a section is out of every list during a move, it belongs to nobody.
// Should the move fail half-way, it goes back where it was, or, if even that
// fails, is freed rather than lost.
class PutBackOnFailure {
public:
    explicit PutBackOnFailure(THeaderColumns* section)
        : section_(section), oldParent_(section->Parent()), oldIndex_(section->Index()) {}
    ~PutBackOnFailure() {
        THeaderColumns* section = section_.get();
        if (done_ || section == nullptr || section->Parent() != nullptr)
            return;
        try {
            if (THeaderColumns* parent = oldParent_.get()) {
                parent->AddChild(section);
                section->SetIndex(oldIndex_);
            }
        } catch (...) {
        }
        if (section->Parent() == nullptr)
            delete section;
    }
    PutBackOnFailure(const PutBackOnFailure&) = delete;
    PutBackOnFailure& operator=(const PutBackOnFailure&) = delete;
    void Done() { done_ = true; }

private:
    SectionRef section_;
    SectionRef oldParent_;
    int oldIndex_;
    bool done_ = false;
};

} // namespace

// A section cannot go into its own subtree (nor onto itself), the root never
// moves, and both ends must still hang in this control's tree: an edit or the
// handler may have moved or freed either.
bool TStrativ::CanDrop(const THeaderColumns* Source, const THeaderColumns* Target) const {
    if (Source == nullptr || Target == nullptr || Source->IsParent(Target))
        return false;
    if (Source->Parent() == nullptr || Target->Parent() == nullptr)
        return false;
    return TopOf(Source) == sections_.get() && TopOf(Target) == sections_.get();
}

void TStrativ::DropSection(THeaderColumns* Target) {
    struct ForgetDragged {
        SectionRef& dragged;
        ~ForgetDragged() { dragged.reset(); }
    } forget{dragSection_};

    THeaderColumns* source = dragSection_.get();
    if (!CanDrop(source, Target))
        return;
    // What a drop does when no handler answers: the section goes in front
    // of the target, the way a dragged column lands where it is dropped.
    bool asChild = false;
    bool allowDrop = true;
    const SectionRef sourceRef(source), targetRef(Target);
    DoDropSection(source, Target, asChild, allowDrop);
    if (!allowDrop)
        return;
    source = sourceRef.get();
    Target = targetRef.get();
    if (!CanDrop(source, Target))
        return;
    MoveSection(source, Target, asChild);
    Repaint();
}

void TStrativ::MoveSection(THeaderColumns* Source, THeaderColumns* Target, bool AsChild,
                           bool After) {
    PutBackOnFailure guard(Source);
    THeaderColumns* oldParent = Source->Parent();
    {
        UpdateScope update(*oldParent);
        oldParent->RemoveChild(Source);
    }
    if (AsChild) {
        UpdateScope update(*Target);
        Target->AddChild(Source);
    } else {
        const int index = Target->Index() + (After ? 1 : 0); // after the removal
        THeaderColumns* newParent = Target->Parent();
        UpdateScope update(*newParent);
        newParent->AddChild(Source);
        Source->SetIndex(index);
    }
    guard.Done();
}

} // namespace corvane

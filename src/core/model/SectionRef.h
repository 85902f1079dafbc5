#pragma once
// Non-owning references to sections that can never dangle.
//
// Every section takes a slot in a per-thread table when it is created and gives
// it back, with the slot's generation advanced, when it is freed. A SectionRef
// remembers slot and generation, so reading it after its section was freed
// yields nullptr instead of freed memory. The index, the control's hot, dragged
// and resized sections and the automation wrappers all hold sections this way.
//
// Sections belong to the thread that created them (the control's UI thread);
// references are created and read on that thread.

#include <cstdint>

namespace corvane {

class THeaderColumns;

namespace section_registry {

// Reserves a slot for a new section; returns its number (never 0).
uint32_t Acquire(THeaderColumns* node);
// Frees the slot of a section that is being destroyed.
void Release(uint32_t slot);
uint32_t Generation(uint32_t slot);
THeaderColumns* Lookup(uint32_t slot, uint32_t generation);
// Counts every section freed on this thread; lets holders of many references
// check them only when something was actually freed.
uint64_t FreedCount();
// Count changes on this thread that geometry caches depend on, so that they
// can compare two numbers instead of re-reading the tree. Shape: a child
// added, removed or reordered, a section freed, a negative width stored
// (it breaks the left-to-right order of column edges). Widths: any other
// stored width written.
uint64_t ShapeChanges();
void NoteShapeChange();
uint64_t WidthChanges();
void NoteWidthChange();
// Band heights stored on this thread (the rows below a band move).
uint64_t HeightChanges();
void NoteHeightChange();
// Captions written on this thread (assistive technology is told of new names).
uint64_t CaptionChanges();
void NoteCaptionChange();

} // namespace section_registry

class SectionRef {
public:
    SectionRef() = default;
    SectionRef(const THeaderColumns* node); // NOLINT: a reference is made from a node freely

    // The section, or nullptr when none was set or it has been freed.
    THeaderColumns* get() const {
        return slot_ ? section_registry::Lookup(slot_, generation_) : nullptr;
    }
    THeaderColumns* operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }
    void reset() { slot_ = generation_ = 0; }

    // Compares with a live node; a freed reference equals only nullptr.
    bool operator==(const THeaderColumns* node) const { return get() == node; }
    bool operator!=(const THeaderColumns* node) const { return get() != node; }

private:
    uint32_t slot_ = 0;
    uint32_t generation_ = 0;
};

} // namespace corvane

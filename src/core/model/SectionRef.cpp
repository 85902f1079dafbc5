#include "core/model/SectionRef.h"

#include "core/model/HeaderColumns.h"

#include <vector>

namespace corvane {
namespace section_registry {
namespace {

struct Slot {
    THeaderColumns* node;
    uint32_t generation; // advanced on release, so old references miss
    uint32_t nextFree;
};

struct Registry {
    std::vector<Slot> slots{Slot{nullptr, 1, 0}}; // slot 0 means "no section"
    uint32_t freeHead = 0;
    size_t live = 0; // sections holding a slot
};

// Per thread and trivially destructible: nothing of it runs when the thread
// ends (the runtime may have freed the thread's storage by then) or after
// the module is gone. The table goes with the thread's last section and
// comes back with its next one; the counters stay, and new slots start
// above every generation handed out before, so a reference to a section of
// an earlier table never matches one of a later table.
thread_local Registry* t_registry = nullptr;
thread_local uint32_t t_generationFloor = 1;
thread_local uint64_t t_freed = 0;
thread_local uint64_t t_shapeChanges = 0;
thread_local uint64_t t_widthChanges = 0;
thread_local uint64_t t_heightChanges = 0;
thread_local uint64_t t_captionChanges = 0;

Registry& TheRegistry() {
    if (t_registry == nullptr)
        t_registry = new Registry{{Slot{nullptr, t_generationFloor, 0}}, 0, 0};
    return *t_registry;
}

} // namespace

uint32_t Acquire(THeaderColumns* node) {
    Registry& r = TheRegistry();
    ++r.live;
    if (r.freeHead != 0) {
        const uint32_t slot = r.freeHead;
        r.freeHead = r.slots[slot].nextFree;
        r.slots[slot].node = node;
        return slot;
    }
    r.slots.push_back(Slot{node, t_generationFloor, 0});
    return static_cast<uint32_t>(r.slots.size() - 1);
}

void Release(uint32_t slot) {
    Registry& r = TheRegistry();
    Slot& s = r.slots[slot];
    s.node = nullptr;
    ++s.generation;
    if (s.generation == 0) // wrapped: skip 0, which no reference ever holds
        s.generation = 1;
    if (s.generation >= t_generationFloor)
        t_generationFloor = s.generation + 1 != 0 ? s.generation + 1 : 1;
    s.nextFree = r.freeHead;
    r.freeHead = slot;
    ++t_freed;
    ++t_shapeChanges;
    if (--r.live == 0) {
        t_registry = nullptr;
        delete &r;
    }
}

uint32_t Generation(uint32_t slot) {
    return TheRegistry().slots[slot].generation;
}

THeaderColumns* Lookup(uint32_t slot, uint32_t generation) {
    const Registry* r = t_registry;
    if (r == nullptr || slot >= r->slots.size())
        return nullptr; // a section of an earlier table
    const Slot& s = r->slots[slot];
    return s.generation == generation ? s.node : nullptr;
}

uint64_t FreedCount() {
    return t_freed;
}

uint64_t ShapeChanges() {
    return t_shapeChanges;
}

void NoteShapeChange() {
    ++t_shapeChanges;
}

uint64_t WidthChanges() {
    return t_widthChanges;
}

void NoteWidthChange() {
    ++t_widthChanges;
}

uint64_t HeightChanges() {
    return t_heightChanges;
}

void NoteHeightChange() {
    ++t_heightChanges;
}

uint64_t CaptionChanges() {
    return t_captionChanges;
}

void NoteCaptionChange() {
    ++t_captionChanges;
}

} // namespace section_registry

SectionRef::SectionRef(const THeaderColumns* node) {
    if (node != nullptr) {
        slot_ = node->RegistrySlot();
        generation_ = section_registry::Generation(slot_);
    }
}

} // namespace corvane

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
    uint64_t freed = 0;
    size_t live = 0; // sections holding a slot
    uint64_t shapeChanges = 0;
    uint64_t widthChanges = 0;
    uint64_t captionChanges = 0;
};

// Freed with its thread only when no section of the thread is left: a
// section still alive then (freed later, during process shutdown) must still
// find its table.
struct RegistryHolder {
    Registry* registry = new Registry;
    ~RegistryHolder() {
        if (registry->live == 0)
            delete registry;
    }
};

Registry& TheRegistry() {
    thread_local RegistryHolder holder;
    return *holder.registry;
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
    r.slots.push_back(Slot{node, 1, 0});
    return static_cast<uint32_t>(r.slots.size() - 1);
}

void Release(uint32_t slot) {
    Registry& r = TheRegistry();
    --r.live;
    Slot& s = r.slots[slot];
    s.node = nullptr;
    ++s.generation;
    if (s.generation == 0) // wrapped: skip 0, which no reference ever holds
        s.generation = 1;
    s.nextFree = r.freeHead;
    r.freeHead = slot;
    ++r.freed;
    ++r.shapeChanges;
}

uint32_t Generation(uint32_t slot) {
    return TheRegistry().slots[slot].generation;
}

THeaderColumns* Lookup(uint32_t slot, uint32_t generation) {
    const Slot& s = TheRegistry().slots[slot];
    return s.generation == generation ? s.node : nullptr;
}

uint64_t FreedCount() {
    return TheRegistry().freed;
}

uint64_t ShapeChanges() {
    return TheRegistry().shapeChanges;
}

void NoteShapeChange() {
    ++TheRegistry().shapeChanges;
}

uint64_t WidthChanges() {
    return TheRegistry().widthChanges;
}

void NoteWidthChange() {
    ++TheRegistry().widthChanges;
}

uint64_t CaptionChanges() {
    return TheRegistry().captionChanges;
}

void NoteCaptionChange() {
    ++TheRegistry().captionChanges;
}

} // namespace section_registry

SectionRef::SectionRef(const THeaderColumns* node) {
    if (node != nullptr) {
        slot_ = node->RegistrySlot();
        generation_ = section_registry::Generation(slot_);
    }
}

} // namespace corvane

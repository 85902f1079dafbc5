#include "core/model/SectionSerials.h"

#include "core/framework/Exceptions.h"

#include <limits>

namespace corvane {

void TSectionSerials::Prune() {
    const uint64_t freed = section_registry::FreedCount();
    if (freed == freedSeen_)
        return;
    freedSeen_ = freed;
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (it->second.Section.get() == nullptr)
            it = entries_.erase(it);
        else
            ++it;
    }
}

int TSectionSerials::SerialOf(const THeaderColumns* Section) {
    Prune();
    // After the prune every entry is alive, so an address found is its own
    // section, not a freed one's successor.
    auto found = entries_.find(Section);
    if (found != entries_.end() && found->second.Section == Section)
        return found->second.Serial;
    if (next_ == std::numeric_limits<int>::max())
        throw EInvalidOperation("Out of section numbers");
    const int serial = next_++;
    entries_[Section] = Entry{SectionRef(Section), serial};
    return serial;
}

std::size_t TSectionSerials::Count() {
    Prune();
    return entries_.size();
}

} // namespace corvane

#pragma once
// Numbers that name sections for clients which must find the same section
// again across edits (UI Automation's runtime ids): a section keeps its
// number while it lives, wherever it moves in the tree, and no number is
// handed out twice by one table. Numbers are given on first asking.
//
// Like SectionRef, a table is used on the thread that owns the sections.

#include "core/model/SectionRef.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace corvane {

class TSectionSerials {
public:
    // The section's number (from 1); a section never asked about gets the
    // next one.
    int SerialOf(const THeaderColumns* Section);
    // How many live sections have numbers now.
    std::size_t Count();

private:
    // Forgets freed sections, whose addresses a new section may take over.
    void Prune();

    struct Entry {
        SectionRef Section;
        int Serial = 0;
    };
    std::unordered_map<const THeaderColumns*, Entry> entries_;
    int next_ = 1;
    uint64_t freedSeen_ = 0;
};

} // namespace corvane

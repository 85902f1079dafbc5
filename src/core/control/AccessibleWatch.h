#pragma once
// What assistive technology was last told about one header: the captions in
// tree order, the change counters they were read at, the focused section.
// Comparing with it finds what to announce (StrativAccessibility.cpp).

#include "core/model/SectionRef.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct TAccessibleWatch {
    struct Entry {
        SectionRef Section;
        std::string Caption;
    };
    bool Started = false;
    uint64_t ShapeChanges = 0;
    uint64_t CaptionChanges = 0;
    std::vector<Entry> Entries;
    SectionRef AnnouncedFocus;
    bool AnnouncedWithFocus = false;
};

} // namespace corvane

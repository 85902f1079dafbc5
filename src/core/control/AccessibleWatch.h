#pragma once
// What assistive technology was last told about one header: the captions and
// rectangles in tree order, the change counters and client size they were
// read at, whether sections could be clicked, the focused section and its id.
// Comparing with it finds what to announce (StrativAccessibility.cpp).

#include "core/framework/Graphics.h"
#include "core/model/SectionRef.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct TAccessibleWatch {
    struct Entry {
        SectionRef Section;
        std::string Caption;
        TRect Rect;
    };
    bool Started = false;
    uint64_t ShapeChanges = 0;
    uint64_t CaptionChanges = 0;
    uint64_t WidthChanges = 0;
    uint64_t HeightChanges = 0;
    TPoint ClientSize;
    bool Clickable = false;
    std::vector<Entry> Entries;
    SectionRef AnnouncedFocus;
    int AnnouncedFocusId = 0; // a move changes the id a client reads it by
    bool AnnouncedWithFocus = false;
};

} // namespace corvane

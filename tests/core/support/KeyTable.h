#pragma once
// The header's keys as one table: key and modifiers, options and the focused
// section before, against the focus after, the events heard and the tree
// after. The core's tests press each key through the control's entry point;
// the Windows tests send the same keys to a real window.

#include "StrativTestHeader.h"
#include "core/control/Strativ.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace corvane::testing {

// Three levels; the columns are First, Last, Phone, Qty, Date, Notes.
inline const char* const KeyTableTree =
    "Customer/18(Name/18(First:85,Last:85),Phone:70),Order/18(Qty:65,Date:90),Notes:110";
constexpr int KeyTableClientWidth = 560;
constexpr int KeyTableClientHeight = 60;

struct KeyCase {
    const char* focused;    // before the key
    uint16_t key;           // the platform's virtual key
    TShiftState shift;      // ssShift, ssCtrl, ssAlt
    THeaderOptions options; // AllHeaderOptions, or all but one
    bool used;              // the control took the key
    const char* focusAfter; //
    std::vector<std::string> events;
    const char* tree; // the tree after; nullptr: as before
};

constexpr uint16_t KeyTab = 0x09;
constexpr THeaderOptions All = AllHeaderOptions;
constexpr THeaderOptions None = 0;
constexpr THeaderOptions AllBut(THeaderOption option) {
    return static_cast<THeaderOptions>(AllHeaderOptions & ~option);
}

// clang-format off
inline const std::vector<KeyCase>& KeyCases() {
    static const std::vector<KeyCase> cases = {
        // Arrows among columns: leaves go left and right through the columns,
        // out of their group into the neighbouring one.
        {"First", vkRight, 0, All, true, "Last", {}, nullptr},
        {"Last", vkRight, 0, All, true, "Phone", {}, nullptr},
        {"Phone", vkRight, 0, All, true, "Qty", {}, nullptr},
        {"Qty", vkLeft, 0, All, true, "Phone", {}, nullptr},
        {"Notes", vkRight, 0, All, true, "Notes", {}, nullptr},
        {"First", vkLeft, 0, All, true, "First", {}, nullptr},
        {"Date", vkRight, ssShift, All, true, "Notes", {}, nullptr},
        // Sections with children go among their siblings.
        {"Customer", vkRight, 0, All, true, "Order", {}, nullptr},
        {"Order", vkRight, 0, All, true, "Notes", {}, nullptr},
        {"Order", vkLeft, 0, All, true, "Customer", {}, nullptr},
        {"Customer", vkLeft, 0, All, true, "Customer", {}, nullptr},
        {"Name", vkRight, 0, All, true, "Phone", {}, nullptr},
        // Up to the parent, down to the first child.
        {"First", vkUp, 0, All, true, "Name", {}, nullptr},
        {"Name", vkUp, 0, All, true, "Customer", {}, nullptr},
        {"Customer", vkUp, 0, All, true, "Customer", {}, nullptr},
        {"Customer", vkDown, 0, All, true, "Name", {}, nullptr},
        {"Name", vkDown, 0, All, true, "First", {}, nullptr},
        {"First", vkDown, 0, All, true, "First", {}, nullptr},
        // Home and End: the first and last column, or of the level.
        {"Date", vkHome, 0, All, true, "First", {}, nullptr},
        {"Qty", vkEnd, 0, All, true, "Notes", {}, nullptr},
        {"Order", vkHome, 0, All, true, "Customer", {}, nullptr},
        {"Customer", vkEnd, 0, All, true, "Notes", {}, nullptr},
        {"Name", vkEnd, 0, All, true, "Date", {}, nullptr},
        // Moving the focus needs no option.
        {"First", vkRight, 0, None, true, "Last", {}, nullptr},

        // Space and Enter click, as a mouse click does, with the click option.
        {"Phone", vkSpace, 0, All, true, "Phone", {"OnHeaderClick Phone"}, nullptr},
        {"Name", vkReturn, 0, All, true, "Name", {"OnHeaderClick Name"}, nullptr},
        {"Phone", vkSpace, 0, AllBut(hoClick), false, "Phone", {}, nullptr},
        {"Phone", vkSpace, ssShift, All, false, "Phone", {}, nullptr},

        // Ctrl+Left/Right: the width as a drag of the edge (Shift: 10 pixels).
        {"Last", vkRight, ssCtrl, All, true, "Last", {"OnSizing Last 1 86", "OnSized Last 1 86"},
         "Customer/18(Name/18(First:85,Last:86),Phone:70),Order/18(Qty:65,Date:90),Notes:110"},
        {"Last", vkLeft, ssCtrl | ssShift, All, true, "Last",
         {"OnSizing Last 1 75", "OnSized Last 1 75"},
         "Customer/18(Name/18(First:85,Last:75),Phone:70),Order/18(Qty:65,Date:90),Notes:110"},
        // A section with children moves its right edge: its last leaf's width.
        {"Name", vkRight, ssCtrl, All, true, "Name", {"OnSizing Name 1 86", "OnSized Name 1 86"},
         "Customer/18(Name/18(First:85,Last:86),Phone:70),Order/18(Qty:65,Date:90),Notes:110"},
        {"Last", vkRight, ssCtrl, AllBut(hoHresize), false, "Last", {}, nullptr},

        // Ctrl+Up/Down: the band height of a section with children.
        {"Name", vkDown, ssCtrl, All, true, "Name",
         {"OnHeightChanging Name 19", "OnHeightChanged Name 19"},
         "Customer/18(Name/19(First:85,Last:85),Phone:70),Order/18(Qty:65,Date:90),Notes:110"},
        {"Customer", vkUp, ssCtrl | ssShift, All, true, "Customer",
         {"OnHeightChanging Customer 8", "OnHeightChanged Customer 8"},
         "Customer/8(Name/18(First:85,Last:85),Phone:70),Order/18(Qty:65,Date:90),Notes:110"},
        {"First", vkDown, ssCtrl, All, true, "First", {}, nullptr}, // a leaf has no band edge
        {"Name", vkDown, ssCtrl, AllBut(hoVResize), false, "Name", {}, nullptr},

        // Alt+Left/Right: in front of the previous, behind the next sibling,
        // through OnDropSection.
        {"Phone", vkLeft, ssAlt, All, true, "Phone", {"OnDropSection Phone Name before allowed"},
         "Customer/18(Phone:70,Name/18(First:85,Last:85)),Order/18(Qty:65,Date:90),Notes:110"},
        {"Customer", vkRight, ssAlt, All, true, "Customer",
         {"OnDropSection Customer Order before allowed"},
         "Order/18(Qty:65,Date:90),Customer/18(Name/18(First:85,Last:85),Phone:70),Notes:110"},
        {"Qty", vkRight, ssAlt, All, true, "Qty", {"OnDropSection Qty Date before allowed"},
         "Customer/18(Name/18(First:85,Last:85),Phone:70),Order/18(Date:90,Qty:65),Notes:110"},
        {"First", vkLeft, ssAlt, All, true, "First", {}, nullptr}, // no previous sibling
        {"Order", vkRight, ssAlt, AllBut(hoDragdrop), false, "Order", {}, nullptr},

        // Shift+F10 and the menu key: the context menu.
        {"Date", vkF10, ssShift, All, true, "Date", {"Menu"}, nullptr},
        {"Date", vkApps, 0, All, true, "Date", {"Menu"}, nullptr},
        {"Date", vkApps, 0, AllBut(hoCustomize), false, "Date", {}, nullptr},
        {"Date", vkF10, 0, All, false, "Date", {}, nullptr},

        // Keys the header leaves to its container.
        {"Date", KeyTab, 0, All, false, "Date", {}, nullptr},
        {"Date", vkLeft, ssCtrl | ssAlt, All, false, "Date", {}, nullptr},
        {"Date", vkUp, ssAlt, All, false, "Date", {}, nullptr},
    };
    return cases;
}
// clang-format on

inline std::string KeyName(uint16_t key) {
    switch (key) {
    case vkLeft:
        return "Left";
    case vkRight:
        return "Right";
    case vkUp:
        return "Up";
    case vkDown:
        return "Down";
    case vkHome:
        return "Home";
    case vkEnd:
        return "End";
    case vkSpace:
        return "Space";
    case vkReturn:
        return "Enter";
    case vkF10:
        return "F10";
    case vkApps:
        return "Apps";
    case KeyTab:
        return "Tab";
    default:
        return std::to_string(key);
    }
}

inline std::string Describe(const KeyCase& c) {
    std::string keys = std::string(c.shift & ssCtrl ? "Ctrl+" : "") +
                       (c.shift & ssAlt ? "Alt+" : "") + (c.shift & ssShift ? "Shift+" : "");
    return keys + KeyName(c.key) + " on " + c.focused + " with options " +
           std::to_string(c.options);
}

inline void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << Describe(c);
}

// The events a key can make, as the table writes them.
inline void RecordKeyEvents(TStrativ& header, std::vector<std::string>& log) {
    header.OnSizing = [&log](TStrativ*, THeaderColumns* s, int i, int w) {
        log.push_back("OnSizing " + s->Caption() + " " + std::to_string(i) + " " +
                      std::to_string(w));
    };
    header.OnSized = [&log](TStrativ*, THeaderColumns* s, int i, int w) {
        log.push_back("OnSized " + s->Caption() + " " + std::to_string(i) + " " +
                      std::to_string(w));
    };
    header.OnHeightChanging = [&log](TStrativ*, THeaderColumns* s, int v) {
        log.push_back("OnHeightChanging " + s->Caption() + " " + std::to_string(v));
    };
    header.OnHeightChanged = [&log](TStrativ*, THeaderColumns* s, int v) {
        log.push_back("OnHeightChanged " + s->Caption() + " " + std::to_string(v));
    };
    header.OnHeaderClick = [&log](TStrativ*, THeaderColumns* s) {
        log.push_back("OnHeaderClick " + s->Caption());
    };
    header.OnDropSection = [&log](TStrativ*, THeaderColumns* src, THeaderColumns* dst,
                                  bool& asChild, bool& allow) {
        log.push_back("OnDropSection " + src->Caption() + " " + dst->Caption() +
                      (asChild ? " child" : " before") + (allow ? " allowed" : " refused"));
    };
}

} // namespace corvane::testing

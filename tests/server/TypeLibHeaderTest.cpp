// The generated CorvaneC_TLB.h against the library's contract: identifiers,
// DISPIDs, enumeration values, and the table slot of each method as the C++
// compiler lays it out (a host calling early-bound depends on exactly that).
#include "win32/WinApi.h"

#include "CorvaneC_TLB.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return std::string(text, text + std::wcslen(text));
}

TEST(TypeLibHeader, Identifiers) {
    const struct {
        const GUID& Id;
        const char* Text;
    } cases[] = {
        {LIBID_CorvaneC, "{FEDE2C2E-B885-11D2-BBE8-E850F2510B74}"},
        {IID_ICorvane, "{FEDE2C2F-B885-11D2-BBE8-E850F2510B74}"},
        {DIID_ICorvaneEvents, "{FEDE2C31-B885-11D2-BBE8-E850F2510B74}"},
        {CLSID_Corvane, "{FEDE2C33-B885-11D2-BBE8-E850F2510B74}"},
        {IID_ISections, "{FEDE2C3D-B885-11D2-BBE8-E850F2510B74}"},
        {CLSID_Sections, "{FEDE2C3F-B885-11D2-BBE8-E850F2510B74}"},
        {__uuidof(ICorvane), "{FEDE2C2F-B885-11D2-BBE8-E850F2510B74}"},
        {__uuidof(ICorvaneEvents), "{FEDE2C31-B885-11D2-BBE8-E850F2510B74}"},
        {__uuidof(ISections), "{FEDE2C3D-B885-11D2-BBE8-E850F2510B74}"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GuidText(c.Id), c.Text);
    }
    EXPECT_EQ(CorvaneC_MajorVersion, 1);
    EXPECT_EQ(CorvaneC_MinorVersion, 0);
    EXPECT_EQ(CorvaneC_Lcid, 0x0409u);
}

TEST(TypeLibHeader, DispIdsAndEnumerations) {
    const struct {
        DISPID Got;
        DISPID Want;
    } cases[] = {
        {DISPID_ICorvane_AfterCustomize, 1},
        {DISPID_ICorvane_ColumnCount, 7},
        {DISPID_ICorvane_HotTrackColor, 9},
        {DISPID_ICorvane_Color, -501},
        {DISPID_ICorvane_Font, -512},
        {DISPID_ICorvane_Enabled, -514},
        {DISPID_ICorvane_AboutBox, -552},
        {DISPID_ICorvane_ClassNameIs, 42},
        {DISPID_ICorvane_AllowHotTrack, 40},
        {DISPID_ICorvaneEvents_OnBeforeCustomize, 8},
        {DISPID_ICorvaneEvents_OnAfterApply, 1},
        {DISPID_ICorvaneEvents_OnSizing, 6},
        {DISPID_ICorvaneEvents_OnDropSection, 15},
        {DISPID_ISections_Add, 1},
        {DISPID_ISections_Parent, 19},
        {DISPID_ISections_Items, 26},
        {DISPID_ISections_WordWrap, 33},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].Got, cases[i].Want) << "case " << i;
    }
    const struct {
        int Got;
        int Want;
    } values[] = {{bvNone, 0},        {bvSpace, 3},
                  {bsAutoDetect, 0},  {bsNew, 2},
                  {bsNone, 0},        {bsSingle, 1},
                  {taLeftJustify, 0}, {taCenter, 2},
                  {bdLeftToRight, 0}, {bdRightToLeftReadingOnly, 3}};
    for (size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(values[i].Got, values[i].Want) << "value " << i;
    }
}

// The table slot of a virtual method: with this compiler's ABI a pointer to a
// virtual member holds 1 + the byte offset of its slot.
template <class Method> long Slot(Method method) {
    static_assert(sizeof(method) >= sizeof(ptrdiff_t));
    ptrdiff_t raw = 0;
    std::memcpy(&raw, &method, sizeof raw);
    return static_cast<long>((raw - 1) / static_cast<ptrdiff_t>(sizeof(void*)));
}

TEST(TypeLibHeader, MethodsSitInTheLibrarysSlots) {
    const struct {
        long Got;
        long Want;
        const char* Name;
    } cases[] = {
        {Slot(&ICorvane::AfterCustomize), 7, "AfterCustomize"},
        {Slot(&ICorvane::get_ColumnCount), 13, "get_ColumnCount"},
        {Slot(&ICorvane::put_HotTrackColor), 15, "put_HotTrackColor"},
        {Slot(&ICorvane::get_Font), 30, "get_Font"},
        {Slot(&ICorvane::putref_Font), 32, "putref_Font"},
        {Slot(&ICorvane::FlipChildren), 39, "FlipChildren"},
        {Slot(&ICorvane::ClassNameIs), 52, "ClassNameIs"},
        {Slot(&ICorvane::AboutBox), 53, "AboutBox"},
        {Slot(&ICorvane::get_Sections), 54, "get_Sections"},
        {Slot(&ICorvane::put_AllowHotTrack), 70, "put_AllowHotTrack"},
        {Slot(&ISections::Add), 7, "Add"},
        {Slot(&ISections::Insert), 23, "Insert"},
        {Slot(&ISections::put_Parent), 25, "put_Parent"},
        {Slot(&ISections::get_Items), 30, "get_Items"},
        {Slot(&ISections::put_Items), 31, "put_Items"},
        {Slot(&ISections::put_WordWrap), 42, "put_WordWrap"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.Got, c.Want) << c.Name;
    }
}

} // namespace

#include "server/typelib/TypeLibTable.h"

#include <cstdio>

namespace corvane::typelib {

namespace {

// Shorthands that keep the member tables one row per accessor.
const TTypeRef Long{TBaseType::Long};
const TTypeRef Short{TBaseType::Short};
const TTypeRef Bool{TBaseType::Bool};
const TTypeRef Bstr{TBaseType::Bstr};
const TTypeRef OleColor{TBaseType::OleColor};
const TTypeRef FontDisp{TBaseType::FontDisp};

TTypeRef Local(const char* name) {
    return TTypeRef{TBaseType::LocalType, name};
}

TParam In(const char* name, TTypeRef type) {
    return TParam{name, type, TParamDir::In};
}
TParam InOut(const char* name, TTypeRef type) {
    return TParam{name, type, TParamDir::InOutRef};
}
TParam Result(TTypeRef type) {
    return TParam{"Value", type, TParamDir::Retval};
}

TMember Method(const char* name, int32_t id, std::vector<TParam> params = {},
               const char* help = nullptr) {
    return TMember{name, id, TInvokeKind::Method, std::move(params), false, help};
}
TMember Get(const char* name, int32_t id, TTypeRef type, const char* help = nullptr) {
    return TMember{name, id, TInvokeKind::Get, {Result(type)}, false, help};
}
TMember Put(const char* name, int32_t id, TTypeRef type, const char* help = nullptr) {
    return TMember{name, id, TInvokeKind::Put, {In(nullptr, type)}, false, help};
}
TMember Hidden(TMember member) {
    member.Hidden = true;
    return member;
}

// Every type of the library shares the family's GUID but for the first field.
TGuid FamilyGuid(uint32_t data1) {
    return TGuid{data1, 0xB885, 0x11D2, {0xBB, 0xE8, 0xE8, 0x50, 0xF2, 0x51, 0x0B, 0x74}};
}

TTypeDesc Enumeration(const char* name, uint32_t guid, std::vector<TEnumConstant> constants) {
    TTypeDesc type{TTypeKind::Enumeration, name, FamilyGuid(guid), 0, nullptr, {}, {}, {}};
    type.Constants = std::move(constants);
    return type;
}

TTypeDesc CorvaneInterface() {
    const TTypeRef Sections = Local("ISections");
    TTypeDesc type{TTypeKind::DualInterface,
                   "ICorvane",
                   FamilyGuid(0xFEDE2C2F),
                   tfDual | tfOleAutomation | tfDispatchable,
                   "Dispatch interface for Corvane Control",
                   {},
                   {},
                   {}};
    type.Members = {
        Method("AfterCustomize", 1),
        Method("BeforeCustomize", 2),
        Method("BeforeApply", 3),
        Method("AfterApply", 4),
        Method("Customize", 5),
        Method("ShowAbout", 6),
        Hidden(Get("ColumnCount", 7, Long)),
        Get("HotTrackColor", 9, OleColor),
        Put("HotTrackColor", 9, OleColor),
        Get("CustomizeMenustring", 11, Bstr),
        Put("CustomizeMenustring", 11, Bstr),
        Get("BevelInner", 12, Local("TxBevelCut")),
        Put("BevelInner", 12, Local("TxBevelCut")),
        Get("BevelOuter", 13, Local("TxBevelCut")),
        Put("BevelOuter", 13, Local("TxBevelCut")),
        Get("Color", -501, OleColor),
        Put("Color", -501, OleColor),
        Get("Headerstyle", 14, Local("TxButtonStyle")),
        Put("Headerstyle", 14, Local("TxButtonStyle")),
        Get("BorderStyle", 15, Local("TxBorderStyle")),
        Put("BorderStyle", 15, Local("TxBorderStyle")),
        Get("Enabled", -514, Bool),
        Put("Enabled", -514, Bool),
        Get("Font", -512, FontDisp),
        Put("Font", -512, FontDisp),
        TMember{"Font", -512, TInvokeKind::PutRef, {InOut(nullptr, FontDisp)}, false, nullptr},
        Get("ParentFont", 16, Bool),
        Put("ParentFont", 16, Bool),
        Get("Visible", 17, Bool),
        Put("Visible", 17, Bool),
        Hidden(Get("DoubleBuffered", 20, Bool)),
        Hidden(Put("DoubleBuffered", 20, Bool)),
        Method("FlipChildren", 21, {In("AllLevels", Bool)}),
        Method("DrawTextBiDiModeFlags", 24, {In("Flags", Long), Result(Long)}),
        Method("DrawTextBiDiModeFlagsReadingOnly", 25, {Result(Long)}),
        Method("GetControlsAlignment", 26, {Result(Local("TxAlignment"))}),
        Method("InitiateAction", 28),
        Method("IsRightToLeft", 29, {Result(Bool)}),
        Method("UseRightToLeftAlignment", 34, {Result(Bool)}),
        Method("UseRightToLeftReading", 35, {Result(Bool)}),
        Method("UseRightToLeftScrollBar", 36, {Result(Bool)}),
        Hidden(Get("BiDiMode", 37, Local("TxBiDiMode"))),
        Hidden(Put("BiDiMode", 37, Local("TxBiDiMode"))),
        Get("Cursor", 38, Short),
        Put("Cursor", 38, Short),
        Method("ClassNameIs", 42, {In("Name", Bstr), Result(Bool)}),
        Method("AboutBox", -552),
        Get("Sections", 19, Sections),
        Get("AllowClick", 22, Bool),
        Put("AllowClick", 22, Bool),
        Get("AllowHint", 23, Bool),
        Put("AllowHint", 23, Bool),
        Get("AllowVResize", 27, Bool),
        Put("AllowVResize", 27, Bool),
        Get("AllowHResize", 30, Bool),
        Put("AllowHResize", 30, Bool),
        Get("AllowCustomize", 31, Bool),
        Put("AllowCustomize", 31, Bool),
        Get("AllowAbout", 32, Bool),
        Put("AllowAbout", 32, Bool),
        Get("AllowDragDrop", 39, Bool),
        Put("AllowDragDrop", 39, Bool),
        Get("AllowHotTrack", 40, Bool),
        Put("AllowHotTrack", 40, Bool),
    };
    return type;
}

TTypeDesc CorvaneEvents() {
    const TTypeRef Sections = Local("ISections");
    TTypeDesc type{TTypeKind::DispInterface,
                   "ICorvaneEvents",
                   FamilyGuid(0xFEDE2C31),
                   tfDispatchable,
                   "Events interface for Corvane Control",
                   {},
                   {},
                   {}};
    const auto sized = [&] {
        return std::vector<TParam>{In("Section", Sections), In("Width", Long),
                                   In("SectionIndex", Long)};
    };
    type.Members = {
        Method("OnBeforeCustomize", 8),
        Method("OnAfterCustomize", 9),
        Method("OnBeforeApply", 10),
        Method("OnAfterApply", 1),
        Method("OnHeaderClick", 5, {In("Section", Sections)}),
        Method("OnSizing", 6, sized()),
        Method("OnSized", 11, sized()),
        Method("OnHeightChanged", 12, {In("Section", Sections), In("Height", Long)}),
        Method("OnHeightChanging", 13, {In("Section", Sections), In("Height", Long)}),
        Method("OnHint", 14, {In("Section", Sections), InOut("aHint", Bstr)}),
        Method("OnDropSection", 15,
               {In("SrcSection", Sections), In("DestSection", Sections), InOut("AsChild", Bool),
                InOut("AllowDrop", Bool)}),
    };
    return type;
}

TTypeDesc SectionsInterface() {
    const TTypeRef Sections = Local("ISections");
    TTypeDesc type{TTypeKind::DualInterface,
                   "ISections",
                   FamilyGuid(0xFEDE2C3D),
                   tfDual | tfOleAutomation | tfDispatchable,
                   "Dispatch interface for Sections Headers",
                   {},
                   {},
                   {}};
    const char* const parentHelp = "Get Parent Collection";
    const char* const itemsHelp = "Provides indexed access to the items in the collection";
    type.Members = {
        Method("Add", 1, {In("Caption", Bstr), Result(Sections)}, "Add new section"),
        Method("IsParent", 2, {In("Section", Sections), Result(Bool)},
               "Section is Parent for item of Child Collections?"),
        Method("Changed", 3, {In("All", Bool)}, "Update All Sections in Collection"),
        Method("GetFirstChild", 4, {Result(Sections)}, "Get First Item In Collection"),
        Method("GetLastChild", 5, {Result(Sections)}, "Get Last Item In Collection"),
        Method("GetNext", 6, {Result(Sections)}, "Get Next Item In Collection"),
        Method("GetNextSibling", 7, {Result(Sections)}, "Get Next Item In Parent Collection"),
        Method("GetPrev", 8, {Result(Sections)}, "Get Previous Item In Collection"),
        Method("GetPrevSibling", 9, {Result(Sections)}, "Get Previous Item In Parent Collection"),
        Method("AlphaSort", 10, {In("Recursive", Bool)}, "Alphabetical Sorting Collection"),
        Method("Exchange", 11, {In("Index1", Long), In("Index2", Long)},
               "Exchange Items in Collection"),
        Method("DeleteItem", 12, {In("Section", Sections)},
               "Remove and delete item from Collection"),
        Method("BeginUpdate", 13, {}, "Procedure for begin changes in collection"),
        Method("Clear", 14, {}, "Clear Items in Collection"),
        Method("EndUpdate", 15, {}, "Procedure for end changes in collection"),
        Method("FindItemID", 16, {In("ID", Long), Result(Sections)},
               "Find Item in collection on Item ID"),
        Method("Insert", 17, {In("Index", Long), Result(Sections)},
               "Inserts item at a specified index"),
        Get("Parent", 19, Sections, parentHelp),
        Put("Parent", 19, Sections, parentHelp),
        Get("ID", 20, Long, "Unique ID Of Ittem in Parent Collection"),
        Get("Index", 21, Long, "Index of Item in Parent Collection"),
        Get("Count", 23, Long, "Count of items in this collection"),
        Get("Level", 24, Long,
            "Indicates the level of indentation of a item within the Root Collection."),
        TMember{
            "Items", 26, TInvokeKind::Get, {In("Index", Long), Result(Sections)}, false, itemsHelp},
        TMember{"Items",
                26,
                TInvokeKind::Put,
                {In("Index", Long), In(nullptr, Sections)},
                false,
                itemsHelp},
        Get("AbsoluteIndex", 27, Long,
            "Indicates the index of the Item relative to the first item in a Root Collection."),
        Get("Caption", 29, Bstr, "Caption of section For display"),
        Put("Caption", 29, Bstr, "Caption of section For display"),
        Get("Width", 30, Long, "Width of section For display"),
        Put("Width", 30, Long, "Width of section For display"),
        Get("Height", 31, Long, "Height of section For display"),
        Put("Height", 31, Long, "Height of section For display"),
        Get("Alignment", 32, Local("TxAlignment"), "Alignment of section Caption For display"),
        Put("Alignment", 32, Local("TxAlignment"), "Alignment of section Caption For display"),
        Get("WordWrap", 33, Bool,
            "Specifies whether the Caption text wraps when it is too long for the width of the "
            "section."),
        Put("WordWrap", 33, Bool,
            "Specifies whether the Caption text wraps when it is too long for the width of the "
            "section."),
    };
    return type;
}

TTypeDesc CoClass(const char* name, uint32_t guid, uint16_t flags, const char* help,
                  std::vector<TImplType> implemented) {
    TTypeDesc type{TTypeKind::CoClass, name, FamilyGuid(guid), flags, help, {}, {}, {}};
    type.Implemented = std::move(implemented);
    return type;
}

TLibrary BuildLibrary() {
    TLibrary library{
        "CorvaneC", "CorvaneC Library", FamilyGuid(0xFEDE2C2E), 1, 0, 0x0409, lfControl, 1, 0, {}};
    library.Types = {
        CorvaneInterface(),
        CorvaneEvents(),
        CoClass("Corvane", 0xFEDE2C33, tfCanCreate | tfControl, "Corvane Control",
                {{"ICorvane", ifDefault}, {"ICorvaneEvents", ifDefault | ifSource}}),
        Enumeration("TxBevelCut", 0xFEDE2C35,
                    {{"bvNone", 0}, {"bvLowered", 1}, {"bvRaised", 2}, {"bvSpace", 3}}),
        Enumeration("TxButtonStyle", 0xFEDE2C36,
                    {{"bsAutoDetect", 0}, {"bsWin31", 1}, {"bsNew", 2}}),
        Enumeration("TxBorderStyle", 0xFEDE2C37, {{"bsNone", 0}, {"bsSingle", 1}}),
        Enumeration("TxAlignment", 0xFEDE2C38,
                    {{"taLeftJustify", 0}, {"taRightJustify", 1}, {"taCenter", 2}}),
        Enumeration("TxBiDiMode", 0xFEDE2C39,
                    {{"bdLeftToRight", 0},
                     {"bdRightToLeft", 1},
                     {"bdRightToLeftNoAlign", 2},
                     {"bdRightToLeftReadingOnly", 3}}),
        SectionsInterface(),
        CoClass("Sections", 0xFEDE2C3F, tfCanCreate, "Sections Collection",
                {{"ISections", ifDefault}}),
    };
    return library;
}

} // namespace

std::string GuidText(const TGuid& guid) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    return text;
}

const TLibrary& CorvaneLibrary() {
    static const TLibrary library = BuildLibrary();
    return library;
}

const TTypeDesc* FindType(const TLibrary& library, const std::string& name) {
    for (const TTypeDesc& type : library.Types) {
        if (name == type.Name) {
            return &type;
        }
    }
    return nullptr;
}

bool IsInterfaceType(const TLibrary& library, const TTypeRef& type) {
    if (type.Base == TBaseType::FontDisp) {
        return true;
    }
    if (type.Base != TBaseType::LocalType) {
        return false;
    }
    const TTypeDesc* local = FindType(library, type.LocalName);
    return local != nullptr &&
           (local->Kind == TTypeKind::DualInterface || local->Kind == TTypeKind::DispInterface);
}

} // namespace corvane::typelib

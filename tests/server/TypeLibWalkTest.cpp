// Walks the built type library item by item against the library's contract,
// written out here by hand (deliberately not from the generator's table): a
// slip in that table must show up as a difference here.
//
// Each tree checks its own library, from the .tlb file and from the copy
// embedded in this program as resource TYPELIB 1.
#include "win32/WinApi.h"

#include <ocidl.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// ---- Expected content ----------------------------------------------------

constexpr WORD DualFlags = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;

struct ExpectedType {
    TYPEKIND Kind;
    const wchar_t* Name;
    const wchar_t* Guid;
    WORD Flags;
    const wchar_t* Help;
};

const ExpectedType Types[] = {
    {TKIND_DISPATCH, L"ICorvane", L"{FEDE2C2F-B885-11D2-BBE8-E850F2510B74}", DualFlags,
     L"Dispatch interface for Corvane Control"},
    {TKIND_DISPATCH, L"ICorvaneEvents", L"{FEDE2C31-B885-11D2-BBE8-E850F2510B74}",
     TYPEFLAG_FDISPATCHABLE, L"Events interface for Corvane Control"},
    {TKIND_COCLASS, L"Corvane", L"{FEDE2C33-B885-11D2-BBE8-E850F2510B74}",
     TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL, L"Corvane Control"},
    {TKIND_ENUM, L"TxBevelCut", L"{FEDE2C35-B885-11D2-BBE8-E850F2510B74}", 0, nullptr},
    {TKIND_ENUM, L"TxButtonStyle", L"{FEDE2C36-B885-11D2-BBE8-E850F2510B74}", 0, nullptr},
    {TKIND_ENUM, L"TxBorderStyle", L"{FEDE2C37-B885-11D2-BBE8-E850F2510B74}", 0, nullptr},
    {TKIND_ENUM, L"TxAlignment", L"{FEDE2C38-B885-11D2-BBE8-E850F2510B74}", 0, nullptr},
    {TKIND_ENUM, L"TxBiDiMode", L"{FEDE2C39-B885-11D2-BBE8-E850F2510B74}", 0, nullptr},
    {TKIND_DISPATCH, L"ISections", L"{FEDE2C3D-B885-11D2-BBE8-E850F2510B74}", DualFlags,
     L"Dispatch interface for Sections Headers"},
    {TKIND_COCLASS, L"Sections", L"{FEDE2C3F-B885-11D2-BBE8-E850F2510B74}", TYPEFLAG_FCANCREATE,
     L"Sections Collection"},
};

// Parameter types are written as C declarations; "stdole." marks a type of
// the imported standard library.
struct ExpectedParam {
    const wchar_t* Name; // nullptr: unnamed (put values) or not checked (results)
    const char* Type;
    USHORT Flags;
};

constexpr USHORT In = PARAMFLAG_FIN;
constexpr USHORT InOut = PARAMFLAG_FIN | PARAMFLAG_FOUT;
constexpr USHORT Ret = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;

constexpr INVOKEKIND Func = INVOKE_FUNC;
constexpr INVOKEKIND Get = INVOKE_PROPERTYGET;
constexpr INVOKEKIND Put = INVOKE_PROPERTYPUT;
constexpr INVOKEKIND PutRef = INVOKE_PROPERTYPUTREF;

struct ExpectedMember {
    int Slot;
    MEMBERID Id;
    const wchar_t* Name;
    INVOKEKIND Kind;
    std::vector<ExpectedParam> Params;
    bool Hidden;
    const wchar_t* Help;
};

ExpectedParam R(const char* type) {
    return {nullptr, type, Ret};
}
ExpectedParam V(const char* type) {
    return {nullptr, type, In};
}

const std::vector<ExpectedMember> CorvaneMembers = {
    {7, 1, L"AfterCustomize", Func, {}, false, nullptr},
    {8, 2, L"BeforeCustomize", Func, {}, false, nullptr},
    {9, 3, L"BeforeApply", Func, {}, false, nullptr},
    {10, 4, L"AfterApply", Func, {}, false, nullptr},
    {11, 5, L"Customize", Func, {}, false, nullptr},
    {12, 6, L"ShowAbout", Func, {}, false, nullptr},
    {13, 7, L"ColumnCount", Get, {R("long*")}, true, nullptr},
    {14, 9, L"HotTrackColor", Get, {R("stdole.OLE_COLOR*")}, false, nullptr},
    {15, 9, L"HotTrackColor", Put, {V("stdole.OLE_COLOR")}, false, nullptr},
    {16, 11, L"CustomizeMenustring", Get, {R("BSTR*")}, false, nullptr},
    {17, 11, L"CustomizeMenustring", Put, {V("BSTR")}, false, nullptr},
    {18, 12, L"BevelInner", Get, {R("TxBevelCut*")}, false, nullptr},
    {19, 12, L"BevelInner", Put, {V("TxBevelCut")}, false, nullptr},
    {20, 13, L"BevelOuter", Get, {R("TxBevelCut*")}, false, nullptr},
    {21, 13, L"BevelOuter", Put, {V("TxBevelCut")}, false, nullptr},
    {22, -501, L"Color", Get, {R("stdole.OLE_COLOR*")}, false, nullptr},
    {23, -501, L"Color", Put, {V("stdole.OLE_COLOR")}, false, nullptr},
    {24, 14, L"Headerstyle", Get, {R("TxButtonStyle*")}, false, nullptr},
    {25, 14, L"Headerstyle", Put, {V("TxButtonStyle")}, false, nullptr},
    {26, 15, L"BorderStyle", Get, {R("TxBorderStyle*")}, false, nullptr},
    {27, 15, L"BorderStyle", Put, {V("TxBorderStyle")}, false, nullptr},
    {28, -514, L"Enabled", Get, {R("VARIANT_BOOL*")}, false, nullptr},
    {29, -514, L"Enabled", Put, {V("VARIANT_BOOL")}, false, nullptr},
    {30, -512, L"Font", Get, {R("stdole.IFontDisp**")}, false, nullptr},
    {31, -512, L"Font", Put, {V("stdole.IFontDisp*")}, false, nullptr},
    {32, -512, L"Font", PutRef, {{nullptr, "stdole.IFontDisp**", InOut}}, false, nullptr},
    {33, 16, L"ParentFont", Get, {R("VARIANT_BOOL*")}, false, nullptr},
    {34, 16, L"ParentFont", Put, {V("VARIANT_BOOL")}, false, nullptr},
    {35, 17, L"Visible", Get, {R("VARIANT_BOOL*")}, false, nullptr},
    {36, 17, L"Visible", Put, {V("VARIANT_BOOL")}, false, nullptr},
    {37, 20, L"DoubleBuffered", Get, {R("VARIANT_BOOL*")}, true, nullptr},
    {38, 20, L"DoubleBuffered", Put, {V("VARIANT_BOOL")}, true, nullptr},
    {39, 21, L"FlipChildren", Func, {{L"AllLevels", "VARIANT_BOOL", In}}, false, nullptr},
    {40, 24, L"DrawTextBiDiModeFlags", Func, {{L"Flags", "long", In}, R("long*")}, false, nullptr},
    {41, 25, L"DrawTextBiDiModeFlagsReadingOnly", Func, {R("long*")}, false, nullptr},
    {42, 26, L"GetControlsAlignment", Func, {R("TxAlignment*")}, false, nullptr},
    {43, 28, L"InitiateAction", Func, {}, false, nullptr},
    {44, 29, L"IsRightToLeft", Func, {R("VARIANT_BOOL*")}, false, nullptr},
    {45, 34, L"UseRightToLeftAlignment", Func, {R("VARIANT_BOOL*")}, false, nullptr},
    {46, 35, L"UseRightToLeftReading", Func, {R("VARIANT_BOOL*")}, false, nullptr},
    {47, 36, L"UseRightToLeftScrollBar", Func, {R("VARIANT_BOOL*")}, false, nullptr},
    {48, 37, L"BiDiMode", Get, {R("TxBiDiMode*")}, true, nullptr},
    {49, 37, L"BiDiMode", Put, {V("TxBiDiMode")}, true, nullptr},
    {50, 38, L"Cursor", Get, {R("short*")}, false, nullptr},
    {51, 38, L"Cursor", Put, {V("short")}, false, nullptr},
    {52, 42, L"ClassNameIs", Func, {{L"Name", "BSTR", In}, R("VARIANT_BOOL*")}, false, nullptr},
    {53, -552, L"AboutBox", Func, {}, false, nullptr},
    {54, 19, L"Sections", Get, {R("ISections**")}, false, nullptr},
    {55, 22, L"AllowClick", Get, {R("VARIANT_BOOL*")}, false, nullptr},
    {56, 22, L"AllowClick", Put, {V("VARIANT_BOOL")}, false, nullptr},
    {57, 23, L"AllowHint", Get, {R("VARIANT_BOOL*")}, false, nullptr},
    {58, 23, L"AllowHint", Put, {V("VARIANT_BOOL")}, false, nullptr},
    {59, 27, L"AllowVResize", Get, {R("VARIANT_BOOL*")}, false, nullptr},
    {60, 27, L"AllowVResize", Put, {V("VARIANT_BOOL")}, false, nullptr},
    {61, 30, L"AllowHResize", Get, {R("VARIANT_BOOL*")}, false, nullptr},
    {62, 30, L"AllowHResize", Put, {V("VARIANT_BOOL")}, false, nullptr},
    {63, 31, L"AllowCustomize", Get, {R("VARIANT_BOOL*")}, false, nullptr},
    {64, 31, L"AllowCustomize", Put, {V("VARIANT_BOOL")}, false, nullptr},
    {65, 32, L"AllowAbout", Get, {R("VARIANT_BOOL*")}, false, nullptr},
    {66, 32, L"AllowAbout", Put, {V("VARIANT_BOOL")}, false, nullptr},
    {67, 39, L"AllowDragDrop", Get, {R("VARIANT_BOOL*")}, false, nullptr},
    {68, 39, L"AllowDragDrop", Put, {V("VARIANT_BOOL")}, false, nullptr},
    {69, 40, L"AllowHotTrack", Get, {R("VARIANT_BOOL*")}, false, nullptr},
    {70, 40, L"AllowHotTrack", Put, {V("VARIANT_BOOL")}, false, nullptr},
};

const wchar_t ParentHelp[] = L"Get Parent Collection";
const wchar_t ItemsHelp[] = L"Provides indexed access to the items in the collection";
const wchar_t WordWrapHelp[] = L"Specifies whether the Caption text wraps when it is too long "
                               L"for the width of the section.";

const std::vector<ExpectedMember> SectionsMembers = {
    {7, 1, L"Add", Func, {{L"Caption", "BSTR", In}, R("ISections**")}, false, L"Add new section"},
    {8,
     2,
     L"IsParent",
     Func,
     {{L"Section", "ISections*", In}, R("VARIANT_BOOL*")},
     false,
     L"Section is Parent for item of Child Collections?"},
    {9,
     3,
     L"Changed",
     Func,
     {{L"All", "VARIANT_BOOL", In}},
     false,
     L"Update All Sections in Collection"},
    {10, 4, L"GetFirstChild", Func, {R("ISections**")}, false, L"Get First Item In Collection"},
    {11, 5, L"GetLastChild", Func, {R("ISections**")}, false, L"Get Last Item In Collection"},
    {12, 6, L"GetNext", Func, {R("ISections**")}, false, L"Get Next Item In Collection"},
    {13,
     7,
     L"GetNextSibling",
     Func,
     {R("ISections**")},
     false,
     L"Get Next Item In Parent Collection"},
    {14, 8, L"GetPrev", Func, {R("ISections**")}, false, L"Get Previous Item In Collection"},
    {15,
     9,
     L"GetPrevSibling",
     Func,
     {R("ISections**")},
     false,
     L"Get Previous Item In Parent Collection"},
    {16,
     10,
     L"AlphaSort",
     Func,
     {{L"Recursive", "VARIANT_BOOL", In}},
     false,
     L"Alphabetical Sorting Collection"},
    {17,
     11,
     L"Exchange",
     Func,
     {{L"Index1", "long", In}, {L"Index2", "long", In}},
     false,
     L"Exchange Items in Collection"},
    {18,
     12,
     L"DeleteItem",
     Func,
     {{L"Section", "ISections*", In}},
     false,
     L"Remove and delete item from Collection"},
    {19, 13, L"BeginUpdate", Func, {}, false, L"Procedure for begin changes in collection"},
    {20, 14, L"Clear", Func, {}, false, L"Clear Items in Collection"},
    {21, 15, L"EndUpdate", Func, {}, false, L"Procedure for end changes in collection"},
    {22,
     16,
     L"FindItemID",
     Func,
     {{L"ID", "long", In}, R("ISections**")},
     false,
     L"Find Item in collection on Item ID"},
    {23,
     17,
     L"Insert",
     Func,
     {{L"Index", "long", In}, R("ISections**")},
     false,
     L"Inserts item at a specified index"},
    {24, 19, L"Parent", Get, {R("ISections**")}, false, ParentHelp},
    {25, 19, L"Parent", Put, {V("ISections*")}, false, ParentHelp},
    {26, 20, L"ID", Get, {R("long*")}, false, L"Unique ID Of Ittem in Parent Collection"},
    {27, 21, L"Index", Get, {R("long*")}, false, L"Index of Item in Parent Collection"},
    {28, 23, L"Count", Get, {R("long*")}, false, L"Count of items in this collection"},
    {29,
     24,
     L"Level",
     Get,
     {R("long*")},
     false,
     L"Indicates the level of indentation of a item within the Root Collection."},
    {30, 26, L"Items", Get, {{L"Index", "long", In}, R("ISections**")}, false, ItemsHelp},
    {31, 26, L"Items", Put, {{L"Index", "long", In}, V("ISections*")}, false, ItemsHelp},
    {32,
     27,
     L"AbsoluteIndex",
     Get,
     {R("long*")},
     false,
     L"Indicates the index of the Item relative to the first item in a Root Collection."},
    {33, 29, L"Caption", Get, {R("BSTR*")}, false, L"Caption of section For display"},
    {34, 29, L"Caption", Put, {V("BSTR")}, false, L"Caption of section For display"},
    {35, 30, L"Width", Get, {R("long*")}, false, L"Width of section For display"},
    {36, 30, L"Width", Put, {V("long")}, false, L"Width of section For display"},
    {37, 31, L"Height", Get, {R("long*")}, false, L"Height of section For display"},
    {38, 31, L"Height", Put, {V("long")}, false, L"Height of section For display"},
    {39,
     32,
     L"Alignment",
     Get,
     {R("TxAlignment*")},
     false,
     L"Alignment of section Caption For display"},
    {40,
     32,
     L"Alignment",
     Put,
     {V("TxAlignment")},
     false,
     L"Alignment of section Caption For display"},
    {41, 33, L"WordWrap", Get, {R("VARIANT_BOOL*")}, false, WordWrapHelp},
    {42, 33, L"WordWrap", Put, {V("VARIANT_BOOL")}, false, WordWrapHelp},
};

// Events: a pure dispatch interface, so no slots; Slot holds the position.
const std::vector<ExpectedMember> EventMembers = {
    {0, 8, L"OnBeforeCustomize", Func, {}, false, nullptr},
    {1, 9, L"OnAfterCustomize", Func, {}, false, nullptr},
    {2, 10, L"OnBeforeApply", Func, {}, false, nullptr},
    {3, 1, L"OnAfterApply", Func, {}, false, nullptr},
    {4, 5, L"OnHeaderClick", Func, {{L"Section", "ISections*", In}}, false, nullptr},
    {5,
     6,
     L"OnSizing",
     Func,
     {{L"Section", "ISections*", In}, {L"Width", "long", In}, {L"SectionIndex", "long", In}},
     false,
     nullptr},
    {6,
     11,
     L"OnSized",
     Func,
     {{L"Section", "ISections*", In}, {L"Width", "long", In}, {L"SectionIndex", "long", In}},
     false,
     nullptr},
    {7,
     12,
     L"OnHeightChanged",
     Func,
     {{L"Section", "ISections*", In}, {L"Height", "long", In}},
     false,
     nullptr},
    {8,
     13,
     L"OnHeightChanging",
     Func,
     {{L"Section", "ISections*", In}, {L"Height", "long", In}},
     false,
     nullptr},
    {9,
     14,
     L"OnHint",
     Func,
     {{L"Section", "ISections*", In}, {L"aHint", "BSTR*", InOut}},
     false,
     nullptr},
    {10,
     15,
     L"OnDropSection",
     Func,
     {{L"SrcSection", "ISections*", In},
      {L"DestSection", "ISections*", In},
      {L"AsChild", "VARIANT_BOOL*", InOut},
      {L"AllowDrop", "VARIANT_BOOL*", InOut}},
     false,
     nullptr},
};

struct ExpectedEnum {
    const wchar_t* Type;
    std::vector<std::pair<const wchar_t*, LONG>> Constants;
};

const ExpectedEnum Enums[] = {
    {L"TxBevelCut", {{L"bvNone", 0}, {L"bvLowered", 1}, {L"bvRaised", 2}, {L"bvSpace", 3}}},
    {L"TxButtonStyle", {{L"bsAutoDetect", 0}, {L"bsWin31", 1}, {L"bsNew", 2}}},
    {L"TxBorderStyle", {{L"bsNone", 0}, {L"bsSingle", 1}}},
    {L"TxAlignment", {{L"taLeftJustify", 0}, {L"taRightJustify", 1}, {L"taCenter", 2}}},
    {L"TxBiDiMode",
     {{L"bdLeftToRight", 0},
      {L"bdRightToLeft", 1},
      {L"bdRightToLeftNoAlign", 2},
      {L"bdRightToLeftReadingOnly", 3}}},
};

struct ExpectedImpl {
    const wchar_t* Class;
    const wchar_t* Interface;
    INT Flags;
};

const ExpectedImpl Implemented[] = {
    {L"Corvane", L"ICorvane", IMPLTYPEFLAG_FDEFAULT},
    {L"Corvane", L"ICorvaneEvents", IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE},
    {L"Sections", L"ISections", IMPLTYPEFLAG_FDEFAULT},
};

const wchar_t StdOle[] = L"{00020430-0000-0000-C000-000000000046} 2.0";

// ---- Helpers ---------------------------------------------------------------

template <class T> class Ref {
public:
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() {
        if (Ptr) {
            Ptr->Release();
        }
    }
    T** Out() { return &Ptr; }
    T* operator->() const { return Ptr; }
    T* Get() const { return Ptr; }

private:
    T* Ptr = nullptr;
};

class Bstr {
public:
    Bstr() = default;
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(Text); }
    BSTR* Out() { return &Text; }
    std::wstring Str() const { return Text ? std::wstring(Text, SysStringLen(Text)) : L""; }
    bool IsNull() const { return Text == nullptr; }

private:
    BSTR Text = nullptr;
};

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// Reads a TYPEATTR and releases it.
TYPEATTR Attributes(ITypeInfo* info) {
    TYPEATTR* attr = nullptr;
    EXPECT_EQ(info->GetTypeAttr(&attr), S_OK);
    TYPEATTR copy = *attr;
    info->ReleaseTypeAttr(attr);
    return copy;
}

std::wstring TypeName(ITypeInfo* info) {
    Bstr name;
    EXPECT_EQ(info->GetDocumentation(MEMBERID_NIL, name.Out(), nullptr, nullptr, nullptr), S_OK);
    return name.Str();
}

// The LIBID and version of the library holding a type: "{...} 2.0".
std::wstring ContainingLibrary(ITypeInfo* info) {
    Ref<ITypeLib> lib;
    UINT index = 0;
    EXPECT_EQ(info->GetContainingTypeLib(lib.Out(), &index), S_OK);
    TLIBATTR* attr = nullptr;
    EXPECT_EQ(lib->GetLibAttr(&attr), S_OK);
    std::wstring text = GuidText(attr->guid) + L" " + std::to_wstring(attr->wMajorVerNum) + L"." +
                        std::to_wstring(attr->wMinorVerNum);
    lib->ReleaseTLibAttr(attr);
    return text;
}

// A TYPEDESC as a C declaration; user-defined types by name, resolved
// through the owning type info.
std::string Describe(ITypeInfo* owner, const TYPEDESC& desc) {
    switch (desc.vt) {
    case VT_PTR:
        return Describe(owner, *desc.lptdesc) + "*";
    case VT_I4:
        return "long";
    case VT_I2:
        return "short";
    case VT_BOOL:
        return "VARIANT_BOOL";
    case VT_BSTR:
        return "BSTR";
    case VT_HRESULT:
        return "HRESULT";
    case VT_VOID:
        return "void";
    case VT_USERDEFINED: {
        Ref<ITypeInfo> target;
        if (owner->GetRefTypeInfo(desc.hreftype, target.Out()) != S_OK) {
            return "<unresolved>";
        }
        const std::string name = Narrow(TypeName(target.Get()));
        return ContainingLibrary(target.Get()) == StdOle ? "stdole." + name : name;
    }
    default:
        return "vt" + std::to_string(desc.vt);
    }
}

std::wstring ModulePath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring LibraryFilePath() {
    const std::string path = CORVANE_TYPELIB_PATH;
    return std::wstring(path.begin(), path.end());
}

// ---- Fixture: one library source per test instance --------------------------

enum class Source { File, Resource };

class TypeLibWalk : public ::testing::TestWithParam<Source> {
protected:
    void SetUp() override {
        const std::wstring path = GetParam() == Source::File ? LibraryFilePath() : ModulePath();
        ASSERT_EQ(LoadTypeLibEx(path.c_str(), REGKIND_NONE, Lib.Out()), S_OK) << Narrow(path);
    }

    // The type info named so, asserting that it exists.
    void Find(const wchar_t* name, Ref<ITypeInfo>& info) {
        const UINT count = Lib->GetTypeInfoCount();
        for (UINT i = 0; i < count; ++i) {
            Bstr found;
            ASSERT_EQ(
                Lib->GetDocumentation(static_cast<INT>(i), found.Out(), nullptr, nullptr, nullptr),
                S_OK);
            if (found.Str() == name) {
                ASSERT_EQ(Lib->GetTypeInfo(i, info.Out()), S_OK);
                return;
            }
        }
        FAIL() << "no type " << Narrow(name);
    }

    // The table (vtable) form of a dual interface.
    void TableForm(const wchar_t* name, Ref<ITypeInfo>& table) {
        Ref<ITypeInfo> dispatch;
        Find(name, dispatch);
        if (!dispatch.Get()) {
            return;
        }
        HREFTYPE href = 0;
        ASSERT_EQ(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &href), S_OK);
        ASSERT_EQ(dispatch->GetRefTypeInfo(href, table.Out()), S_OK);
    }

    void CheckMembers(ITypeInfo* info, const std::vector<ExpectedMember>& members, bool table);

    Ref<ITypeLib> Lib;
};

INSTANTIATE_TEST_SUITE_P(Sources, TypeLibWalk, ::testing::Values(Source::File, Source::Resource),
                         [](const auto& instance) {
                             return instance.param == Source::File ? "File" : "Resource";
                         });

void TypeLibWalk::CheckMembers(ITypeInfo* info, const std::vector<ExpectedMember>& members,
                               bool table) {
    // A dispatch view lists the IUnknown and IDispatch methods first.
    const UINT inherited = table ? 0 : 7;
    const TYPEATTR attr = Attributes(info);
    ASSERT_EQ(attr.cFuncs, inherited + members.size());
    const wchar_t* const dispatchMethods[] = {
        L"QueryInterface", L"AddRef",        L"Release", L"GetTypeInfoCount",
        L"GetTypeInfo",    L"GetIDsOfNames", L"Invoke"};
    for (UINT i = 0; i < inherited; ++i) {
        FUNCDESC* func = nullptr;
        ASSERT_EQ(info->GetFuncDesc(i, &func), S_OK);
        Bstr name;
        EXPECT_EQ(info->GetDocumentation(func->memid, name.Out(), nullptr, nullptr, nullptr), S_OK);
        EXPECT_EQ(name.Str(), dispatchMethods[i]);
        info->ReleaseFuncDesc(func);
    }
    std::set<MEMBERID> seen;
    for (UINT i = 0; i < members.size(); ++i) {
        const ExpectedMember& want = members[i];
        SCOPED_TRACE(Narrow(want.Name) + " at " + std::to_string(i));
        FUNCDESC* func = nullptr;
        ASSERT_EQ(info->GetFuncDesc(inherited + i, &func), S_OK);
        EXPECT_EQ(func->memid, want.Id);
        EXPECT_EQ(func->invkind, want.Kind);
        EXPECT_EQ(func->callconv, CC_STDCALL);
        EXPECT_EQ(func->cParamsOpt, 0);
        EXPECT_EQ(func->wFuncFlags, want.Hidden ? FUNCFLAG_FHIDDEN : 0);
        if (table) {
            EXPECT_EQ(func->funckind, FUNC_PUREVIRTUAL);
            EXPECT_EQ(func->oVft, want.Slot * static_cast<int>(sizeof(void*)));
            EXPECT_EQ(Describe(info, func->elemdescFunc.tdesc), "HRESULT");
        } else {
            EXPECT_EQ(func->funckind, FUNC_DISPATCH);
            EXPECT_EQ(Describe(info, func->elemdescFunc.tdesc), "void");
        }
        ASSERT_EQ(func->cParams, static_cast<SHORT>(want.Params.size()));
        for (size_t p = 0; p < want.Params.size(); ++p) {
            SCOPED_TRACE("parameter " + std::to_string(p));
            const ELEMDESC& param = func->lprgelemdescParam[p];
            EXPECT_EQ(Describe(info, param.tdesc), want.Params[p].Type);
            EXPECT_EQ(param.paramdesc.wParamFlags, want.Params[p].Flags);
        }

        info->ReleaseFuncDesc(func);

        // Names by DISPID answer for the first accessor of that DISPID (a get
        // or a method): the member's name, then its named parameters in order.
        if (!seen.insert(want.Id).second) {
            continue;
        }
        BSTR names[8] = {};
        UINT count = 0;
        ASSERT_EQ(info->GetNames(want.Id, names, 8, &count), S_OK);
        std::vector<std::string> got;
        for (UINT n = 0; n < count; ++n) {
            got.push_back(Narrow(std::wstring(names[n], SysStringLen(names[n]))));
            SysFreeString(names[n]);
        }
        std::vector<std::string> named{Narrow(want.Name)};
        for (const ExpectedParam& param : want.Params) {
            if (param.Name) {
                named.push_back(Narrow(param.Name));
            }
        }
        ASSERT_GE(got.size(), named.size());
        EXPECT_LE(got.size(), want.Params.size() + 1);
        got.resize(named.size());
        EXPECT_EQ(got, named);
        Bstr help;
        DWORD context = 1;
        ASSERT_EQ(info->GetDocumentation(want.Id, nullptr, help.Out(), &context, nullptr), S_OK);
        EXPECT_EQ(context, 0u);
        if (want.Help) {
            EXPECT_EQ(Narrow(help.Str()), Narrow(want.Help));
        } else {
            EXPECT_TRUE(help.IsNull() || help.Str().empty()) << Narrow(help.Str());
        }
    }
}

// ---- Tests -------------------------------------------------------------------

TEST_P(TypeLibWalk, LibraryAttributes) {
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(Lib->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(GuidText(attr->guid), L"{FEDE2C2E-B885-11D2-BBE8-E850F2510B74}");
    EXPECT_EQ(attr->lcid, 0x0409u);
    EXPECT_EQ(attr->syskind, sizeof(void*) == 4 ? SYS_WIN32 : SYS_WIN64);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    EXPECT_EQ(attr->wLibFlags & (LIBFLAG_FRESTRICTED | LIBFLAG_FCONTROL | LIBFLAG_FHIDDEN),
              LIBFLAG_FCONTROL);
    Lib->ReleaseTLibAttr(attr);

    Bstr name, help, helpFile;
    DWORD context = 1;
    ASSERT_EQ(Lib->GetDocumentation(-1, name.Out(), help.Out(), &context, helpFile.Out()), S_OK);
    EXPECT_EQ(name.Str(), L"CorvaneC");
    EXPECT_EQ(help.Str(), L"CorvaneC Library");
    EXPECT_EQ(context, 0u);
    EXPECT_TRUE(helpFile.IsNull() || helpFile.Str().empty());
}

TEST_P(TypeLibWalk, TypeDescriptionsInOrder) {
    ASSERT_EQ(Lib->GetTypeInfoCount(), std::size(Types));
    for (UINT i = 0; i < std::size(Types); ++i) {
        const ExpectedType& want = Types[i];
        SCOPED_TRACE(Narrow(want.Name));
        TYPEKIND kind{};
        ASSERT_EQ(Lib->GetTypeInfoType(i, &kind), S_OK);
        EXPECT_EQ(kind, want.Kind);
        Bstr name, help;
        DWORD context = 1;
        ASSERT_EQ(
            Lib->GetDocumentation(static_cast<INT>(i), name.Out(), help.Out(), &context, nullptr),
            S_OK);
        EXPECT_EQ(Narrow(name.Str()), Narrow(want.Name));
        EXPECT_EQ(Narrow(help.Str()), want.Help ? Narrow(want.Help) : "");
        EXPECT_EQ(context, 0u);

        Ref<ITypeInfo> info;
        ASSERT_EQ(Lib->GetTypeInfo(i, info.Out()), S_OK);
        const TYPEATTR attr = Attributes(info.Get());
        EXPECT_EQ(attr.typekind, want.Kind);
        EXPECT_EQ(GuidText(attr.guid), want.Guid);
        // The platform reports a dual interface's dispatch view without the
        // automation flag, which belongs to its table form (checked there).
        const WORD reported =
            want.Flags & TYPEFLAG_FDUAL ? want.Flags & ~TYPEFLAG_FOLEAUTOMATION : want.Flags;
        EXPECT_EQ(attr.wTypeFlags, reported);
        EXPECT_EQ(attr.wMajorVerNum, 1);
        EXPECT_EQ(attr.wMinorVerNum, 0);
        EXPECT_EQ(attr.lcid, 0x0409u);
    }
}

struct DualCase {
    const wchar_t* Name;
    const std::vector<ExpectedMember>* Members;
};

TEST_P(TypeLibWalk, DualInterfacesSlotBySlot) {
    for (const DualCase& dual :
         {DualCase{L"ICorvane", &CorvaneMembers}, DualCase{L"ISections", &SectionsMembers}}) {
        SCOPED_TRACE(Narrow(dual.Name));
        Ref<ITypeInfo> table;
        TableForm(dual.Name, table);
        ASSERT_NE(table.Get(), nullptr);
        const TYPEATTR attr = Attributes(table.Get());
        EXPECT_EQ(attr.typekind, TKIND_INTERFACE);
        EXPECT_EQ(attr.wTypeFlags, DualFlags);
        EXPECT_EQ(attr.cbSizeVft, (7 + dual.Members->size()) * sizeof(void*));
        ASSERT_EQ(attr.cImplTypes, 1);
        HREFTYPE href = 0;
        Ref<ITypeInfo> base;
        ASSERT_EQ(table->GetRefTypeOfImplType(0, &href), S_OK);
        ASSERT_EQ(table->GetRefTypeInfo(href, base.Out()), S_OK);
        EXPECT_EQ(TypeName(base.Get()), L"IDispatch");
        EXPECT_EQ(ContainingLibrary(base.Get()), StdOle);
        CheckMembers(table.Get(), *dual.Members, true);
    }
}

TEST_P(TypeLibWalk, EventsAreAPureDispatchInterface) {
    Ref<ITypeInfo> events;
    Find(L"ICorvaneEvents", events);
    ASSERT_NE(events.Get(), nullptr);
    HREFTYPE href = 0;
    EXPECT_NE(events->GetRefTypeOfImplType(static_cast<UINT>(-1), &href), S_OK);
    ASSERT_EQ(Attributes(events.Get()).cImplTypes, 1);
    Ref<ITypeInfo> base;
    ASSERT_EQ(events->GetRefTypeOfImplType(0, &href), S_OK);
    ASSERT_EQ(events->GetRefTypeInfo(href, base.Out()), S_OK);
    EXPECT_EQ(TypeName(base.Get()), L"IDispatch");
    CheckMembers(events.Get(), EventMembers, false);
}

TEST_P(TypeLibWalk, EnumerationConstants) {
    for (const ExpectedEnum& want : Enums) {
        SCOPED_TRACE(Narrow(want.Type));
        Ref<ITypeInfo> info;
        Find(want.Type, info);
        ASSERT_NE(info.Get(), nullptr);
        ASSERT_EQ(Attributes(info.Get()).cVars, want.Constants.size());
        for (UINT i = 0; i < want.Constants.size(); ++i) {
            VARDESC* var = nullptr;
            ASSERT_EQ(info->GetVarDesc(i, &var), S_OK);
            const MEMBERID id = var->memid;
            EXPECT_EQ(id, static_cast<MEMBERID>(0x40000000 + i));
            EXPECT_EQ(var->varkind, VAR_CONST);
            EXPECT_EQ(var->elemdescVar.tdesc.vt, VT_I4);
            EXPECT_EQ(var->lpvarValue->vt, VT_I4);
            EXPECT_EQ(var->lpvarValue->lVal, want.Constants[i].second);
            info->ReleaseVarDesc(var);
            Bstr name, help;
            ASSERT_EQ(info->GetDocumentation(id, name.Out(), help.Out(), nullptr, nullptr), S_OK);
            EXPECT_EQ(name.Str(), want.Constants[i].first);
            EXPECT_EQ(help.Str(), want.Constants[i].first);
        }
    }
}

TEST_P(TypeLibWalk, ClassesAndTheirInterfaces) {
    std::vector<std::wstring> seenClasses;
    for (const ExpectedImpl& want : Implemented) {
        SCOPED_TRACE(Narrow(want.Class) + " " + Narrow(want.Interface));
        Ref<ITypeInfo> coclass;
        Find(want.Class, coclass);
        ASSERT_NE(coclass.Get(), nullptr);
        const UINT index = static_cast<UINT>(
            std::count(seenClasses.begin(), seenClasses.end(), std::wstring(want.Class)));
        seenClasses.emplace_back(want.Class);
        HREFTYPE href = 0;
        Ref<ITypeInfo> target;
        ASSERT_EQ(coclass->GetRefTypeOfImplType(index, &href), S_OK);
        ASSERT_EQ(coclass->GetRefTypeInfo(href, target.Out()), S_OK);
        EXPECT_EQ(TypeName(target.Get()), want.Interface);
        INT flags = -1;
        ASSERT_EQ(coclass->GetImplTypeFlags(index, &flags), S_OK);
        EXPECT_EQ(flags, want.Flags);
    }
    for (const wchar_t* name : {L"Corvane", L"Sections"}) {
        Ref<ITypeInfo> coclass;
        Find(name, coclass);
        ASSERT_NE(coclass.Get(), nullptr);
        EXPECT_EQ(Attributes(coclass.Get()).cImplTypes,
                  std::count(seenClasses.begin(), seenClasses.end(), std::wstring(name)));
    }
}

// How a host finds the events interface through class information.
TEST_P(TypeLibWalk, DefaultSourceOfTheControlClass) {
    Ref<ITypeInfo> coclass;
    Find(L"Corvane", coclass);
    ASSERT_NE(coclass.Get(), nullptr);
    std::wstring source;
    for (UINT i = 0; i < Attributes(coclass.Get()).cImplTypes; ++i) {
        INT flags = 0;
        ASSERT_EQ(coclass->GetImplTypeFlags(i, &flags), S_OK);
        if (flags == (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) {
            HREFTYPE href = 0;
            Ref<ITypeInfo> target;
            ASSERT_EQ(coclass->GetRefTypeOfImplType(i, &href), S_OK);
            ASSERT_EQ(coclass->GetRefTypeInfo(href, target.Out()), S_OK);
            source = GuidText(Attributes(target.Get()).guid);
        }
    }
    EXPECT_EQ(source, L"{FEDE2C31-B885-11D2-BBE8-E850F2510B74}");
}

TEST_P(TypeLibWalk, StandardDispIdsByName) {
    Ref<ITypeInfo> control;
    Find(L"ICorvane", control);
    ASSERT_NE(control.Get(), nullptr);
    const struct {
        const wchar_t* Name;
        MEMBERID Id;
    } cases[] = {{L"Color", -501}, {L"Font", -512}, {L"Enabled", -514}, {L"AboutBox", -552}};
    for (const auto& c : cases) {
        std::wstring name = c.Name;
        LPOLESTR names[] = {&name[0]};
        MEMBERID id = 0;
        ASSERT_EQ(control->GetIDsOfNames(names, 1, &id), S_OK) << Narrow(c.Name);
        EXPECT_EQ(id, c.Id) << Narrow(c.Name);
    }
}

// Which accessors exist, asked as a dispatch caller would (by DISPID and kind).
TEST_P(TypeLibWalk, AccessorsOfReadOnlyAndFontProperties) {
    const struct {
        const wchar_t* Interface;
        MEMBERID Id;
        bool Put;
        bool PutRef;
    } cases[] = {
        {L"ICorvane", 7, false, false},   {L"ICorvane", 19, false, false},
        {L"ICorvane", -512, true, true},  {L"ICorvane", -501, true, false},
        {L"ISections", 20, false, false}, {L"ISections", 21, false, false},
        {L"ISections", 23, false, false}, {L"ISections", 24, false, false},
        {L"ISections", 27, false, false}, {L"ISections", 26, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.Interface) + " " + std::to_string(c.Id));
        Ref<ITypeInfo> table;
        TableForm(c.Interface, table);
        ASSERT_NE(table.Get(), nullptr);
        Ref<ITypeInfo2> info;
        ASSERT_EQ(table->QueryInterface(IID_ITypeInfo2, reinterpret_cast<void**>(info.Out())),
                  S_OK);
        UINT index = 0;
        EXPECT_EQ(info->GetFuncIndexOfMemId(c.Id, INVOKE_PROPERTYGET, &index), S_OK);
        EXPECT_EQ(info->GetFuncIndexOfMemId(c.Id, INVOKE_PROPERTYPUT, &index) == S_OK, c.Put);
        EXPECT_EQ(info->GetFuncIndexOfMemId(c.Id, INVOKE_PROPERTYPUTREF, &index) == S_OK, c.PutRef);
    }
}

// The loader answers GetNames by DISPID for the first accessor (the get), so
// whether a put value carries a name shows only in the compiled records: each
// function record ends with its parameters (type, name offset, flags), and an
// unnamed one has the name offset -1.
std::vector<std::vector<int32_t>> ParameterNameOffsets(const std::vector<uint8_t>& file,
                                                       int typeIndex) {
    const auto at = [&](size_t offset) {
        int32_t value = 0;
        if (offset + 4 <= file.size()) {
            std::memcpy(&value, file.data() + offset, 4);
        } else {
            ADD_FAILURE() << "read past the end at " << offset;
        }
        return value;
    };
    size_t directory = 21 * 4 + static_cast<size_t>(at(8 * 4)) * 4;
    if (at(5 * 4) & 0x100) {
        directory += 4; // help DLL name
    }
    const size_t typeInfo = static_cast<size_t>(at(directory)) + typeIndex * 100;
    const size_t records = static_cast<size_t>(at(typeInfo + 4)) + 4;
    const int functions = at(typeInfo + 24) & 0xFFFF;
    std::vector<std::vector<int32_t>> result;
    size_t record = records;
    for (int i = 0; i < functions; ++i) {
        const size_t size = static_cast<size_t>(at(record) & 0xFFFF);
        const int params = at(record + 20) & 0xFFFF;
        std::vector<int32_t> names;
        for (int p = 0; p < params; ++p) {
            names.push_back(at(record + size - (params - p) * 12 + 4));
        }
        result.push_back(names);
        record += size;
    }
    return result;
}

TEST(TypeLibFile, PutValuesCarryNoName) {
    std::ifstream in(CORVANE_TYPELIB_PATH, std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    ASSERT_FALSE(file.empty());
    for (const DualCase& dual :
         {DualCase{L"ICorvane", &CorvaneMembers}, DualCase{L"ISections", &SectionsMembers}}) {
        const int index = static_cast<int>(
            std::find_if(std::begin(Types), std::end(Types),
                         [&](const ExpectedType& t) { return t.Name == std::wstring(dual.Name); }) -
            std::begin(Types));
        const auto names = ParameterNameOffsets(file, index);
        ASSERT_EQ(names.size(), dual.Members->size()) << Narrow(dual.Name);
        for (size_t i = 0; i < names.size(); ++i) {
            const ExpectedMember& want = (*dual.Members)[i];
            ASSERT_EQ(names[i].size(), want.Params.size()) << Narrow(want.Name);
            for (size_t p = 0; p < names[i].size(); ++p) {
                const bool value = p + 1 == names[i].size() && (want.Kind & (Put | PutRef));
                EXPECT_EQ(names[i][p] == -1, value) << Narrow(want.Name) << " parameter " << p;
            }
        }
    }
}

TEST(TypeLibFile, LoadTypeLibOpensIt) {
    Ref<ITypeLib> lib;
    ASSERT_EQ(LoadTypeLib(LibraryFilePath().c_str(), lib.Out()), S_OK);
    EXPECT_EQ(lib->GetTypeInfoCount(), 10u);
}

} // namespace

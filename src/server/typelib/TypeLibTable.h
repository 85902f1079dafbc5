#pragma once
// The content of the control's type library, as plain data. The library
// writer (a Windows program) and the C++ header emitter (a host program) both
// read it, so the compiled library and the header hosts compile against can
// never disagree. No Windows headers here: flag values are the platform's own
// numbers, checked against its headers where the writer compiles.

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::typelib {

struct TGuid {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case.
std::string GuidText(const TGuid& guid);

// Type description flags (TYPEFLAG_*).
constexpr uint16_t tfCanCreate = 0x0002;
constexpr uint16_t tfControl = 0x0020;
constexpr uint16_t tfDual = 0x0040;
constexpr uint16_t tfOleAutomation = 0x0100;
constexpr uint16_t tfDispatchable = 0x1000;

// Library flags (LIBFLAG_*).
constexpr uint16_t lfControl = 0x0002;

// Implemented-interface flags of a class (IMPLTYPEFLAG_*).
constexpr uint16_t ifDefault = 0x1;
constexpr uint16_t ifSource = 0x2;

enum class TTypeKind { Enumeration, DualInterface, DispInterface, CoClass };

// The value types of parameters and results. Interface types stand for a
// reference to the interface (one level of pointer in the compiled form).
enum class TBaseType {
    Long,      // VT_I4
    Short,     // VT_I2
    Bool,      // VT_BOOL
    Bstr,      // VT_BSTR
    OleColor,  // stdole's OLE_COLOR alias
    FontDisp,  // stdole's IFontDisp, an interface
    LocalType, // a type of this library, by name (an enumeration or interface)
};

struct TTypeRef {
    TBaseType Base;
    const char* LocalName = nullptr; // for LocalType
};

enum class TParamDir {
    In,       // by value, in
    InOutRef, // by reference, in and out
    Retval,   // out, retval: the result of the dispatch view
};

struct TParam {
    const char* Name; // nullptr: unnamed (the value of a put or putref)
    TTypeRef Type;
    TParamDir Dir;
};

enum class TInvokeKind { Method, Get, Put, PutRef };

struct TMember {
    const char* Name;
    int32_t DispId;
    TInvokeKind Kind;
    std::vector<TParam> Params;
    bool Hidden;
    const char* Help; // nullptr: none
};

struct TEnumConstant {
    const char* Name;
    int32_t Value;
};

struct TImplType {
    const char* Interface;
    uint16_t Flags;
};

struct TTypeDesc {
    TTypeKind Kind;
    const char* Name;
    TGuid Guid;
    uint16_t Flags;
    const char* Help;                     // nullptr: none
    std::vector<TMember> Members;         // interfaces, in slot order
    std::vector<TEnumConstant> Constants; // enumerations
    std::vector<TImplType> Implemented;   // classes
};

struct TLibrary {
    const char* Name;
    const char* Help;
    TGuid Libid;
    uint16_t MajorVersion;
    uint16_t MinorVersion;
    uint32_t Lcid;
    uint16_t Flags;
    uint16_t TypeMajorVersion; // every type description's version
    uint16_t TypeMinorVersion;
    std::vector<TTypeDesc> Types; // in the library's order
};

// Member IDs of enumeration constants: this base plus the position.
constexpr int32_t EnumMemberIdBase = 0x40000000;

const TLibrary& CorvaneLibrary();

// Lookup by name; nullptr when absent.
const TTypeDesc* FindType(const TLibrary& library, const std::string& name);

bool IsInterfaceType(const TLibrary& library, const TTypeRef& type);

} // namespace corvane::typelib

#pragma once
// What the module reads from its own type library: the library's identity
// (for registration and the ProgID) and the control class's description.

#include "server/automation/ComPtr.h"
#include "win32/WinApi.h"

#include <oaidl.h>

#include <string>

namespace corvane::server {

struct TLibraryInfo {
    std::wstring name; // the server name, the ProgID's prefix
    GUID libId{};
    WORD majorVersion = 0;
    WORD minorVersion = 0;
    LCID locale = 0;
    SYSKIND systemKind = SYS_WIN32;
};

struct TClassTypeInfo {
    std::wstring className;   // the class's name in the library
    std::wstring description; // its help string
    IID eventsId{};           // its default source interface; GUID_NULL when it has none
};

TLibraryInfo ReadLibraryInfo(ITypeLib* library);

// Reads the class `classId` and checks that its default interface is
// `dispatchId`. Raises, formatted with `implementationName`:
//   "Type information missing for class %s"    no class of that identity;
//   "Incorrect type information for class %s"  the class names no default interface;
//   "Dispatch interface missing from class %s" its default interface is another one.
TClassTypeInfo ReadControlClassInfo(ITypeLib* library, const CLSID& classId, const IID& dispatchId,
                                    const char* implementationName);

// Loads a type library from a file (a module's "TYPELIB" resource 1 when the
// file is a module), without registering it.
TComPtr<ITypeLib> LoadTypeLibraryFrom(const std::wstring& path);

// The registry form of a GUID: braces, upper-case hexadecimal digits.
std::wstring GuidString(const GUID& guid);

} // namespace corvane::server

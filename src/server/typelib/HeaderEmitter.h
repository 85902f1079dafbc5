#pragma once
// Writes the C++ declarations of the type library (what the platform's IDL
// compiler would put in a header): GUIDs, enumerations, interfaces in slot
// order and DISPID constants, for hosts and for our own code.

#include "server/typelib/TypeLibTable.h"

#include <string>

namespace corvane::typelib {

std::string EmitHeader(const TLibrary& library);

// One accessor or method as the header declares it, without the return type
// and calling convention: "get_Items(long Index, ISections** Value)". The
// API reference shows the same text.
std::string MemberDeclaration(const TLibrary& library, const TMember& member);

} // namespace corvane::typelib

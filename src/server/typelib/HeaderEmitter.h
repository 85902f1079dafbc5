#pragma once
// Writes the C++ declarations of the type library (what the platform's IDL
// compiler would put in a header): GUIDs, enumerations, interfaces in slot
// order and DISPID constants, for hosts and for our own code.

#include "server/typelib/TypeLibTable.h"

#include <string>

namespace corvane::typelib {

std::string EmitHeader(const TLibrary& library);

} // namespace corvane::typelib

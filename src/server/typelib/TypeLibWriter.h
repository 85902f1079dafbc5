#pragma once
// Writes the compiled type library described by a TLibrary with the
// platform's type-library creation interfaces. Windows only.

#include "server/typelib/TypeLibTable.h"
#include "win32/WinApi.h"

#include <oaidl.h>

namespace corvane::typelib {

// Raises std::runtime_error naming the step that failed.
void WriteTypeLibrary(const TLibrary& library, const wchar_t* path, SYSKIND syskind);

} // namespace corvane::typelib

#pragma once
// The loaded module's own type library (its "TYPELIB" resource 1), for the
// objects of the module that serve IDispatch from it.

#include "win32/WinApi.h"

#include <oaidl.h>

namespace corvane::server {

// Borrowed: it lives until the module unloads. Null when the library could
// not be loaded (the exports then report the failure to the host).
ITypeLib* ModuleTypeLib();

} // namespace corvane::server

#pragma once
// Creation of the control object for the class factory.

#include "win32/WinApi.h"

#include <oaidl.h>

namespace corvane::server {

// A new control object, asked for riid. An outer object (aggregation) is
// refused with CLASS_E_NOAGGREGATION. Raises a C++ exception carrying the
// message when the object cannot be made, so the factory can show it.
HRESULT CreateCorvane(IUnknown* outer, REFIID riid, void** result);

// The control's type library, loaded once from the module holding this code.
ITypeLib& CorvaneTypeLib();

} // namespace corvane::server

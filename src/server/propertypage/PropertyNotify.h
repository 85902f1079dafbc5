#pragma once
// Tells an object's property-change listeners (the sinks connected to its
// IPropertyNotifySink connection point) that its properties changed.

#include "win32/WinApi.h"

#include <unknwn.h>

namespace corvane::server {

// OnChanged(DISPID_UNKNOWN) to every connected sink: "any property may have
// changed". An object without such a connection point has no listeners; a
// sink's failure is its own and does not stop the others.
void NotifyPropertiesChanged(IUnknown* object);

} // namespace corvane::server

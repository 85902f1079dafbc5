#pragma once
// The creation functions the module's two factories use (TCreateObjectFunction).

#include "win32/WinApi.h"

#include <unknwn.h>

namespace corvane::server {

HRESULT CreateControlObject(IUnknown* outer, REFIID riid, void** result);
HRESULT CreatePropertyPageObject(IUnknown* outer, REFIID riid, void** result);

} // namespace corvane::server

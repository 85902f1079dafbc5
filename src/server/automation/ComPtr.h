#pragma once
// The owning COM interface pointer (com/ComPtr.h), after the project's
// Windows headers.

#include "win32/WinApi.h"

#include "com/ComPtr.h"

namespace corvane::server {

using com::TComPtr;

} // namespace corvane::server

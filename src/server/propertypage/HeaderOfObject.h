#pragma once
// The header control an edited object stands for. The object names it
// through the late-bound property `Header`, read by name through its
// IDispatch: a 32-bit token of this module's table of live header controls
// (never a pointer, which would not fit in 64 bits and must never be
// followed when it comes from an object we do not know).

#include "win32/WinApi.h"

#include <unknwn.h>

#include <cstdint>

namespace corvane {
class TStrativ;
}

namespace corvane::server {

// The token the object answers for `Header`. Raises EComError: the object's
// own failure when it has no IDispatch, no such name or the read fails;
// DISP_E_TYPEMISMATCH when the value is not a 32-bit integer.
uint32_t ReadHeaderToken(IUnknown* object);

// The live header control of a token; raises EComError: E_INVALIDARG when
// no header control of this module has it, RPC_E_WRONG_THREAD when it
// belongs to another thread.
TStrativ& HeaderOfToken(uint32_t token);

} // namespace corvane::server

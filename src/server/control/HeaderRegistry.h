#pragma once
// The live header controls of the process, by a 32-bit token. A host reads a
// control's token through the late-bound `Header` property; a property page
// of the same process finds the control by it. Tokens are never reused, so a
// stale token finds nothing.

#include <cstdint>

namespace corvane {
class TStrativ;
}

namespace corvane::server {

uint32_t RegisterHeader(corvane::TStrativ* control);
void UnregisterHeader(uint32_t token);
// Null for a token that is unknown or whose control is gone.
corvane::TStrativ* FindHeader(uint32_t token);

} // namespace corvane::server

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

// Registers a control of the calling thread.
uint32_t RegisterHeader(corvane::TStrativ* control);
void UnregisterHeader(uint32_t token);

struct TFoundHeader {
    // Null for a token that is unknown, whose control is gone, or whose
    // control belongs to another thread (which alone may touch it).
    corvane::TStrativ* Control = nullptr;
    bool OtherThread = false;
};
TFoundHeader FindHeader(uint32_t token);

} // namespace corvane::server

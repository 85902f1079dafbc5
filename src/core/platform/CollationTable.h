#pragma once
// Sort weights of single bytes in the platform's default collation, for the
// portable stand-in of the caption comparison.

#include <cstdint>

namespace corvane::collation {

struct TByteWeights {
    uint8_t Primary;   // 0: none (ignored until the last tie-break)
    uint8_t Diacritic; // within the primary
    uint8_t Case;      // 0 lower, 1 upper
    uint8_t Special;   // tie-break weight of a byte without primary weight
};

extern const TByteWeights ByteWeights[256];

// The letters a ligature byte compares as ("ae" for the byte of "æ"), else nullptr.
const char* ExpansionOf(unsigned char Byte);

} // namespace corvane::collation

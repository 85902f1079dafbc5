#pragma once
// Type tags of the binary component stream: every value starts with one.

#include <cstdint>

namespace corvane {

enum class TValueType : uint8_t {
    vaNull = 0x00, // end of a list, of a property list, of a set
    vaList = 0x01,
    vaInt8 = 0x02,
    vaInt16 = 0x03,
    vaInt32 = 0x04,
    vaExtended = 0x05,
    vaString = 0x06, // 1-byte length
    vaIdent = 0x07,
    vaFalse = 0x08,
    vaTrue = 0x09,
    vaBinary = 0x0A,
    vaSet = 0x0B,
    vaLString = 0x0C, // 4-byte length
    vaWString = 0x12, // 4-byte count of UTF-16LE units
};

} // namespace corvane

#include "core/framework/streaming/ByteWriter.h"

namespace corvane {

void ByteWriter::WriteBytes(const void* data, size_t size) {
    const auto* begin = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), begin, begin + size);
}

void ByteWriter::WriteInt16(int16_t value) {
    const auto bits = static_cast<uint16_t>(value);
    const uint8_t le[2] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8)};
    WriteBytes(le, sizeof le);
}

void ByteWriter::WriteInt32(int32_t value) {
    WriteUInt32(static_cast<uint32_t>(value));
}

void ByteWriter::WriteUInt32(uint32_t value) {
    const uint8_t le[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                           static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    WriteBytes(le, sizeof le);
}

} // namespace corvane

#include "core/framework/streaming/ByteReader.h"

#include "core/framework/streaming/StreamErrors.h"

namespace corvane {

const uint8_t* ByteReader::Take(size_t length) {
    if (length > Remaining())
        RaiseStreamReadError();
    const uint8_t* start = bytes_.Data + position_;
    position_ += length;
    return start;
}

uint8_t ByteReader::ReadByte() {
    return *Take(1);
}

uint8_t ByteReader::PeekByte() const {
    if (AtEnd())
        RaiseStreamReadError();
    return bytes_.Data[position_];
}

int16_t ByteReader::ReadInt16() {
    const uint8_t* p = Take(2);
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

int32_t ByteReader::ReadInt32() {
    return static_cast<int32_t>(ReadUInt32());
}

uint32_t ByteReader::ReadUInt32() {
    const uint8_t* p = Take(4);
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

std::string ByteReader::ReadString(size_t length) {
    const uint8_t* p = Take(length);
    return std::string(reinterpret_cast<const char*>(p), length);
}

} // namespace corvane

#pragma once
// Appends bytes and little-endian integers to a growing buffer in memory.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

class ByteWriter {
public:
    void WriteByte(uint8_t value) { bytes_.push_back(value); }
    void WriteBytes(const void* data, size_t size);
    void WriteBytes(const std::string& text) { WriteBytes(text.data(), text.size()); }
    void WriteInt16(int16_t value);
    void WriteInt32(int32_t value);
    void WriteUInt32(uint32_t value);

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::vector<uint8_t> TakeBytes() { return std::move(bytes_); }
    void Reserve(size_t size) { bytes_.reserve(size); }

private:
    std::vector<uint8_t> bytes_;
};

} // namespace corvane

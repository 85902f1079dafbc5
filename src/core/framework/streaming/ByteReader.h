#pragma once
// Reads bytes and little-endian integers from memory it does not own. Every
// read is checked against what is left; running past the end raises
// EReadError("Stream read error") and never touches memory beyond the data.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// A read-only view of bytes owned elsewhere.
struct ByteView {
    const uint8_t* Data = nullptr;
    size_t Size = 0;

    ByteView() = default;
    ByteView(const uint8_t* data, size_t size) : Data(data), Size(size) {}
    ByteView(const std::vector<uint8_t>& bytes) // NOLINT: views convert freely
        : Data(bytes.data()), Size(bytes.size()) {}
};

class ByteReader {
public:
    explicit ByteReader(ByteView bytes) : bytes_(bytes) {}

    size_t Position() const { return position_; }
    size_t Remaining() const { return bytes_.Size - position_; }
    bool AtEnd() const { return position_ == bytes_.Size; }

    uint8_t ReadByte();
    uint8_t PeekByte() const;
    int16_t ReadInt16();
    int32_t ReadInt32();
    uint32_t ReadUInt32();
    // Length checked before the string is allocated.
    std::string ReadString(size_t length);
    // Checks that length bytes are left and steps over them; returns their start.
    const uint8_t* Take(size_t length);

private:
    ByteView bytes_;
    size_t position_ = 0;
};

} // namespace corvane

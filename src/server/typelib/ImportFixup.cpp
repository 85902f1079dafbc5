#include "server/typelib/ImportFixup.h"

#include <cstring>
#include <stdexcept>

namespace corvane::typelib {

namespace {

// Layout of the MSFT format, as far as this fix needs it.
constexpr uint32_t Magic = 0x5446534D; // "MSFT"
constexpr size_t HeaderInts = 21;
constexpr size_t VarFlagsInt = 5;
constexpr size_t TypeInfoCountInt = 8;
constexpr int32_t HelpDllFlag = 0x100;
constexpr size_t SegmentCount = 15;
constexpr size_t SegmentBytes = 16; // offset, length, two reserved
constexpr size_t ImportInfoSegment = 1;
constexpr size_t GuidSegment = 5;
constexpr size_t ImportInfoBytes = 12; // flags, import file, GUID offset or index
constexpr int32_t OffsetIsGuid = 0x00010000;

int32_t ReadInt(const std::vector<uint8_t>& image, size_t at) {
    if (at > image.size() || image.size() - at < 4) {
        throw std::runtime_error("type library truncated");
    }
    int32_t value = 0;
    std::memcpy(&value, image.data() + at, 4); // little-endian file on a little-endian host
    return value;
}

void WriteInt(std::vector<uint8_t>& image, size_t at, int32_t value) {
    std::memcpy(image.data() + at, &value, 4);
}

} // namespace

int PointGuidlessImportsAtIndex(std::vector<uint8_t>& image, int32_t index) {
    if (static_cast<uint32_t>(ReadInt(image, 0)) != Magic) {
        throw std::runtime_error("not an MSFT type library");
    }
    const int32_t typeInfos = ReadInt(image, TypeInfoCountInt * 4);
    if (typeInfos < 0 || static_cast<size_t>(typeInfos) > image.size() / 4) {
        throw std::runtime_error("type library header damaged");
    }
    size_t directory = HeaderInts * 4;
    if (ReadInt(image, VarFlagsInt * 4) & HelpDllFlag) {
        directory += 4;
    }
    directory += static_cast<size_t>(typeInfos) * 4;
    // A segment's bytes, checked to lie inside the image; empty when absent.
    const auto segment = [&](size_t which, size_t& offset, size_t& length) {
        const int32_t at = ReadInt(image, directory + which * SegmentBytes);
        const int32_t size = ReadInt(image, directory + which * SegmentBytes + 4);
        if (at < 0 || size <= 0) {
            offset = length = 0;
            return;
        }
        offset = static_cast<size_t>(at);
        length = static_cast<size_t>(size);
        if (offset > image.size() || image.size() - offset < length) {
            throw std::runtime_error("type library segment outside the file");
        }
    };
    size_t imports = 0, importsLength = 0, guids = 0, guidsLength = 0;
    segment(ImportInfoSegment, imports, importsLength);
    segment(GuidSegment, guids, guidsLength);

    // Find every record first, so a damaged one leaves the image unchanged.
    std::vector<size_t> guidless;
    for (size_t at = 0; at + ImportInfoBytes <= importsLength; at += ImportInfoBytes) {
        const size_t record = imports + at;
        const int32_t flags = ReadInt(image, record);
        const int32_t guidOffset = ReadInt(image, record + 8);
        if (!(flags & OffsetIsGuid)) {
            continue;
        }
        if (guidOffset < 0 || static_cast<size_t>(guidOffset) > guidsLength ||
            guidsLength - static_cast<size_t>(guidOffset) < 16) {
            throw std::runtime_error("type library import names no GUID");
        }
        const uint8_t* guid = image.data() + guids + static_cast<size_t>(guidOffset);
        bool null = true;
        for (int i = 0; i < 16; ++i) {
            null = null && guid[i] == 0;
        }
        if (null) {
            guidless.push_back(record);
        }
    }
    for (size_t record : guidless) {
        WriteInt(image, record, ReadInt(image, record) & ~OffsetIsGuid);
        WriteInt(image, record + 8, index);
    }
    return static_cast<int>(guidless.size());
}

} // namespace corvane::typelib

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
    if (typeInfos < 0) {
        throw std::runtime_error("type library header damaged");
    }
    size_t segments = HeaderInts * 4;
    if (ReadInt(image, VarFlagsInt * 4) & HelpDllFlag) {
        segments += 4;
    }
    segments += static_cast<size_t>(typeInfos) * 4;
    const auto segment = [&](size_t which, int32_t& offset, int32_t& length) {
        offset = ReadInt(image, segments + which * SegmentBytes);
        length = ReadInt(image, segments + which * SegmentBytes + 4);
    };
    int32_t imports = 0, importsLength = 0, guids = 0, guidsLength = 0;
    segment(ImportInfoSegment, imports, importsLength);
    segment(GuidSegment, guids, guidsLength);
    if (imports < 0 || importsLength <= 0) {
        return 0;
    }

    int changed = 0;
    for (int32_t at = 0; at + static_cast<int32_t>(ImportInfoBytes) <= importsLength;
         at += ImportInfoBytes) {
        const size_t record = static_cast<size_t>(imports + at);
        const int32_t flags = ReadInt(image, record);
        const int32_t guidOffset = ReadInt(image, record + 8);
        if (!(flags & OffsetIsGuid)) {
            continue;
        }
        if (guids < 0 || guidOffset < 0 || guidOffset + 16 > guidsLength) {
            throw std::runtime_error("type library import names no GUID");
        }
        const uint8_t* guid = image.data() + guids + guidOffset;
        bool null = true;
        for (int i = 0; i < 16; ++i) {
            null = null && guid[i] == 0;
        }
        if (null) {
            WriteInt(image, record, flags & ~OffsetIsGuid);
            WriteInt(image, record + 8, index);
            ++changed;
        }
    }
    return changed;
}

} // namespace corvane::typelib

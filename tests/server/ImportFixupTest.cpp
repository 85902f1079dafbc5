// The repair of GUID-less import records in a compiled type library, on small
// synthetic images laid out as the writer lays them out.
#include "server/typelib/ImportFixup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

namespace corvane::typelib {
namespace {

constexpr int32_t OffsetIsGuid = 0x00010000;

struct ImportRecord {
    int32_t Flags;
    int32_t GuidOffset; // into the GUID segment, or a type index
};

// Header, type info offsets, segment directory, import records, GUIDs.
struct Image {
    bool HelpDll = false;
    int32_t TypeInfos = 2;
    std::vector<ImportRecord> Imports;
    std::vector<std::vector<uint8_t>> Guids; // 16 bytes each, 24-byte entries

    std::vector<uint8_t> Build() const {
        std::vector<uint8_t> bytes;
        const auto put = [&](int32_t value) {
            uint8_t raw[4];
            std::memcpy(raw, &value, 4);
            bytes.insert(bytes.end(), raw, raw + 4);
        };
        std::vector<int32_t> header(21, 0);
        header[0] = 0x5446534D;
        header[5] = HelpDll ? 0x151 : 0x41;
        header[8] = TypeInfos;
        for (int32_t value : header) {
            put(value);
        }
        if (HelpDll) {
            put(0);
        }
        for (int32_t i = 0; i < TypeInfos; ++i) {
            put(i * 100);
        }
        const int32_t directoryEnd = static_cast<int32_t>(bytes.size()) + 15 * 16;
        const int32_t importsLength = static_cast<int32_t>(Imports.size() * 12);
        const int32_t guidsLength = static_cast<int32_t>(Guids.size() * 24);
        for (int segment = 0; segment < 15; ++segment) {
            int32_t offset = -1, length = 0;
            if (segment == 1 && importsLength) {
                offset = directoryEnd;
                length = importsLength;
            } else if (segment == 5 && guidsLength) {
                offset = directoryEnd + importsLength;
                length = guidsLength;
            }
            put(offset);
            put(length);
            put(-1);
            put(0xf);
        }
        for (const ImportRecord& record : Imports) {
            put(record.Flags);
            put(0);
            put(record.GuidOffset);
        }
        for (const auto& guid : Guids) {
            bytes.insert(bytes.end(), guid.begin(), guid.end());
            put(-1);
            put(-1);
        }
        return bytes;
    }
};

const std::vector<uint8_t> NullGuid(16, 0);
const std::vector<uint8_t> SomeGuid{0x00, 0x04, 0x02, 0x00, 0, 0, 0, 0,
                                    0xC0, 0,    0,    0,    0, 0, 0, 0x46};

int32_t IntAt(const std::vector<uint8_t>& bytes, size_t at) {
    int32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

struct FixupCase {
    const char* Name;
    Image Input;
    int Changed;
    std::vector<ImportRecord> Expected;
};

class ImportFixup : public ::testing::TestWithParam<FixupCase> {};

TEST_P(ImportFixup, RewritesOnlyNullGuidRecords) {
    const FixupCase& c = GetParam();
    std::vector<uint8_t> bytes = c.Input.Build();
    const std::vector<uint8_t> before = bytes;
    EXPECT_EQ(PointGuidlessImportsAtIndex(bytes, 11), c.Changed);
    ASSERT_EQ(bytes.size(), before.size());
    const size_t records = bytes.size() - c.Input.Guids.size() * 24 - c.Input.Imports.size() * 12;
    for (size_t i = 0; i < c.Expected.size(); ++i) {
        EXPECT_EQ(IntAt(bytes, records + i * 12), c.Expected[i].Flags) << i;
        EXPECT_EQ(IntAt(bytes, records + i * 12 + 8), c.Expected[i].GuidOffset) << i;
    }
    // Nothing but the import records changes.
    EXPECT_TRUE(
        std::equal(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(records), before.begin()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportFixup,
    ::testing::Values(
        FixupCase{"NullGuidBecomesIndex",
                  {false, 2, {{0x09000000 | OffsetIsGuid, 24}}, {SomeGuid, NullGuid}},
                  1,
                  {{0x09000000, 11}}},
        FixupCase{"RealGuidsStay",
                  {false, 2, {{OffsetIsGuid | 1, 0}, {OffsetIsGuid, 24}}, {SomeGuid, NullGuid}},
                  1,
                  {{OffsetIsGuid | 1, 0}, {0, 11}}},
        FixupCase{
            "IndexRecordsStay", {false, 1, {{0x02000000, 0}}, {NullGuid}}, 0, {{0x02000000, 0}}},
        FixupCase{
            "HelpDllHeaderIsLonger", {true, 3, {{OffsetIsGuid, 0}}, {NullGuid}}, 1, {{0, 11}}},
        FixupCase{"NoImports", {false, 2, {}, {SomeGuid}}, 0, {}}),
    [](const auto& instance) { return std::string(instance.param.Name); });

TEST(ImportFixupDamage, RefusesWhatItCannotRead) {
    Image good{false, 2, {{OffsetIsGuid, 0}}, {NullGuid}};
    std::vector<uint8_t> notMsft = good.Build();
    notMsft[0] = 'X';
    std::vector<uint8_t> truncated = good.Build();
    truncated.resize(40);
    std::vector<uint8_t> empty;
    Image outside{false, 2, {{OffsetIsGuid, 4000}}, {NullGuid}};
    std::vector<uint8_t> guidOutside = outside.Build();
    Image negative{false, -5, {}, {}};
    std::vector<uint8_t> negativeCount = negative.Build();
    for (std::vector<uint8_t>* bytes :
         {&notMsft, &truncated, &empty, &guidOutside, &negativeCount}) {
        const std::vector<uint8_t> before = *bytes;
        EXPECT_THROW(PointGuidlessImportsAtIndex(*bytes, 3), std::runtime_error);
        EXPECT_EQ(*bytes, before);
    }
}

} // namespace
} // namespace corvane::typelib

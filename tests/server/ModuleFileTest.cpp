// The built file itself: its export directory, read from the PE image on
// disk, and its resources, read through the loader as a data file.

#include "BuiltModule.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

using namespace corvane::server::testing;

namespace {

// Reads the export directory of a PE file: name -> ordinal, and the count of
// exported functions (named or not).
struct TExports {
    std::map<std::string, unsigned> ordinals;
    unsigned functionCount = 0;
    WORD machine = 0;
};

template <class T> T ReadAt(const std::vector<char>& file, size_t offset) {
    T value{};
    if (offset + sizeof(T) > file.size())
        throw std::runtime_error("read past the end of the file");
    std::memcpy(&value, file.data() + offset, sizeof(T));
    return value;
}

TExports ReadExports(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    const std::vector<char> file((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
    const auto dos = ReadAt<IMAGE_DOS_HEADER>(file, 0);
    const size_t nt = static_cast<size_t>(dos.e_lfanew);
    const auto header = ReadAt<IMAGE_FILE_HEADER>(file, nt + 4);
    const size_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
    const WORD magic = ReadAt<WORD>(file, optional);
    IMAGE_DATA_DIRECTORY exportDir{};
    if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC)
        exportDir = ReadAt<IMAGE_OPTIONAL_HEADER64>(file, optional).DataDirectory[0];
    else
        exportDir = ReadAt<IMAGE_OPTIONAL_HEADER32>(file, optional).DataDirectory[0];
    const size_t sections = optional + header.SizeOfOptionalHeader;
    auto fileOffset = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < header.NumberOfSections; ++i) {
            const auto s =
                ReadAt<IMAGE_SECTION_HEADER>(file, sections + i * sizeof(IMAGE_SECTION_HEADER));
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize)
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        throw std::runtime_error("RVA outside every section");
    };
    TExports result;
    result.machine = header.Machine;
    if (exportDir.VirtualAddress == 0)
        return result;
    const auto dir = ReadAt<IMAGE_EXPORT_DIRECTORY>(file, fileOffset(exportDir.VirtualAddress));
    result.functionCount = dir.NumberOfFunctions;
    for (DWORD i = 0; i < dir.NumberOfNames; ++i) {
        const DWORD nameRva = ReadAt<DWORD>(file, fileOffset(dir.AddressOfNames) + 4 * i);
        const WORD index = ReadAt<WORD>(file, fileOffset(dir.AddressOfNameOrdinals) + 2 * i);
        result.ordinals[std::string(file.data() + fileOffset(nameRva))] = dir.Base + index;
    }
    return result;
}

TEST(ModuleFile, ExportsExactlyTheFiveEntryPointsAtTheirOrdinals) {
    const TExports exports = ReadExports(BuiltModulePath());
    const std::map<std::string, unsigned> expected = {
        {"DllUnregisterServer", 1}, {"DllRegisterServer", 2}, {"DllCanUnloadNow", 3},
        {"DllGetClassObject", 4},   {"DllInstall", 5},
    };
    EXPECT_EQ(exports.ordinals, expected);
    EXPECT_EQ(exports.functionCount, 5u) << "exports without a name";
    EXPECT_EQ(exports.machine,
              sizeof(void*) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386);
}

// The module mapped as data: its resources without running its code.
class ModuleResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = ::LoadLibraryExW(BuiltModulePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override { ::FreeLibrary(module_); }

    std::vector<BYTE> Resource(LPCWSTR type, int id) const {
        HRSRC found = ::FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        if (found == nullptr)
            return {};
        const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module_, found)));
        return std::vector<BYTE>(data, data + ::SizeofResource(module_, found));
    }

    HMODULE module_ = nullptr;
};

TEST_F(ModuleResources, VersionRecordHasTheFixedPartAndTheStrings) {
    std::vector<BYTE> version = Resource(MAKEINTRESOURCEW(16), 1); // RT_VERSION
    ASSERT_FALSE(version.empty());

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(::VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020008u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00020003u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020008u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00020003u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0x2u);
    EXPECT_EQ(fixed->dwFileOS, 0x4u);   // VOS__WINDOWS32
    EXPECT_EQ(fixed->dwFileType, 0x2u); // VFT_DLL
    EXPECT_EQ(fixed->dwFileSubtype, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueW(version.data(), L"\\VarFileInfo\\Translation",
                                 reinterpret_cast<void**>(&translation), &size));
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(translation[0], 0x0419);
    EXPECT_EQ(translation[1], 1251);

    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } strings[] = {
        {L"FileDescription", L"Strativ control"},
        {L"FileVersion", L"2.8.2.3"},
        {L"InternalName", L"Strativ"},
        {L"OriginalFilename", L""},
        {L"ProductName", L"Strativ control"},
        {L"ProductVersion", L"1.0.0.0"},
        {L"Comments", L""},
        {L"OleSelfRegister", L"1"},
    };
    for (const auto& entry : strings) {
        const std::wstring path = std::wstring(L"\\StringFileInfo\\041904E3\\") + entry.key;
        wchar_t* text = nullptr;
        UINT length = 0;
        ASSERT_TRUE(::VerQueryValueW(version.data(), path.c_str(), reinterpret_cast<void**>(&text),
                                     &length))
            << "missing " << ::testing::PrintToString(std::wstring(entry.key));
        EXPECT_EQ(std::wstring(text != nullptr ? text : L""), entry.value)
            << ::testing::PrintToString(std::wstring(entry.key));
    }
    // The company and legal keys exist, whatever their values.
    for (const wchar_t* key : {L"CompanyName", L"LegalCopyright", L"LegalTrademarks"}) {
        void* text = nullptr;
        UINT length = 0;
        EXPECT_TRUE(::VerQueryValueW(version.data(),
                                     (std::wstring(L"\\StringFileInfo\\041904E3\\") + key).c_str(),
                                     &text, &length));
    }
}

TEST_F(ModuleResources, ToolboxBitmapIsSixteenByFifteenInSixteenColours) {
    const std::vector<BYTE> bitmap = Resource(MAKEINTRESOURCEW(2), 1); // RT_BITMAP
    ASSERT_GE(bitmap.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER info{};
    std::memcpy(&info, bitmap.data(), sizeof info);
    EXPECT_EQ(info.biWidth, 16);
    EXPECT_EQ(std::abs(info.biHeight), 15);
    EXPECT_EQ(info.biBitCount, 4);
    EXPECT_EQ(info.biCompression, static_cast<DWORD>(BI_RGB));
}

TEST_F(ModuleResources, TypeLibraryIsResourceOneAndLoadsFromTheModulePath) {
    const std::vector<BYTE> typeLib = Resource(L"TYPELIB", 1);
    ASSERT_GE(typeLib.size(), 4u);
    ITypeLib* library = nullptr;
    ASSERT_EQ(::LoadTypeLibEx(BuiltModulePath().c_str(), REGKIND_NONE, &library), S_OK);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
    const GUID libId = {
        0xFEDE2C2E, 0xB885, 0x11D2, {0xBB, 0xE8, 0xE8, 0x50, 0xF2, 0x51, 0x0B, 0x74}};
    EXPECT_TRUE(attr->guid == libId);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    library->ReleaseTLibAttr(attr);
    library->Release();
}

} // namespace

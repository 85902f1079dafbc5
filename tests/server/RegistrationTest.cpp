// Registration of the built module: every key and value it writes, read back
// from the registry and compared with the tables written out here; then
// unregistration, which must leave nothing of ours.

#include "BuiltModule.h"
#include "RegistryRead.h"
#include "server/module/RegistryKeys.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

using namespace corvane::server::testing;

namespace {

const GUID LibraryId = {
    0xFEDE2C2E, 0xB885, 0x11D2, {0xBB, 0xE8, 0xE8, 0x50, 0xF2, 0x51, 0x0B, 0x74}};
const std::wstring ControlKey = L"CLSID\\{FEDE2C33-B885-11D2-BBE8-E850F2510B74}";
const std::wstring PageKey = L"CLSID\\{064AEF20-BACA-11D2-BBE8-B1A4A6488876}";
const std::wstring ProgIdKey = L"CorvaneC.Corvane";
const std::wstring TypeLibKey = L"TypeLib\\{FEDE2C2E-B885-11D2-BBE8-E850F2510B74}";
const std::wstring DispatchInterfaceKey = L"Interface\\{FEDE2C2F-B885-11D2-BBE8-E850F2510B74}";

struct TExpectedValue {
    std::wstring key;
    std::wstring name; // empty: the default value
    std::wstring data;
};

// The entries whose data does not depend on where the module lies.
const std::vector<TExpectedValue> FixedValues = {
    {ControlKey, L"", L"Corvane Control"},
    {ControlKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
    {ControlKey + L"\\ProgID", L"", L"CorvaneC.Corvane"},
    {ControlKey + L"\\Version", L"", L"1.0"},
    {ControlKey + L"\\TypeLib", L"", L"{FEDE2C2E-B885-11D2-BBE8-E850F2510B74}"},
    {ControlKey + L"\\MiscStatus", L"", L"0"},
    {ControlKey + L"\\MiscStatus\\1", L"", L"131473"},
    {ControlKey + L"\\Control", L"", L""},
    {ControlKey + L"\\Verb", L"", L""},
    {ControlKey + L"\\Verb\\1", L"", L"Customize...,0,2"},
    {ControlKey + L"\\Verb\\2", L"", L"About Strativ...,0,2"},
    {ProgIdKey, L"", L"Corvane Control"},
    {ProgIdKey + L"\\Clsid", L"", L"{FEDE2C33-B885-11D2-BBE8-E850F2510B74}"},
    {PageKey, L"", L"TGenStrativ property page"},
};

// Every key of ours with its exact subkeys and value names.
struct TExpectedKey {
    std::wstring key;
    std::vector<std::wstring> subkeys;
    std::vector<std::wstring> values;
};

const std::vector<TExpectedKey> KeyShapes = {
    {ControlKey,
     {L"Control", L"InprocServer32", L"MiscStatus", L"ProgID", L"ToolboxBitmap32", L"TypeLib",
      L"Verb", L"Version"},
     {L""}},
    {ControlKey + L"\\InprocServer32", {}, {L"", L"ThreadingModel"}},
    {ControlKey + L"\\MiscStatus", {L"1"}, {L""}},
    {ControlKey + L"\\Verb", {L"1", L"2"}, {L""}},
    {ProgIdKey, {L"Clsid"}, {L""}},
    {PageKey, {L"InprocServer32"}, {L""}},
    {PageKey + L"\\InprocServer32", {}, {L""}},
};

const std::vector<std::wstring> OurKeys = {ControlKey, PageKey, ProgIdKey, TypeLibKey,
                                           DispatchInterfaceKey};

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end()); // the keys and values here are ASCII
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
    wchar_t longA[MAX_PATH] = {};
    wchar_t longB[MAX_PATH] = {};
    return ::GetLongPathNameW(a.c_str(), longA, MAX_PATH) != 0 &&
           ::GetLongPathNameW(b.c_str(), longB, MAX_PATH) != 0 &&
           ::CompareStringOrdinal(longA, -1, longB, -1, TRUE) == CSTR_EQUAL;
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH] = {};
    ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

std::wstring DirectoryOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

void ExpectRegisteredAt(const std::wstring& modulePath) {
    for (const TExpectedValue& expected : FixedValues)
        EXPECT_EQ(ReadString(expected.key, expected.name), expected.data)
            << Narrow(expected.key) << " : " << Narrow(expected.name);
    for (const TExpectedKey& shape : KeyShapes) {
        EXPECT_EQ(SubkeyNames(shape.key), shape.subkeys) << Narrow(shape.key);
        EXPECT_EQ(ValueNames(shape.key), shape.values) << Narrow(shape.key);
    }

    // InprocServer32: the module's path, shortened when it has a space.
    for (const std::wstring& classKey : {ControlKey, PageKey}) {
        const auto inproc = ReadString(classKey + L"\\InprocServer32");
        ASSERT_TRUE(inproc.has_value()) << Narrow(classKey);
        EXPECT_EQ(inproc->find(L' '), std::wstring::npos) << Narrow(*inproc);
        EXPECT_TRUE(SameFile(*inproc, FullPath(modulePath))) << Narrow(*inproc);
    }
    // ToolboxBitmap32: the long path, a comma and the bitmap's number.
    EXPECT_EQ(ReadString(ControlKey + L"\\ToolboxBitmap32"), FullPath(modulePath) + L",1");

    // The type library: registered with the module's path and its directory.
    const std::wstring version = TypeLibKey + L"\\1.0";
    EXPECT_EQ(ReadString(version + L"\\409\\" + (sizeof(void*) == 8 ? L"win64" : L"win32")),
              FullPath(modulePath));
    const auto helpDir = ReadString(version + L"\\HELPDIR");
    ASSERT_TRUE(helpDir.has_value());
    EXPECT_EQ(::CompareStringOrdinal(helpDir->c_str(), -1,
                                     DirectoryOf(FullPath(modulePath)).c_str(), -1, TRUE),
              CSTR_EQUAL)
        << Narrow(*helpDir);
}

void ExpectNothingOfOursLeft() {
    for (const std::wstring& key : OurKeys)
        EXPECT_FALSE(KeyExists(key)) << Narrow(key) << " is still there";
}

class Registration : public ::testing::Test {
protected:
    void SetUp() override { RemoveAllOfOurs(); }
    void TearDown() override { RemoveAllOfOurs(); }
    static void RemoveAllOfOurs() {
        for (const std::wstring& key : OurKeys)
            DeleteTree(key);
    }
};

TEST_F(Registration, Regsvr32WritesTheTablesAndUnregistersTwice) {
    const std::wstring path = SpacedModulePath();
    ASSERT_EQ(RunRegsvr32(path, false), 0u);
    ExpectRegisteredAt(path);
    // Hosts find the registered library by its identity and locale.
    ITypeLib* library = nullptr;
    EXPECT_EQ(::LoadRegTypeLib(LibraryId, 1, 0, 0x0409, &library), S_OK);
    if (library != nullptr)
        library->Release();

    ASSERT_EQ(RunRegsvr32(path, true), 0u);
    ExpectNothingOfOursLeft();
    EXPECT_EQ(RunRegsvr32(path, true), 0u) << "a second unregistration must succeed too";
    ExpectNothingOfOursLeft();
}

TEST_F(Registration, PathWithoutSpaceIsWrittenAsItIs) {
    const std::wstring path = BuiltModulePath();
    ASSERT_EQ(FullPath(path).find(L' '), std::wstring::npos) << "the build tree has a space";
    TLoadedModule module(path);
    ASSERT_EQ(module.RegisterServer(), S_OK);
    ExpectRegisteredAt(path);
    EXPECT_EQ(ReadString(ControlKey + L"\\InprocServer32"), FullPath(path));
    EXPECT_EQ(module.UnregisterServer(), S_OK);
    ExpectNothingOfOursLeft();
}

// A key the module must write under cannot take non-volatile subkeys (the
// registry refuses them under a volatile key): registration fails with
// E_FAIL, what it wrote before stays, and a second run after the cause is
// gone completes the entries.
TEST_F(Registration, RefusedWriteFailsKeepsEarlierEntriesAndASecondRunCompletes) {
    const struct {
        const char* name;
        std::wstring volatileKey; // its parent is made an ordinary key first
        std::vector<std::wstring> written;
        std::vector<std::wstring> notWritten;
    } cases[] = {
        {"type library refused: no class is registered",
         TypeLibKey,
         {},
         {ControlKey, PageKey, ProgIdKey}},
        {"control's MiscStatus\\1 refused",
         ControlKey + L"\\MiscStatus",
         {PageKey, PageKey + L"\\InprocServer32", ControlKey, ControlKey + L"\\Version",
          ControlKey + L"\\TypeLib", ProgIdKey + L"\\Clsid"},
         {ControlKey + L"\\MiscStatus\\1", ControlKey + L"\\ToolboxBitmap32",
          ControlKey + L"\\Control", ControlKey + L"\\Verb"}},
    };
    const std::wstring path = SpacedModulePath();
    TLoadedModule module(path);
    for (const auto& c : cases) {
        RemoveAllOfOurs();
        const std::wstring parent = c.volatileKey.substr(0, c.volatileKey.rfind(L'\\'));
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, parent.c_str(), 0, nullptr,
                                    REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                    nullptr),
                  ERROR_SUCCESS);
        ::RegCloseKey(key);
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, c.volatileKey.c_str(), 0, nullptr,
                                    REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ::RegCloseKey(key);

        EXPECT_EQ(module.RegisterServer(), E_FAIL) << c.name;
        for (const std::wstring& written : c.written)
            EXPECT_TRUE(KeyExists(written)) << c.name << ": " << Narrow(written);
        for (const std::wstring& notWritten : c.notWritten)
            EXPECT_FALSE(KeyExists(notWritten)) << c.name << ": " << Narrow(notWritten);

        ASSERT_EQ(::RegDeleteKeyW(HKEY_CLASSES_ROOT, c.volatileKey.c_str()), ERROR_SUCCESS);
        EXPECT_EQ(module.RegisterServer(), S_OK) << c.name;
        ExpectRegisteredAt(path);
        EXPECT_EQ(module.UnregisterServer(), S_OK) << c.name;
        ExpectNothingOfOursLeft();
    }
}

// Without administrator rights an installer can map HKEY_CLASSES_ROOT onto
// the user's own classes around DllRegisterServer, or run
// "regsvr32 /n /i:user" (DllInstall): the module sees the mapping, so the
// whole registration, type library included, lands under
// HKCU\Software\Classes and nothing under the machine's classes; the
// mapping is gone again afterwards.
TEST_F(Registration, MappedOntoTheUsersClassesItRegistersForThatUserOnly) {
    HKEY userClasses = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr,
                                REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &userClasses,
                                nullptr),
              ERROR_SUCCESS);
    const auto removeFromUser = [&] {
        for (const std::wstring& key : OurKeys)
            ::RegDeleteTreeW(userClasses, key.c_str());
    };
    const auto userValue = [&](const std::wstring& key, const std::wstring& name) {
        wchar_t data[MAX_PATH] = {};
        DWORD size = sizeof data;
        if (::RegGetValueW(userClasses, key.c_str(), name.empty() ? nullptr : name.c_str(),
                           RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
            return std::wstring(L"<missing>");
        return std::wstring(data);
    };
    const auto userKeyExists = [&](const std::wstring& key) {
        HKEY opened = nullptr;
        const bool exists =
            ::RegOpenKeyExW(userClasses, key.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS;
        if (opened != nullptr)
            ::RegCloseKey(opened);
        return exists;
    };
    removeFromUser();
    TLoadedModule module(BuiltModulePath());
    EXPECT_FALSE(corvane::server::ClassesRootIsUsersClasses()) << "mapped before any step";
    const auto mapped = [&](HRESULT (TLoadedModule::*call)() const) {
        EXPECT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, userClasses), ERROR_SUCCESS);
        EXPECT_TRUE(corvane::server::ClassesRootIsUsersClasses()) << "the mapping is not seen";
        const HRESULT result = (module.*call)();
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        return result;
    };

    const struct {
        const char* name;
        std::function<HRESULT()> run;
        HRESULT result;
        bool registered;
    } steps[] = {
        {"mapped DllRegisterServer", [&] { return mapped(&TLoadedModule::RegisterServer); }, S_OK,
         true},
        {"mapped DllUnregisterServer", [&] { return mapped(&TLoadedModule::UnregisterServer); },
         S_OK, false},
        {"DllInstall(TRUE, user)", [&] { return module.Install(TRUE, L"user"); }, S_OK, true},
        {"DllInstall(FALSE, USER)", [&] { return module.Install(FALSE, L"USER"); }, S_OK, false},
        {"DllInstall(TRUE, machine)", [&] { return module.Install(TRUE, L"machine"); },
         E_INVALIDARG, false},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(step.run(), step.result) << step.name;
        EXPECT_FALSE(corvane::server::ClassesRootIsUsersClasses())
            << step.name << ": the mapping stayed";
        for (const TExpectedValue& expected : FixedValues)
            EXPECT_EQ(userValue(expected.key, expected.name),
                      step.registered ? expected.data : L"<missing>")
                << step.name << ": " << Narrow(expected.key);
        for (const std::wstring& key : {TypeLibKey, DispatchInterfaceKey})
            EXPECT_EQ(userKeyExists(key), step.registered) << step.name << ": " << Narrow(key);
        for (const std::wstring& key : OurKeys) {
            HKEY machine = nullptr;
            EXPECT_NE(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\" + key).c_str(), 0,
                                      KEY_READ, &machine),
                      ERROR_SUCCESS)
                << step.name << ": written for the machine: " << Narrow(key);
            if (machine != nullptr)
                ::RegCloseKey(machine);
        }
    }
    removeFromUser();
    ::RegCloseKey(userClasses);
}

} // namespace

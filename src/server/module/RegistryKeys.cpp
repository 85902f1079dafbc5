#include "server/module/RegistryKeys.h"

#include "server/module/ModuleErrors.h"

#include <vector>

namespace corvane::server {

namespace {

constexpr const char* RegistryWriteError = "Error creating system registry entry";
constexpr const wchar_t* UsersClassesKey = L"Software\\Classes";
constexpr const wchar_t* ProbeKey = L"CorvaneC.RegistrationProbe";

// Closes the key on every path out.
class TRegKey {
public:
    TRegKey() = default;
    TRegKey(const TRegKey&) = delete;
    TRegKey& operator=(const TRegKey&) = delete;
    ~TRegKey() {
        if (key_ != nullptr)
            ::RegCloseKey(key_);
    }
    HKEY* Put() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// NtQueryKey with KeyNameInformation: the one documented way to learn which
// key a handle refers to. Looked up at run time; ntdll has no import library
// the module links.
using TNtQueryKey = LONG(NTAPI*)(HANDLE key, int informationClass, void* information, ULONG length,
                                 ULONG* resultLength);
constexpr int KeyNameInformation = 3;
constexpr LONG StatusBufferOverflow = static_cast<LONG>(0x80000005);
constexpr LONG StatusBufferTooSmall = static_cast<LONG>(0xC0000023);

// "\REGISTRY\USER\S-1-5-21-..._Classes" for an opened key; empty when it
// cannot be read.
std::wstring RegistryName(HKEY key) {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    const auto query = ntdll == nullptr ? nullptr
                                        : reinterpret_cast<TNtQueryKey>(reinterpret_cast<void*>(
                                              ::GetProcAddress(ntdll, "NtQueryKey")));
    if (query == nullptr)
        return std::wstring();
    // KEY_NAME_INFORMATION: a byte length, then the name without terminator.
    std::vector<ULONG> buffer(128);
    for (int attempt = 0; attempt < 2; ++attempt) {
        ULONG needed = 0;
        const auto size = static_cast<ULONG>(buffer.size() * sizeof(ULONG));
        const LONG status = query(key, KeyNameInformation, buffer.data(), size, &needed);
        if (status >= 0) {
            const ULONG bytes = buffer[0];
            if (bytes > size - sizeof(ULONG))
                return std::wstring();
            return std::wstring(reinterpret_cast<const wchar_t*>(buffer.data() + 1),
                                bytes / sizeof(wchar_t));
        }
        if ((status != StatusBufferOverflow && status != StatusBufferTooSmall) || needed <= size)
            return std::wstring();
        buffer.resize(needed / sizeof(ULONG) + 1);
    }
    return std::wstring();
}

} // namespace

void CreateRegKey(const std::wstring& key, const std::wstring& valueName,
                  const std::wstring& data) {
    TRegKey handle;
    DWORD disposition = 0;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, nullptr, handle.Put(),
                          &disposition) != ERROR_SUCCESS)
        throw ERegistryError(RegistryWriteError);
    // REG_SZ data includes its terminating zero.
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    if (::RegSetValueExW(handle.Get(), valueName.empty() ? nullptr : valueName.c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(data.c_str()), bytes) != ERROR_SUCCESS)
        throw ERegistryError(RegistryWriteError);
}

void DeleteRegKey(const std::wstring& key) {
    ::RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
}

bool ClassesRootIsUsersClasses() {
    TRegKey user;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, UsersClassesKey, 0, KEY_QUERY_VALUE, user.Put()) !=
        ERROR_SUCCESS)
        return false;
    const std::wstring userName = RegistryName(user.Get());
    // A predefined key has no name to ask for (opening it gives the
    // predefined handle back), so a volatile key made under it, and removed
    // again, tells where it leads.
    TRegKey probe;
    DWORD disposition = 0;
    if (userName.empty() ||
        ::RegCreateKeyExW(HKEY_CLASSES_ROOT, ProbeKey, 0, nullptr, REG_OPTION_VOLATILE,
                          KEY_QUERY_VALUE, nullptr, probe.Put(), &disposition) != ERROR_SUCCESS)
        return false;
    const std::wstring probeName = RegistryName(probe.Get());
    if (disposition == REG_CREATED_NEW_KEY)
        ::RegDeleteKeyW(HKEY_CLASSES_ROOT, ProbeKey);
    const auto length = static_cast<int>(userName.size());
    return probeName.size() > userName.size() && probeName[userName.size()] == L'\\' &&
           ::CompareStringOrdinal(probeName.c_str(), length, userName.c_str(), length, TRUE) ==
               CSTR_EQUAL;
}

TUsersClassesRoot::TUsersClassesRoot() {
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, UsersClassesKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &userClasses_, nullptr) != ERROR_SUCCESS) {
        userClasses_ = nullptr;
        throw ERegistryError(RegistryWriteError);
    }
    if (::RegOverridePredefKey(HKEY_CLASSES_ROOT, userClasses_) != ERROR_SUCCESS) {
        ::RegCloseKey(userClasses_);
        throw ERegistryError(RegistryWriteError);
    }
}

TUsersClassesRoot::~TUsersClassesRoot() {
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    ::RegCloseKey(userClasses_);
}

} // namespace corvane::server

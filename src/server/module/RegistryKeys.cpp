#include "server/module/RegistryKeys.h"

#include "server/module/ModuleErrors.h"

namespace corvane::server {

namespace {

constexpr const char* RegistryWriteError = "Error creating system registry entry";

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

} // namespace corvane::server

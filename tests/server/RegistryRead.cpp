#include "RegistryRead.h"

#include <algorithm>

namespace corvane::server::testing {

namespace {

class TKey {
public:
    explicit TKey(const std::wstring& key) {
        if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    TKey(const TKey&) = delete;
    TKey& operator=(const TKey&) = delete;
    ~TKey() {
        if (key_ != nullptr)
            ::RegCloseKey(key_);
    }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace

bool KeyExists(const std::wstring& key) {
    return TKey(key).Get() != nullptr;
}

std::optional<std::wstring> ReadString(const std::wstring& key, const std::wstring& name) {
    TKey handle(key);
    if (handle.Get() == nullptr)
        return std::nullopt;
    DWORD type = 0;
    DWORD bytes = 0;
    const wchar_t* valueName = name.empty() ? nullptr : name.c_str();
    if (::RegQueryValueExW(handle.Get(), valueName, nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(handle.Get(), valueName, nullptr, &type,
                           reinterpret_cast<BYTE*>(data.data()), &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(bytes / sizeof(wchar_t));
    while (!data.empty() && data.back() == L'\0')
        data.pop_back();
    return data;
}

std::vector<std::wstring> SubkeyNames(const std::wstring& key) {
    std::vector<std::wstring> names;
    TKey handle(key);
    if (handle.Get() == nullptr)
        return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (::RegEnumKeyExW(handle.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::wstring> ValueNames(const std::wstring& key) {
    std::vector<std::wstring> names;
    TKey handle(key);
    if (handle.Get() == nullptr)
        return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (::RegEnumValueW(handle.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void DeleteTree(const std::wstring& key) {
    for (const std::wstring& child : SubkeyNames(key))
        DeleteTree(key + L"\\" + child);
    ::RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
}

} // namespace corvane::server::testing

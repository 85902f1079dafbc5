#pragma once
// Reading back what registration left under HKEY_CLASSES_ROOT.

#include "win32/WinApi.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane::server::testing {

bool KeyExists(const std::wstring& key);
// A REG_SZ value (empty name: the default value); nullopt when the key or
// value is missing or not a string.
std::optional<std::wstring> ReadString(const std::wstring& key, const std::wstring& name = L"");
std::vector<std::wstring> SubkeyNames(const std::wstring& key);
std::vector<std::wstring> ValueNames(const std::wstring& key);
// Deletes a key and everything under it; missing keys are fine.
void DeleteTree(const std::wstring& key);

} // namespace corvane::server::testing

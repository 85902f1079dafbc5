#pragma once
// The two registry operations registration is made of, both under
// HKEY_CLASSES_ROOT: write one string value (creating or opening its key),
// and delete one key.

#include <string>

namespace corvane::server {

// Creates or opens `key` and sets `valueName` (empty: the key's default value)
// to `data` as REG_SZ. Raises ERegistryError "Error creating system registry
// entry" when the key cannot be created or the value cannot be set.
void CreateRegKey(const std::wstring& key, const std::wstring& valueName, const std::wstring& data);

// Deletes `key` (which must have no subkeys); a failure is ignored, as a key
// that is already gone is what unregistration wants.
void DeleteRegKey(const std::wstring& key);

} // namespace corvane::server

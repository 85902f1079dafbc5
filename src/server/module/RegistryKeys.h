#pragma once
// The registry operations registration is made of, all under
// HKEY_CLASSES_ROOT: write one string value (creating or opening its key),
// delete one key; and where that key leads, for per-user registration.

#include "win32/WinApi.h"

#include <string>

namespace corvane::server {

// Creates or opens `key` and sets `valueName` (empty: the key's default value)
// to `data` as REG_SZ. Raises ERegistryError "Error creating system registry
// entry" when the key cannot be created or the value cannot be set.
void CreateRegKey(const std::wstring& key, const std::wstring& valueName, const std::wstring& data);

// Deletes `key` (which must have no subkeys); a failure is ignored, as a key
// that is already gone is what unregistration wants.
void DeleteRegKey(const std::wstring& key);

// True while this process maps HKEY_CLASSES_ROOT onto the current user's
// classes (RegOverridePredefKey onto HKCU\Software\Classes, as an installer
// without administrator rights does): the registry's own name of a key made
// under HKEY_CLASSES_ROOT then lies under that of the user's classes key.
// False when that cannot be told (no key can be made there).
bool ClassesRootIsUsersClasses();

// Maps HKEY_CLASSES_ROOT onto HKCU\Software\Classes for this process while
// it lives, then back to the default. Raises ERegistryError when the user's
// classes key cannot be opened or the mapping is refused.
class TUsersClassesRoot {
public:
    TUsersClassesRoot();
    TUsersClassesRoot(const TUsersClassesRoot&) = delete;
    TUsersClassesRoot& operator=(const TUsersClassesRoot&) = delete;
    ~TUsersClassesRoot();

private:
    HKEY userClasses_ = nullptr;
};

} // namespace corvane::server

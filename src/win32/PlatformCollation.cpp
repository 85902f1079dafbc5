#include "win32/PlatformCollation.h"

#include "core/platform/Collation.h"

#include "win32/WinApi.h"

namespace corvane::win32 {
namespace {

// lstrcmpA is WINAPI (stdcall on 32-bit), so it needs a plain wrapper.
int CompareWithLstrcmp(const char* a, const char* b) {
    return ::lstrcmpA(a, b);
}

} // namespace

void InstallPlatformCollation() {
    SetCaptionCompare(&CompareWithLstrcmp);
}

namespace {

// Installed while the program or library loads, so that a host sorting a
// control that has no window yet sorts as the platform does. (Only a
// pointer is stored: nothing here may call into other libraries while the
// loader runs.)
const bool installedAtLoad = (InstallPlatformCollation(), true);

} // namespace

} // namespace corvane::win32

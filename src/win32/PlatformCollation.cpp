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

} // namespace corvane::win32

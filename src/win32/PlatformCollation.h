#pragma once
// Installs lstrcmpA as the caption comparison that sorting uses. Done when
// the program or library loads; calling it again is harmless.

namespace corvane::win32 {

void InstallPlatformCollation();

} // namespace corvane::win32

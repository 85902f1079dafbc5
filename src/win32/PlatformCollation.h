#pragma once
// Installs lstrcmpA as the caption comparison that sorting uses.

namespace corvane::win32 {

void InstallPlatformCollation();

} // namespace corvane::win32

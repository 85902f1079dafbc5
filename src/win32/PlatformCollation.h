#pragma once
// Installs lstrcmpW as the caption comparison that sorting uses, and the
// system's ANSI code page as the one stored documents use. Done when the
// program or library loads; calling it again is harmless.

namespace corvane::win32 {

void InstallPlatformCollation();

} // namespace corvane::win32

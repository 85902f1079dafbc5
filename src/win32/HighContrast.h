#pragma once
// Whether the system's high-contrast setting is on. Tests may stand in for
// the system's answer (Wine has no high-contrast switch); the callers still
// re-read it on the messages that announce a change.

namespace corvane::win32 {

bool SystemHighContrast();

// Replaces the system's answer with probe's; nullptr asks the system again.
using HighContrastProbe = bool (*)();
void SetHighContrastProbe(HighContrastProbe probe);

} // namespace corvane::win32

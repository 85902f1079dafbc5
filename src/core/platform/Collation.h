#pragma once
// Caption ordering used by sorting. The order users expect is the platform's
// (lstrcmpW on Windows, in the user's default collation); the Win32 layer
// installs it when the program or library loads, and the portable core
// carries a stand-in that follows the same rules for Windows-1252 text.
// Captions are UTF-8.

namespace corvane {

using CaptionCompareFn = int (*)(const char* a, const char* b);

// Stand-in for lstrcmpW in the en-US collation of Windows-1252 text, level
// by level: first the letters, digits, spaces and symbols (space and
// punctuation before digits, digits before letters, letters without regard
// to case or accent, ligatures as their letters, accented letters of the
// upper half with their base letter), ignoring hyphens, apostrophes and
// control characters; then accents; then case (lower first); last, the
// ignored bytes break the tie ("coop" < "co-op", "its" < "it's").
int PortableCaptionCompare(const char* a, const char* b);

// Installs the platform's comparison; nullptr restores the stand-in.
void SetCaptionCompare(CaptionCompareFn fn);
// The installed comparison, nullptr while the stand-in serves.
CaptionCompareFn InstalledCaptionCompare();

// Compares two zero-terminated captions with the installed comparison.
int CompareCaptions(const char* a, const char* b);

} // namespace corvane

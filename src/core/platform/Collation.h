#pragma once
// Caption ordering used by sorting. The order users expect is the platform's
// (lstrcmpA on Windows, in the user's default collation); the portable core
// carries a stand-in that orders plain ASCII captions the same way, and the
// Win32 layer installs the real comparison at start-up.

namespace corvane {

using CaptionCompareFn = int (*)(const char* a, const char* b);

// Stand-in for lstrcmpA on plain ASCII text: white space and punctuation
// sort before digits, digits before letters; letters compare without regard
// to case first, and where two texts differ only in case the one with the
// lower-case letter at the first such place sorts first. Bytes >= 0x80
// sort after everything else, by value.
int PortableCaptionCompare(const char* a, const char* b);

// Installs the platform's comparison; nullptr restores the stand-in.
void SetCaptionCompare(CaptionCompareFn fn);

// Compares two zero-terminated captions with the installed comparison.
int CompareCaptions(const char* a, const char* b);

} // namespace corvane

#pragma once
// The system's ANSI code page, which stored documents use for every text it
// can hold. The core has no code page of its own: the Win32 layer installs
// the system's when the program or library loads; until then (and in the
// portable builds) a Windows-1252 stand-in serves.

#include <string>

namespace corvane {

struct TCodePage {
    // Sets ansi to text (UTF-8) in the code page; false, leaving ansi
    // unspecified, when the code page cannot hold every character exactly.
    bool (*ToAnsi)(const std::string& text, std::string& ansi);
    // Text in the code page as UTF-8.
    std::string (*FromAnsi)(const std::string& ansi);
};

// nullptr restores the stand-in.
void SetCodePage(const TCodePage* page);

// Text in the code page as bytes; ASCII passes through unchanged.
bool TextToAnsi(const std::string& text, std::string& ansi);
std::string TextFromAnsi(std::string ansi);

// The Windows-1252 stand-in, for tests that install it by name.
extern const TCodePage Windows1252;

} // namespace corvane

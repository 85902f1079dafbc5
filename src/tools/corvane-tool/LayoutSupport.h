#pragma once
// What the layout and hit commands share: a control loaded from a file as a
// host would load it, at a client size given as WIDTHxHEIGHT, and one line
// of text per section.

#include "Command.h"

#include "core/control/Strativ.h"

#include <string>

namespace corvane_tool {

// Parses "250x25"; false when it is not two non-negative integers.
bool ParseClientSize(const std::string& text, int& width, int& height);
// Parses a whole decimal integer in the 32-bit range.
bool ParseInt(const std::string& text, int& value);

// A stored control, or with --sections a bare section tree in a new control.
void LoadForLayout(corvane::TStrativ& control, const CommandLine& line);

// "'Caption' (left, top, right, bottom)".
std::string SectionLine(const corvane::THeaderColumns& section, const corvane::TRect& rect);

} // namespace corvane_tool

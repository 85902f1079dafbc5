#pragma once
// Prints every event of the header, with its arguments, one line each on
// standard output (flushed at once, so a pipe sees it as it happens). Hints
// and drops get an answer, so the demo shows them working.
//
// The lines are built from what the event carried, so any way of hearing the
// header (its COM events here) prints the same text.

#include <optional>
#include <string>

namespace corvane::demo {

// A section as an event names it: its caption, or nothing when the event
// carried no section.
using SectionName = std::optional<std::string>;

// OnSizing (finished = false) and OnSized (finished = true).
void LogSizing(bool finished, const SectionName& section, int index, int width);
// OnHeightChanging (finished = false) and OnHeightChanged (finished = true).
void LogHeightChange(bool finished, const SectionName& section, int height);
void LogHeaderClick(const SectionName& section);
// Answers a hint request with the section's caption and width, logs the
// answer and returns it. Without a section the hint stays as it was.
std::string LogHint(const SectionName& section, int width, const std::string& hint);
// Allows the drop, beside the target rather than under it, and logs that.
void LogDropSection(const SectionName& source, const SectionName& target, bool& asChild,
                    bool& allowDrop);
// The events without arguments: OnBeforeCustomize, OnAfterCustomize, ...
void LogNotice(const char* eventName);

} // namespace corvane::demo

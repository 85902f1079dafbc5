#pragma once
// Prints every event of the header, with its arguments, one line each on
// standard output (flushed at once, so a pipe sees it as it happens). Hints
// and drops get an answer, so the demo shows them working.

namespace corvane {
class TStrativ;
}

namespace corvane::demo {

void LogEvents(TStrativ& header);

} // namespace corvane::demo

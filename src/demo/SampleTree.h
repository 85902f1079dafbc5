#pragma once
// The header the demo shows: three levels, captions that need an ellipsis or
// word wrap, and all three alignments.

namespace corvane {
class TStrativ;
}

namespace corvane::demo {

void BuildSampleTree(TStrativ& header);

} // namespace corvane::demo

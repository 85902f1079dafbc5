#pragma once
// The parts of the API reference (docs/api.md) that the library's table
// fixes: one marked block per library, type and member, with its names,
// types, identifiers and signatures. Everything between the blocks is
// written by hand and kept as it is.
//
//   <!-- api member ICorvane.BevelInner -->
//   ...generated...
//   <!-- /api -->
//   hand-written text about BevelInner

#include "server/typelib/TypeLibTable.h"

#include <string>
#include <vector>

namespace corvane::typelib {

// Text that stands in for the description of a member the reference lacks.
extern const char* const ReferencePlaceholder;

struct TReferenceUpdate {
    std::string Text;                  // the document with every block regenerated
    std::vector<std::string> Problems; // empty when the document was complete and current
};

// Regenerates every block of `document` from `library`. Blocks the table does
// not know are kept and reported; blocks the table needs but the document
// lacks are added (after the other blocks of their type, or at the end) with
// the placeholder, and reported; so is a placeholder left in the document.
// An empty document gives the whole skeleton.
TReferenceUpdate UpdateReference(const TLibrary& library, const std::string& document);

} // namespace corvane::typelib

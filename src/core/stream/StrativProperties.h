#pragma once
// The stored properties of the header control, in stream order: the
// framework control's first, then the control's own as it publishes them,
// with the root section's entries ("Sections.") at the place of Sections.
// docs/stream-format.md lists them with their default rules.

#include "core/framework/streaming/PublishedProperty.h"

namespace corvane {

class TIdentMap;

const TPublishedClass& StrativClass();
// The members of the control's option set (value = bit).
extern const TIdentMap HeaderOptionIdents;
// The font's entries ("Font."), stored while the control has a font of its own.
const TPublishedClass& FontClass();

} // namespace corvane

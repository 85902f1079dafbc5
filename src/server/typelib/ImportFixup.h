#pragma once
// Repairs references to imported types that have no GUID in a compiled
// (MSFT-format) type library.
//
// Wine's type-library writer records every reference into an imported
// library by the referenced type's GUID. stdole's IFontDisp is an alias
// without one, so its reference would resolve to stdole's first GUID-less
// type (GUID) when loaded. The platform's own compiler records such a type by
// its index in the imported library; this rewrites the record that way.

#include <cstdint>
#include <vector>

namespace corvane::typelib {

// Points every import record that names the null GUID at the type with
// `index` in its library. Returns how many records it changed; raises
// std::runtime_error when the image is not a library it can read.
int PointGuidlessImportsAtIndex(std::vector<uint8_t>& image, int32_t index);

} // namespace corvane::typelib

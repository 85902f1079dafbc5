#pragma once
// The 16 x 16 glyphs of the General page's three speed buttons, drawn in
// code: one 32 x 16 bitmap each, the normal picture on the left and the
// disabled one (embossed grey) on the right.

#include "win32/GdiHandles.h"

namespace corvane::win32::editor {

enum class GlyphKind { Font, Color, HotTrack };

constexpr int GlyphSize = 16;

UniqueBitmap MakeGlyph(GlyphKind kind);

} // namespace corvane::win32::editor

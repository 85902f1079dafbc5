#pragma once
// The glyphs of the General page's three speed buttons, drawn in code at
// the size the density asks for (16 pixels at 96 per inch, 20, 24 and 32 at
// 120, 144 and 192): one bitmap of twice the size by the size each, the
// normal picture on the left and the disabled one (embossed grey) on the
// right. At 16 they are hand-set pixels; larger ones are drawn as shapes at
// their own size, never stretched.

#include "win32/GdiHandles.h"

namespace corvane::win32::editor {

enum class GlyphKind { Font, Color, HotTrack };

constexpr int GlyphSize = 16;

UniqueBitmap MakeGlyph(GlyphKind kind, int size = GlyphSize);

} // namespace corvane::win32::editor

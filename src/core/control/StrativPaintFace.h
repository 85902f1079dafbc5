#pragma once
// The pieces a section face is drawn from: nested bevel frames, the button
// face of new-style controls and the flat face of old ones. Rectangles are
// 64-bit while they shrink, so bevel and border widths up to the 32-bit
// maximum cannot overflow them.

#include "core/control/StrativTypes.h"
#include "core/framework/Graphics.h"

#include <cstdint>

namespace corvane {

class TCanvas;

struct TRect64 {
    int64_t Left = 0;
    int64_t Top = 0;
    int64_t Right = 0;
    int64_t Bottom = 0;
};

TRect64 Widen(const TRect& rect);
TRect Narrow(const TRect64& rect); // saturating
void Shrink(TRect64& rect, int64_t by);

// Top-left and bottom-right colours of a bevel of the given kind.
void BevelColors(TBevelCut kind, bool pressed, TColor& top, TColor& bottom);

// `width` nested one-pixel frames, outermost first, each drawn left and top
// in `top`, right and bottom in `bottom`; `rect` shrinks by `width` on every
// side. Frames wider than the rectangle go on drawing past it, as they always
// have; only frames that put no pixel inside `visible` are left out, so a
// width of two billion costs what the visible area costs.
void DrawFrames(TCanvas& canvas, TRect64& rect, int64_t width, TColor top, TColor bottom,
                const TRect& visible);

// The raised (or, when down, sunken) button face of new-style controls.
void DrawButtonFace(TCanvas& canvas, const TRect64& rect, bool down);

// The face of old-style controls: a framed rectangle, then a shadow line when
// down or raised bevel frames when up.
void DrawOldFace(TCanvas& canvas, const TRect64& rect, bool down, int bevelWidth,
                 const TRect& visible);

} // namespace corvane

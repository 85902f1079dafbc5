#include "core/control/StrativPaintFace.h"

#include "core/control/ColumnLayout.h"
#include "core/platform/Canvas.h"

#include <algorithm>
#include <array>

namespace corvane {
namespace {

struct TRange {
    int64_t First = 0; // inclusive
    int64_t End = 0;   // exclusive
};

// One frame: from bottom-left up to top-left and on to top-right in the top
// pen, from top-right down to bottom-right and on to just left of bottom-left
// in the bottom pen.
void DrawOneFrame(TCanvas& canvas, const TRect64& r, const TPen& topPen, const TPen& bottomPen) {
    canvas.SetPen(topPen);
    canvas.MoveTo(SaturateToInt(r.Left), SaturateToInt(r.Bottom));
    canvas.LineTo(SaturateToInt(r.Left), SaturateToInt(r.Top));
    canvas.LineTo(SaturateToInt(r.Right), SaturateToInt(r.Top));
    canvas.SetPen(bottomPen);
    canvas.MoveTo(SaturateToInt(r.Right), SaturateToInt(r.Top));
    canvas.LineTo(SaturateToInt(r.Right), SaturateToInt(r.Bottom));
    canvas.LineTo(SaturateToInt(r.Left - 1), SaturateToInt(r.Bottom));
}

// Frame k draws its four lines at x = left + k, y = top + k, x = right - k
// and y = bottom - k. A frame none of whose lines lies on a visible column or
// row puts nothing on screen. Each line is on screen for at most as many
// frames as the visible area is wide or high, so the frames that matter are
// the union of four short ranges.
std::array<TRange, 4> VisibleFrames(const TRect64& r, int64_t width, const TRect& visible) {
    std::array<TRange, 4> ranges{{
        {visible.Left - r.Left, visible.Right - r.Left},
        {visible.Top - r.Top, visible.Bottom - r.Top},
        {r.Right - visible.Right + 1, r.Right - visible.Left + 1},
        {r.Bottom - visible.Bottom + 1, r.Bottom - visible.Top + 1},
    }};
    for (TRange& range : ranges) {
        range.First = std::max<int64_t>(range.First, 0);
        range.End = std::min(range.End, width);
    }
    std::sort(ranges.begin(), ranges.end(),
              [](const TRange& a, const TRange& b) { return a.First < b.First; });
    return ranges;
}

} // namespace

TRect64 Widen(const TRect& rect) {
    return TRect64{rect.Left, rect.Top, rect.Right, rect.Bottom};
}

TRect Narrow(const TRect64& rect) {
    return TRect{SaturateToInt(rect.Left), SaturateToInt(rect.Top), SaturateToInt(rect.Right),
                 SaturateToInt(rect.Bottom)};
}

void Shrink(TRect64& rect, int64_t by) {
    rect.Left += by;
    rect.Top += by;
    rect.Right -= by;
    rect.Bottom -= by;
}

void BevelColors(TBevelCut kind, bool pressed, TColor& top, TColor& bottom) {
    const bool sunken = (kind == bvLowered) != pressed;
    top = sunken ? clBtnShadow : clBtnHighlight;
    bottom = sunken ? clBtnHighlight : clBtnShadow;
}

void DrawFrames(TCanvas& canvas, TRect64& rect, int64_t width, TColor top, TColor bottom,
                const TRect& visible) {
    if (width <= 0)
        return;
    TPen topPen = canvas.Pen();
    topPen.Width = 1;
    TPen bottomPen = topPen;
    topPen.Color = top;
    bottomPen.Color = bottom;

    rect.Right -= 1;
    rect.Bottom -= 1;
    int64_t next = 0; // frames below it are drawn or known to be invisible
    for (const TRange& range : VisibleFrames(rect, width, visible)) {
        for (int64_t k = std::max(range.First, next); k < range.End; ++k) {
            TRect64 frame = rect;
            Shrink(frame, k);
            DrawOneFrame(canvas, frame, topPen, bottomPen);
        }
        next = std::max(next, range.End);
    }
    Shrink(rect, width);
    rect.Right += 1;
    rect.Bottom += 1;
}

void DrawButtonFace(TCanvas& canvas, const TRect64& rect, bool down) {
    canvas.SetBrushColor(clBtnFace);
    TRect64 r = rect;
    if (down) {
        canvas.DrawEdge(Narrow(r), BDR_SUNKENINNER, BF_TOPLEFT);
        canvas.DrawEdge(Narrow(r), BDR_SUNKENOUTER, BF_BOTTOMRIGHT);
        r.Right -= 1;
        r.Bottom -= 1;
        r.Left += 1;
        r.Top += 1;
        canvas.DrawEdge(Narrow(r), BDR_SUNKENOUTER, BF_TOPLEFT | BF_MIDDLE);
    } else {
        canvas.DrawEdge(Narrow(r), BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
        r.Right -= 1;
        r.Bottom -= 1;
        canvas.DrawEdge(Narrow(r), BDR_RAISEDINNER, BF_TOPLEFT);
        r.Left += 1;
        r.Top += 1;
        canvas.DrawEdge(Narrow(r), BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_MIDDLE);
    }
}

void DrawOldFace(TCanvas& canvas, const TRect64& rect, bool down, int bevelWidth,
                 const TRect& visible) {
    TPen pen = canvas.Pen();
    pen.Color = clWindowFrame;
    canvas.SetPen(pen);
    canvas.SetBrushColor(clBtnFace);
    canvas.Rectangle(Narrow(rect));
    TRect64 r = rect;
    Shrink(r, 1);
    if (down) {
        pen.Color = clBtnShadow;
        canvas.SetPen(pen);
        canvas.MoveTo(SaturateToInt(r.Left), SaturateToInt(r.Bottom - 1));
        canvas.LineTo(SaturateToInt(r.Left), SaturateToInt(r.Top));
        canvas.LineTo(SaturateToInt(r.Right), SaturateToInt(r.Top));
    } else {
        DrawFrames(canvas, r, bevelWidth, clBtnHighlight, clBtnShadow, visible);
    }
}

} // namespace corvane

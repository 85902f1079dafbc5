#pragma once
// The drawing surface the control paints on. The Win32 layer implements it
// over a GDI device context; tests record the calls.

#include "core/framework/Graphics.h"

#include <string>

namespace corvane {

// The states the platform's visual style draws a header item in.
enum class THeaderItemState { Normal, Hot, Pressed };

class TCanvas {
public:
    virtual ~TCanvas() = default;

    virtual void SetFont(const TFont& font) = 0;
    virtual void SetFontColor(TColor color) = 0;
    virtual void SetBrushColor(TColor color) = 0; // also makes the brush solid
    virtual void SetBrushStyle(TBrushStyle style) = 0;
    virtual TPen Pen() const = 0;
    virtual void SetPen(const TPen& pen) = 0;

    virtual void FillRect(const TRect& rect) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0; // draws up to, not including, (x, y)
    // Outline in the pen, inside filled with the brush.
    virtual void Rectangle(const TRect& rect) = 0;
    // The platform's DrawEdge on a working copy of rect.
    virtual void DrawEdge(const TRect& rect, unsigned edge, unsigned flags) = 0;
    // The platform's DrawTextExW with no extra parameters; text is UTF-8.
    virtual void DrawTextEx(const std::string& text, const TRect& rect, unsigned format) = 0;
    // The platform's focus rectangle (dotted, inverting) along the inside of rect.
    virtual void DrawFocusRect(const TRect& rect) = 0;
    // The face of a header item as the platform's visual style draws it over
    // rect filled with background (the style may let it show through), in
    // the given state, and the caption colour of that state. False, with
    // nothing drawn, when the canvas has no visual style to draw with.
    virtual bool DrawThemedHeaderItem(const TRect& rect, THeaderItemState state, TColor background,
                                      TColor& textColor) = 0;
    // Width in pixels of text on one line in the current font.
    virtual int TextWidth(const std::string& text) = 0;
};

} // namespace corvane

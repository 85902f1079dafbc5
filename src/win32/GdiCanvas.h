#pragma once
// TCanvas over a GDI device context. The canvas keeps its drawing state (font,
// pen, brush) itself and is attached to one DC at a time: the paint DC, a
// memory bitmap, or the window DC between paints. Its state survives changes
// of DC, so a single-section repaint draws with the font of the last full
// paint, whichever DC that went to.

#include "core/platform/Canvas.h"
#include "win32/GdiHandles.h"
#include "win32/VisualStyle.h"

#include "win32/WinApi.h"

namespace corvane::win32 {

class TGdiCanvas : public TCanvas {
public:
    TGdiCanvas();
    ~TGdiCanvas() override;
    TGdiCanvas(const TGdiCanvas&) = delete;
    TGdiCanvas& operator=(const TGdiCanvas&) = delete;

    // Selects the canvas's objects into dc; Detach puts the DC back as it was.
    void Attach(HDC dc);
    void Detach();
    HDC Handle() const { return dc_; }
    bool Attached() const { return dc_ != nullptr; }

    const TFont& Font() const { return font_; }
    TColor BrushColor() const { return brushColor_; }
    TBrushStyle BrushStyle() const { return brushStyle_; }
    // The visual style header items are drawn with (a window's, which owns
    // it and outlives the canvas's use of it); null or closed: none.
    void SetHeaderTheme(const WindowTheme* theme) { headerTheme_ = theme; }

    void SetFont(const TFont& font) override;
    void SetFontColor(TColor color) override;
    void SetBrushColor(TColor color) override;
    void SetBrushStyle(TBrushStyle style) override;
    TPen Pen() const override { return pen_; }
    void SetPen(const TPen& pen) override;

    void FillRect(const TRect& rect) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(const TRect& rect) override;
    void DrawEdge(const TRect& rect, unsigned edge, unsigned flags) override;
    void DrawTextEx(const std::string& text, const TRect& rect, unsigned format) override;
    void DrawFocusRect(const TRect& rect) override;
    bool DrawThemedHeaderItem(const TRect& rect, THeaderItemState state, TColor background,
                              TColor& textColor) override;
    int TextWidth(const std::string& text) override;

private:
    void RebuildFont();
    void RebuildPen();
    void RebuildBrush();
    HBRUSH BrushHandle() const;
    void ApplyTextColors() const;

    TFont font_;
    TPen pen_;
    TColor brushColor_ = clWindow;
    TBrushStyle brushStyle_ = TBrushStyle::Solid;

    UniqueFont fontHandle_;
    UniquePen penHandle_;
    UniqueBrush brushHandle_; // empty while the brush is clear (stock hollow brush)

    const WindowTheme* headerTheme_ = nullptr;
    HDC dc_ = nullptr;
    int savedState_ = 0;
};

// Attaches a canvas to a DC for the life of a scope.
class CanvasBinding {
public:
    CanvasBinding(TGdiCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.Attach(dc); }
    ~CanvasBinding() { canvas_.Detach(); }
    CanvasBinding(const CanvasBinding&) = delete;
    CanvasBinding& operator=(const CanvasBinding&) = delete;

private:
    TGdiCanvas& canvas_;
};

} // namespace corvane::win32

#pragma once
// Canvases for tests. RecordingCanvas writes every call as one line of text,
// so an expected drawing is a list of lines; PixelCanvas draws lines and
// fills into a grid of colours, so two drawings can be compared pixel by
// pixel.

#include "core/platform/Canvas.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace corvane::testing {

inline std::string Hex(TColor color) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", color);
    return text;
}

inline std::string RectText(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
           "," + std::to_string(r.Bottom);
}

inline std::string PenText(const TPen& pen) {
    return Hex(pen.Color) + (pen.Style == TPenStyle::Dot ? " dot" : " solid") +
           (pen.Mode == TPenMode::Not ? " not " : " copy ") + std::to_string(pen.Width);
}

// Keeps the pen, so that code which saves and restores it sees what it set.
class RecordingCanvas : public TCanvas {
public:
    std::vector<std::string> calls;

    void SetFont(const TFont& font) override { calls.push_back("Font " + font.Name); }
    void SetFontColor(TColor color) override { calls.push_back("FontColor " + Hex(color)); }
    void SetBrushColor(TColor color) override { calls.push_back("Brush " + Hex(color)); }
    void SetBrushStyle(TBrushStyle style) override {
        calls.push_back(style == TBrushStyle::Clear ? "BrushStyle clear" : "BrushStyle solid");
    }
    TPen Pen() const override { return pen_; }
    void SetPen(const TPen& pen) override {
        pen_ = pen;
        calls.push_back("Pen " + PenText(pen));
    }
    void FillRect(const TRect& rect) override { calls.push_back("FillRect " + RectText(rect)); }
    void MoveTo(int x, int y) override {
        calls.push_back("MoveTo " + std::to_string(x) + "," + std::to_string(y));
    }
    void LineTo(int x, int y) override {
        calls.push_back("LineTo " + std::to_string(x) + "," + std::to_string(y));
    }
    void Rectangle(const TRect& rect) override { calls.push_back("Rectangle " + RectText(rect)); }
    void DrawEdge(const TRect& rect, unsigned edge, unsigned flags) override {
        calls.push_back("DrawEdge " + RectText(rect) + " " + std::to_string(edge) + " " +
                        std::to_string(flags));
    }
    void DrawTextEx(const std::string& text, const TRect& rect, unsigned format) override {
        calls.push_back("Text " + text + " " + RectText(rect) + " " + Hex(format));
    }
    void DrawFocusRect(const TRect& rect) override {
        calls.push_back("FocusRect " + RectText(rect));
    }
    // No visual style: the control draws its own faces.
    bool DrawThemedHeaderItem(const TRect&, THeaderItemState, TColor, TColor&) override {
        return false;
    }
    // Measures every character as charWidth pixels wide (measuring draws nothing).
    int TextWidth(const std::string& text) override {
        return static_cast<int>(text.size()) * charWidth;
    }
    int charWidth = 6;

    // The calls that start with `prefix`, e.g. "Text ".
    std::vector<std::string> Only(const std::string& prefix) const {
        std::vector<std::string> out;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
                     [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
        return out;
    }
    std::vector<std::string> Take() {
        std::vector<std::string> out;
        out.swap(calls);
        return out;
    }

private:
    TPen pen_;
};

// Pixels of a small surface; Untouched where nothing was drawn. Lines must be
// horizontal or vertical (all the control draws) and end before their end
// point, as the platform draws them; everything is clipped to the grid.
class PixelCanvas : public TCanvas {
public:
    static constexpr TColor Untouched = 0xFFFFFFFF;

    PixelCanvas(int width, int height)
        : width_(width), height_(height),
          pixels_(static_cast<size_t>(width) * static_cast<size_t>(height), Untouched) {}

    const std::vector<TColor>& Pixels() const { return pixels_; }
    TColor At(int x, int y) const { return pixels_[Index(x, y)]; }
    bool SawSlantedLine() const { return slanted_; }

    void SetFont(const TFont&) override {}
    void SetFontColor(TColor) override {}
    void SetBrushColor(TColor color) override {
        brush_ = color;
        clearBrush_ = false;
    }
    void SetBrushStyle(TBrushStyle style) override { clearBrush_ = style == TBrushStyle::Clear; }
    TPen Pen() const override { return pen_; }
    void SetPen(const TPen& pen) override { pen_ = pen; }
    void FillRect(const TRect& rect) override {
        for (int y = std::max(rect.Top, 0); y < std::min(rect.Bottom, height_); ++y)
            for (int x = std::max(rect.Left, 0); x < std::min(rect.Right, width_); ++x)
                pixels_[Index(x, y)] = brush_;
    }
    void MoveTo(int x, int y) override {
        x_ = x;
        y_ = y;
    }
    void LineTo(int x, int y) override {
        if (x != x_ && y != y_)
            slanted_ = true;
        else if (x != x_)
            Run(x_, x, [&](int px) { Plot(px, y); });
        else
            Run(y_, y, [&](int py) { Plot(x, py); });
        x_ = x;
        y_ = y;
    }
    void Rectangle(const TRect& rect) override {
        if (!clearBrush_)
            FillRect(rect);
        MoveTo(rect.Left, rect.Top);
        LineTo(rect.Right - 1, rect.Top);
        LineTo(rect.Right - 1, rect.Bottom - 1);
        LineTo(rect.Left, rect.Bottom - 1);
        LineTo(rect.Left, rect.Top);
    }
    void DrawEdge(const TRect&, unsigned, unsigned) override {}
    void DrawTextEx(const std::string&, const TRect&, unsigned) override {}
    // Text and the focus mark leave no pixels here; RecordingCanvas sees them.
    void DrawFocusRect(const TRect&) override {}
    bool DrawThemedHeaderItem(const TRect&, THeaderItemState, TColor, TColor&) override {
        return false;
    }
    int TextWidth(const std::string& text) override { return static_cast<int>(text.size()); }

private:
    // Calls plot for every coordinate from `from` towards `to` (not
    // including it) that lies on the grid.
    template <class Plotter> void Run(int from, int to, Plotter plot) const {
        const long long low = from < to ? from : static_cast<long long>(to) + 1;
        const long long high = from < to ? static_cast<long long>(to) - 1 : from;
        const long long limit = std::max(width_, height_);
        for (long long c = std::max(low, 0LL); c <= std::min(high, limit - 1); ++c)
            plot(static_cast<int>(c));
    }
    void Plot(int x, int y) {
        if (x < 0 || x >= width_ || y < 0 || y >= height_)
            return;
        TColor& pixel = pixels_[Index(x, y)];
        pixel = pen_.Mode == TPenMode::Not ? (~pixel & 0x00FFFFFF) : pen_.Color;
    }
    size_t Index(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    }
    int width_, height_;
    std::vector<TColor> pixels_;
    TPen pen_;
    TColor brush_ = 0;
    bool clearBrush_ = false;
    int x_ = 0, y_ = 0;
    bool slanted_ = false;
};

} // namespace corvane::testing

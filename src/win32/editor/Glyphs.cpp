#include "win32/editor/Glyphs.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace corvane::win32::editor {
namespace {

// A 16-colour picture as text, one character per pixel: '.' transparent
// (button face), the rest from the table below.
COLORREF PaletteColor(char c) {
    switch (c) {
    case 'k':
        return RGB(0, 0, 0);
    case 'r':
        return RGB(192, 0, 0);
    case 'g':
        return RGB(0, 128, 0);
    case 'b':
        return RGB(0, 0, 192);
    case 'y':
        return RGB(255, 255, 0);
    case 'n':
        return RGB(0, 0, 128);
    case 'w':
        return RGB(255, 255, 255);
    case 'm':
        return RGB(128, 128, 128);
    default:
        return CLR_INVALID;
    }
}

// "A" over a baseline: a font.
constexpr const char* FontPicture[GlyphSize] = {
    "................", "................", "......kkk.......", ".....kk.kk......",
    ".....kk.kk......", "....kk...kk.....", "....kk...kk.....", "...kkkkkkkkk....",
    "...kk.....kk....", "..kk.......kk...", "..kk.......kk...", ".kkkk.....kkkk..",
    "................", "bbbbbbbbbbbbbbb.", "................", "................"};

// Four colour tiles: a colour.
constexpr const char* ColorPicture[GlyphSize] = {
    "................", ".kkkkkkkkkkkkkk.", ".krrrrrrkggggggk", ".krrrrrrkggggggk",
    ".krrrrrrkggggggk", ".krrrrrrkggggggk", ".krrrrrrkggggggk", ".kkkkkkkkkkkkkkk",
    ".kbbbbbbkyyyyyyk", ".kbbbbbbkyyyyyyk", ".kbbbbbbkyyyyyyk", ".kbbbbbbkyyyyyyk",
    ".kbbbbbbkyyyyyyk", ".kkkkkkkkkkkkkkk", "................", "................"};

// A pointer over an underlined caption: the hot-track colour.
constexpr const char* HotTrackPicture[GlyphSize] = {
    "................", ".k..............",  ".kk.............", ".kwk............",
    ".kwwk...........", ".kwwwk..........",  ".kwwwwk.........", ".kwwwwwk........",
    ".kwwkkkk........", ".kwk.............", ".kk.....nnnnnnn.", ".k......n.....n.",
    "........n.....n.", "........nnnnnnn.",  "................", "nnnnnnnnnnnnnnnn"};

const char* const* PictureOf(GlyphKind kind) {
    switch (kind) {
    case GlyphKind::Font:
        return FontPicture;
    case GlyphKind::Color:
        return ColorPicture;
    default:
        return HotTrackPicture;
    }
}

// Draws with every colour replaced by `ink` when it is set (the shape's mask).
class GlyphPainter {
public:
    GlyphPainter(HDC dc, int size, COLORREF ink) : dc_(dc), size_(size), ink_(ink) {}

    // Shapes are laid out on a 16-unit square and placed at the glyph's size.
    int At(double units) const { return static_cast<int>(std::lround(units * size_ / 16.0)); }

    void Box(double left, double top, double right, double bottom, COLORREF color) const {
        const RECT r{At(left), At(top), At(right), At(bottom)};
        const UniqueBrush brush(::CreateSolidBrush(Color(color)));
        ::FillRect(dc_, &r, brush.get());
    }
    void Frame(double left, double top, double right, double bottom, double width,
               COLORREF color) const {
        Box(left, top, right, top + width, color);
        Box(left, bottom - width, right, bottom, color);
        Box(left, top, left + width, bottom, color);
        Box(right - width, top, right, bottom, color);
    }
    // A filled polygon, outlined when `outline` is a colour.
    void Shape(std::initializer_list<std::pair<double, double>> points, COLORREF fill,
               COLORREF outline = CLR_INVALID) const {
        std::vector<POINT> at;
        for (const auto& [x, y] : points)
            at.push_back(POINT{At(x), At(y)});
        const UniqueBrush brush(::CreateSolidBrush(Color(fill)));
        const UniquePen pen(outline == CLR_INVALID
                                ? nullptr
                                : ::CreatePen(PS_SOLID, std::max(1, size_ / 16), Color(outline)));
        const SelectedObject selectedBrush(dc_, brush.get());
        const SelectedObject selectedPen(dc_, pen ? static_cast<HGDIOBJ>(pen.get())
                                                  : ::GetStockObject(NULL_PEN));
        ::Polygon(dc_, at.data(), static_cast<int>(at.size()));
    }

private:
    COLORREF Color(COLORREF color) const { return ink_ != CLR_INVALID ? ink_ : color; }

    HDC dc_;
    int size_;
    COLORREF ink_;
};

void DrawShapes(GlyphKind kind, const GlyphPainter& p) {
    switch (kind) {
    case GlyphKind::Font:
        p.Shape({{6, 2}, {9, 2}, {5, 11.5}, {3, 11.5}}, PaletteColor('k'));
        p.Shape({{6, 2}, {9, 2}, {12, 11.5}, {10, 11.5}}, PaletteColor('k'));
        p.Box(4, 7, 11, 8.5, PaletteColor('k'));
        p.Box(1, 11, 5, 12.5, PaletteColor('k'));
        p.Box(10, 11, 14, 12.5, PaletteColor('k'));
        p.Box(0, 13, 15, 14, PaletteColor('b'));
        break;
    case GlyphKind::Color:
        p.Box(1, 1, 16, 14, PaletteColor('k'));
        p.Box(2, 2, 8, 7, PaletteColor('r'));
        p.Box(9, 2, 15, 7, PaletteColor('g'));
        p.Box(2, 8, 8, 13, PaletteColor('b'));
        p.Box(9, 8, 15, 13, PaletteColor('y'));
        break;
    default:
        p.Shape({{1.5, 1.5}, {1.5, 11}, {4, 8.5}, {8, 8.5}}, PaletteColor('w'), PaletteColor('k'));
        p.Frame(8, 10, 15, 14, 1, PaletteColor('n'));
        p.Box(0, 15, 16, 16, PaletteColor('n'));
        break;
    }
}

// The normal picture with its top left at (0, 0), in its colours or in `ink`.
void DrawPicture(HDC dc, GlyphKind kind, int size, COLORREF ink) {
    if (size != GlyphSize) {
        DrawShapes(kind, GlyphPainter(dc, size, ink));
        return;
    }
    const char* const* picture = PictureOf(kind);
    for (int y = 0; y < GlyphSize; ++y) {
        for (int x = 0; x < GlyphSize; ++x) {
            const COLORREF color = PaletteColor(picture[y][x]);
            if (color != CLR_INVALID)
                ::SetPixel(dc, x, y, ink != CLR_INVALID ? ink : color);
        }
    }
}

} // namespace

UniqueBitmap MakeGlyph(GlyphKind kind, int size) {
    size = std::max(size, 1);
    const WindowDC screen(nullptr);
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), 2 * size, size));
    MemoryDC dc(screen.get());
    const SelectedObject selected(dc.get(), bitmap.get());
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    RECT all{0, 0, 2 * size, size};
    UniqueBrush faceBrush(::CreateSolidBrush(face));
    ::FillRect(dc.get(), &all, faceBrush.get());
    DrawPicture(dc.get(), kind, size, CLR_INVALID);

    // The shape alone, black on white, whatever colours the face has.
    UniqueBitmap maskBitmap(::CreateCompatibleBitmap(screen.get(), size, size));
    MemoryDC mask(screen.get());
    const SelectedObject selectedMask(mask.get(), maskBitmap.get());
    RECT square{0, 0, size, size};
    ::FillRect(mask.get(), &square, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    DrawPicture(mask.get(), kind, size, RGB(0, 0, 0));
    std::vector<bool> inked(static_cast<size_t>(size) * static_cast<size_t>(size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            inked[static_cast<size_t>(y * size + x)] = ::GetPixel(mask.get(), x, y) == RGB(0, 0, 0);

    // Disabled: the shape embossed, highlight offset below right.
    for (int y = 0; y + 1 < size; ++y)
        for (int x = 0; x + 1 < size; ++x)
            if (inked[static_cast<size_t>(y * size + x)])
                ::SetPixel(dc.get(), size + x + 1, y + 1, highlight);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (inked[static_cast<size_t>(y * size + x)])
                ::SetPixel(dc.get(), size + x, y, shadow);
    return bitmap;
}

} // namespace corvane::win32::editor

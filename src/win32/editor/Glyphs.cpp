#include "win32/editor/Glyphs.h"

#include <cstdint>

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

} // namespace

UniqueBitmap MakeGlyph(GlyphKind kind) {
    const WindowDC screen(nullptr);
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), 2 * GlyphSize, GlyphSize));
    MemoryDC dc(screen.get());
    const SelectedObject selected(dc.get(), bitmap.get());
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    RECT all{0, 0, 2 * GlyphSize, GlyphSize};
    UniqueBrush faceBrush(::CreateSolidBrush(face));
    ::FillRect(dc.get(), &all, faceBrush.get());
    const char* const* picture = PictureOf(kind);
    for (int y = 0; y < GlyphSize; ++y) {
        for (int x = 0; x < GlyphSize; ++x) {
            const COLORREF color = PaletteColor(picture[y][x]);
            if (color == CLR_INVALID)
                continue;
            ::SetPixel(dc.get(), x, y, color);
            // Disabled: the shape embossed, highlight offset below right.
            if (x + 1 < GlyphSize && y + 1 < GlyphSize)
                ::SetPixel(dc.get(), GlyphSize + x + 1, y + 1, highlight);
        }
    }
    for (int y = 0; y < GlyphSize; ++y) {
        for (int x = 0; x < GlyphSize; ++x) {
            if (PaletteColor(picture[y][x]) != CLR_INVALID)
                ::SetPixel(dc.get(), GlyphSize + x, y, shadow);
        }
    }
    return bitmap;
}

} // namespace corvane::win32::editor

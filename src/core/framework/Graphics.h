#pragma once
// Plain graphics values shared by the core and the platform layers.

#include <cstdint>
#include <string>

namespace corvane {

// A framework colour: 0x00BBGGRR for a direct colour, or 0x80000000 plus a
// system colour index (the same encoding as OLE_COLOR).
using TColor = uint32_t;

constexpr TColor SystemColor(int index) {
    return 0x80000000u | static_cast<uint32_t>(index);
}
constexpr bool IsSystemColor(TColor color) {
    return (color & 0xFF000000u) == 0x80000000u;
}

constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clNavy = 0x00800000u;
constexpr TColor clBlack = 0x00000000u;

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint& o) const { return X == o.X && Y == o.Y; }
    bool operator!=(const TPoint& o) const { return !(*this == o); }
};

// Right and bottom edges are exclusive.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Contains(TPoint p) const {
        return Left <= p.X && p.X < Right && Top <= p.Y && p.Y < Bottom;
    }
    void Inflate(int dx, int dy) {
        Left -= dx;
        Top -= dy;
        Right += dx;
        Bottom += dy;
    }
    bool operator==(const TRect& o) const {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
    bool operator!=(const TRect& o) const { return !(*this == o); }
};

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// The caption font. Height is in pixels as the platform takes it (negative:
// character height, the usual form).
struct TFont {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    uint8_t Style = 0;   // TFontStyle bits
    uint8_t Charset = 1; // DEFAULT_CHARSET
    TColor Color = clWindowText;
    bool operator==(const TFont& o) const {
        return Name == o.Name && Height == o.Height && Style == o.Style && Charset == o.Charset &&
               Color == o.Color;
    }
    bool operator!=(const TFont& o) const { return !(*this == o); }
};

enum class TPenStyle : uint8_t { Solid, Dot };
enum class TPenMode : uint8_t { Copy, Not };
enum class TBrushStyle : uint8_t { Solid, Clear };

struct TPen {
    TColor Color = clBlack;
    TPenStyle Style = TPenStyle::Solid;
    TPenMode Mode = TPenMode::Copy;
    int Width = 1;
    bool operator==(const TPen& o) const {
        return Color == o.Color && Style == o.Style && Mode == o.Mode && Width == o.Width;
    }
};

// Text format flags of DrawTextEx, as the platform defines them.
enum : unsigned {
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_END_ELLIPSIS = 0x8000,
};

// DrawEdge edge and border flags, as the platform defines them.
enum : unsigned {
    BDR_RAISEDOUTER = 0x1,
    BDR_SUNKENOUTER = 0x2,
    BDR_RAISEDINNER = 0x4,
    BDR_SUNKENINNER = 0x8,
    BF_LEFT = 0x1,
    BF_TOP = 0x2,
    BF_RIGHT = 0x4,
    BF_BOTTOM = 0x8,
    BF_TOPLEFT = BF_TOP | BF_LEFT,
    BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
    BF_MIDDLE = 0x800,
};

} // namespace corvane

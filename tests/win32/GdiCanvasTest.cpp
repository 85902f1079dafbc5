// The GDI canvas the header paints with: every operation checked by reading
// the pixels it put into a DIB.
#include "win32/GdiCanvas.h"
#include "DibSurface.h"
#include "PixelMatch.h"

#include <gtest/gtest.h>

namespace corvane::win32 {
namespace {

using testing::CloseTo;
using testing::DibSurface;
using testing::Inverted;
using testing::Is;
using testing::IsNot;

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Background = RGB(0x33, 0x66, 0x99);

TEST(GdiCanvasFill, SolidBrushFillsExactlyTheRectangle) {
    DibSurface s(20, 20);
    s.Fill(White);
    TGdiCanvas canvas;
    const CanvasBinding bind(canvas, s.dc());
    canvas.SetBrushColor(0x00123456);
    canvas.FillRect(TRect{2, 3, 10, 8});
    EXPECT_EQ(s.Pixel(2, 3), 0x00123456u);
    EXPECT_EQ(s.Pixel(9, 7), 0x00123456u);
    EXPECT_EQ(s.Pixel(10, 7), White); // right edge exclusive
    EXPECT_EQ(s.Pixel(9, 8), White);  // bottom edge exclusive
    EXPECT_EQ(s.Pixel(1, 3), White);
    EXPECT_EQ(s.Count(RECT{0, 0, 20, 20}, Is(0x00123456)), 8 * 5);
}

TEST(GdiCanvasFill, SystemColoursAreResolvedThroughTheSystem) {
    DibSurface s(30, 10);
    s.Fill(White);
    TGdiCanvas canvas;
    const CanvasBinding bind(canvas, s.dc());
    canvas.SetBrushColor(clBtnShadow);
    canvas.FillRect(TRect{0, 0, 10, 10});
    canvas.SetBrushColor(clBtnFace);
    canvas.FillRect(TRect{10, 0, 20, 10});
    canvas.SetBrushColor(clWindowFrame);
    canvas.FillRect(TRect{20, 0, 30, 10});
    EXPECT_EQ(s.Pixel(5, 5), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(s.Pixel(15, 5), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(s.Pixel(25, 5), ::GetSysColor(COLOR_WINDOWFRAME));
}

TEST(GdiCanvasFill, ClearBrushFillsNothing) {
    DibSurface s(10, 10);
    s.Fill(Background);
    TGdiCanvas canvas;
    const CanvasBinding bind(canvas, s.dc());
    canvas.SetBrushColor(RGB(255, 0, 0));
    canvas.SetBrushStyle(TBrushStyle::Clear);
    canvas.FillRect(TRect{0, 0, 10, 10});
    EXPECT_EQ(s.Count(RECT{0, 0, 10, 10}, IsNot(Background)), 0);
}

TEST(GdiCanvasLines, LineToStopsBeforeItsEndPoint) {
    DibSurface s(20, 20);
    s.Fill(White);
    TGdiCanvas canvas;
    const CanvasBinding bind(canvas, s.dc());
    canvas.SetPen(TPen{RGB(0, 0, 255), TPenStyle::Solid, TPenMode::Copy, 1});
    canvas.MoveTo(2, 10);
    canvas.LineTo(12, 10);
    EXPECT_EQ(s.Pixel(2, 10), RGB(0, 0, 255));
    EXPECT_EQ(s.Pixel(11, 10), RGB(0, 0, 255));
    EXPECT_EQ(s.Pixel(12, 10), White);
    EXPECT_EQ(s.Count(RECT{0, 0, 20, 20}, Is(RGB(0, 0, 255))), 10);
}

TEST(GdiCanvasLines, DottedNotPenInvertsEveryOtherRunAndUndoesItself) {
    DibSurface s(10, 40);
    s.Fill(Background);
    TGdiCanvas canvas;
    const CanvasBinding bind(canvas, s.dc());
    // A paint leaves the brush clear; with a solid one GDI fills the gaps of
    // a styled pen with the background colour, which NOT mode inverts too.
    canvas.SetBrushStyle(TBrushStyle::Clear);
    const TPen old = canvas.Pen();
    canvas.SetPen(TPen{old.Color, TPenStyle::Dot, TPenMode::Not, 1});
    canvas.MoveTo(5, 0);
    canvas.LineTo(5, 40);
    const RECT column{5, 0, 6, 40};
    const int inverted = s.Count(column, Is(Inverted(Background)));
    EXPECT_GT(inverted, 5);                                    // drawn
    EXPECT_EQ(s.Count(column, Is(Background)), 40 - inverted); // dotted: gaps left alone
    EXPECT_GT(40 - inverted, 5);
    EXPECT_EQ(s.Count(RECT{0, 0, 5, 40}, IsNot(Background)), 0);
    EXPECT_EQ(s.Count(RECT{6, 0, 10, 40}, IsNot(Background)), 0);

    canvas.MoveTo(5, 0);
    canvas.LineTo(5, 40);
    EXPECT_EQ(s.Count(RECT{0, 0, 10, 40}, IsNot(Background)), 0);

    canvas.SetPen(old);
    EXPECT_EQ(canvas.Pen(), old);
    EXPECT_EQ(::GetROP2(s.dc()), R2_COPYPEN);
}

TEST(GdiCanvasLines, WideNotPenInvertsAFiveColumnBand) {
    DibSurface s(20, 20);
    s.Fill(Background);
    TGdiCanvas canvas;
    const CanvasBinding bind(canvas, s.dc());
    canvas.SetPen(TPen{clBlack, TPenStyle::Dot, TPenMode::Not, 5});
    canvas.MoveTo(10, 2);
    canvas.LineTo(10, 18);
    const RECT row{0, 10, 20, 11};
    EXPECT_EQ(s.Count(row, Is(Inverted(Background))), 5);
    EXPECT_EQ(s.FirstColumn(row, Is(Inverted(Background))), 8);
}

TEST(GdiCanvasShapes, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    DibSurface s(20, 20);
    s.Fill(White);
    TGdiCanvas canvas;
    const CanvasBinding bind(canvas, s.dc());
    canvas.SetPen(TPen{RGB(0, 0, 0), TPenStyle::Solid, TPenMode::Copy, 1});
    canvas.SetBrushColor(RGB(0, 255, 0));
    canvas.Rectangle(TRect{2, 2, 12, 10});
    EXPECT_EQ(s.Pixel(2, 2), RGB(0, 0, 0));
    EXPECT_EQ(s.Pixel(11, 9), RGB(0, 0, 0));
    EXPECT_EQ(s.Pixel(12, 9), White);
    EXPECT_EQ(s.Pixel(5, 5), RGB(0, 255, 0));
    EXPECT_EQ(s.Count(RECT{0, 0, 20, 20}, Is(RGB(0, 255, 0))), 8 * 6);
}

TEST(GdiCanvasShapes, RaisedEdgeIsLightTopLeftAndDarkBottomRight) {
    DibSurface s(20, 20);
    s.Fill(White);
    TGdiCanvas canvas;
    const CanvasBinding bind(canvas, s.dc());
    canvas.DrawEdge(TRect{0, 0, 20, 20}, BDR_RAISEDINNER, BF_TOPLEFT | BF_BOTTOMRIGHT | BF_MIDDLE);
    EXPECT_EQ(s.Pixel(0, 10), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(s.Pixel(10, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(s.Pixel(19, 10), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(s.Pixel(10, 19), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(s.Pixel(10, 10), ::GetSysColor(COLOR_BTNFACE)); // BF_MIDDLE
}

TEST(GdiCanvasShapes, SunkenOuterEdgeIsDarkTopLeft) {
    DibSurface s(20, 20);
    s.Fill(White);
    TGdiCanvas canvas;
    const CanvasBinding bind(canvas, s.dc());
    canvas.DrawEdge(TRect{0, 0, 20, 20}, BDR_SUNKENOUTER, BF_TOPLEFT);
    EXPECT_EQ(s.Pixel(0, 10), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(s.Pixel(19, 10), White);
}

// The columns that hold text-coloured pixels.
struct Ink {
    int first;
    int last;
};

Ink InkColumns(const DibSurface& s, COLORREF text) {
    const RECT all{0, 0, s.width(), s.height()};
    const auto first = s.FirstColumn(all, CloseTo(text));
    const auto last = s.LastColumn(all, CloseTo(text));
    EXPECT_TRUE(first && last) << "no text was drawn";
    return Ink{first.value_or(-1), last.value_or(-1)};
}

TEST(GdiCanvasText, AlignmentFlagsPlaceTheCaption) {
    const TRect box{0, 0, 200, 20};
    for (unsigned align : {DT_LEFT, DT_RIGHT, DT_CENTER}) {
        DibSurface s(200, 20);
        s.Fill(White);
        TGdiCanvas canvas;
        const CanvasBinding bind(canvas, s.dc());
        canvas.SetFontColor(RGB(0, 0, 0));
        canvas.SetBrushStyle(TBrushStyle::Clear);
        canvas.DrawTextEx("Abc", box, align | DT_SINGLELINE | DT_VCENTER);
        const Ink ink = InkColumns(s, RGB(0, 0, 0));
        const int width = ink.last - ink.first + 1;
        EXPECT_GT(width, 8);
        EXPECT_LT(width, 40);
        if (align == DT_LEFT) {
            EXPECT_LE(ink.first, 2);
        } else if (align == DT_RIGHT) {
            EXPECT_GE(ink.last, 196);
        } else {
            EXPECT_NEAR((ink.first + ink.last) / 2.0, 100.0, 3.0);
        }
    }
}

TEST(GdiCanvasText, WordBreakWrapsAndSingleLineWithEllipsisStaysOnOneLine) {
    const std::string caption = "one two three four five six";
    const TRect box{0, 0, 60, 80};
    DibSurface wrapped(60, 80);
    DibSurface single(60, 80);
    for (DibSurface* s : {&wrapped, &single}) {
        s->Fill(White);
        TGdiCanvas canvas;
        const CanvasBinding bind(canvas, s->dc());
        canvas.SetFontColor(RGB(0, 0, 0));
        canvas.SetBrushStyle(TBrushStyle::Clear);
        canvas.DrawTextEx(caption, box,
                          s == &wrapped ? DT_LEFT | DT_WORDBREAK
                                        : DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    const RECT all{0, 0, 60, 80};
    const auto dark = CloseTo(RGB(0, 0, 0));
    // Several lines from the top down.
    EXPECT_LE(wrapped.FirstRow(all, dark).value_or(99), 3);
    EXPECT_GT(wrapped.LastRow(all, dark).value_or(0), 30);
    // One line around the middle, cut before the right edge.
    const int top = single.FirstRow(all, dark).value_or(0);
    const int bottom = single.LastRow(all, dark).value_or(99);
    EXPECT_LT(bottom - top, 16);
    EXPECT_NEAR((top + bottom) / 2.0, 40.0, 4.0);
    EXPECT_LT(single.LastColumn(all, dark).value_or(99), 60);
}

TEST(GdiCanvasText, ClearBrushKeepsTheBackgroundAndSolidBrushPaintsBehindText) {
    const TRect box{0, 0, 80, 20};
    DibSurface clear(80, 20);
    DibSurface solid(80, 20);
    for (DibSurface* s : {&clear, &solid}) {
        s->Fill(Background);
        TGdiCanvas canvas;
        const CanvasBinding bind(canvas, s->dc());
        canvas.SetBrushColor(RGB(255, 0, 0));
        if (s == &clear)
            canvas.SetBrushStyle(TBrushStyle::Clear);
        canvas.SetFontColor(RGB(255, 255, 255));
        canvas.DrawTextEx("Wxyz", box, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    }
    const RECT all{0, 0, 80, 20};
    EXPECT_EQ(clear.Count(all, Is(RGB(255, 0, 0))), 0);
    EXPECT_GT(clear.Count(all, CloseTo(RGB(255, 255, 255))), 10);
    EXPECT_GT(solid.Count(all, Is(RGB(255, 0, 0))), 20);
}

TEST(GdiCanvasText, FontColourAndSystemTextColour) {
    DibSurface s(80, 40);
    s.Fill(White);
    TGdiCanvas canvas;
    const CanvasBinding bind(canvas, s.dc());
    canvas.SetBrushStyle(TBrushStyle::Clear);
    canvas.SetFontColor(clNavy);
    canvas.DrawTextEx("HHHH", TRect{0, 0, 80, 20}, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    EXPECT_GT(s.Count(RECT{0, 0, 80, 20}, CloseTo(RGB(0, 0, 0x80))), 10);
    canvas.SetFontColor(clWindowText);
    canvas.DrawTextEx("HHHH", TRect{0, 20, 80, 40}, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    EXPECT_GT(s.Count(RECT{0, 20, 80, 40}, CloseTo(::GetSysColor(COLOR_WINDOWTEXT))), 10);
}

int InkHeight(const TFont* font) {
    DibSurface s(100, 60);
    s.Fill(White);
    TGdiCanvas canvas;
    if (font != nullptr) {
        // Set while attached elsewhere: the font must follow the canvas, not the DC.
        DibSurface other(4, 4);
        const CanvasBinding first(canvas, other.dc());
        canvas.SetFont(*font);
    }
    const CanvasBinding bind(canvas, s.dc());
    canvas.SetFontColor(RGB(0, 0, 0));
    canvas.SetBrushStyle(TBrushStyle::Clear);
    canvas.DrawTextEx("H", TRect{0, 0, 100, 60}, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    const RECT all{0, 0, 100, 60};
    const auto dark = CloseTo(RGB(0, 0, 0));
    return s.LastRow(all, dark).value_or(0) - s.FirstRow(all, dark).value_or(0) + 1;
}

TEST(GdiCanvasText, FontStaysWithTheCanvasAcrossDeviceContexts) {
    TFont big;
    big.Height = -32;
    big.Style = fsBold;
    const int normal = InkHeight(nullptr);
    const int large = InkHeight(&big);
    EXPECT_GT(normal, 4);
    EXPECT_GT(large, normal * 2);
}

TEST(GdiCanvasBinding, DetachGivesTheDcBackItsOwnObjectsAndModes) {
    DibSurface s(10, 10);
    const HGDIOBJ font = ::GetCurrentObject(s.dc(), OBJ_FONT);
    const HGDIOBJ pen = ::GetCurrentObject(s.dc(), OBJ_PEN);
    const HGDIOBJ brush = ::GetCurrentObject(s.dc(), OBJ_BRUSH);
    {
        TGdiCanvas canvas;
        const CanvasBinding bind(canvas, s.dc());
        canvas.SetPen(TPen{clBlack, TPenStyle::Dot, TPenMode::Not, 3});
        canvas.SetBrushColor(RGB(1, 2, 3));
        canvas.SetBrushStyle(TBrushStyle::Clear);
        TFont f;
        f.Height = -20;
        canvas.SetFont(f);
        EXPECT_NE(::GetCurrentObject(s.dc(), OBJ_PEN), pen);
        EXPECT_EQ(::GetROP2(s.dc()), R2_NOT);
        EXPECT_EQ(::GetBkMode(s.dc()), TRANSPARENT);
    }
    EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_FONT), font);
    EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_PEN), pen);
    EXPECT_EQ(::GetCurrentObject(s.dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(::GetROP2(s.dc()), R2_COPYPEN);
    EXPECT_EQ(::GetBkMode(s.dc()), OPAQUE);
}

TEST(GdiCanvasBinding, DrawingWithoutADcDoesNothing) {
    TGdiCanvas canvas;
    canvas.SetBrushColor(RGB(1, 2, 3));
    canvas.FillRect(TRect{0, 0, 5, 5});
    canvas.DrawTextEx("x", TRect{0, 0, 5, 5}, 0);
    canvas.MoveTo(0, 0);
    canvas.LineTo(3, 3);
    EXPECT_FALSE(canvas.Attached());
    EXPECT_EQ(canvas.BrushColor(), 0x00030201u);
}

} // namespace
} // namespace corvane::win32

// The header painted through the GDI canvas: faces, bevels and frames where
// they belong in both face styles, captions placed by alignment and word
// wrap, the hot-track colour, and what the window shows after WM_PAINT.
#include "HeaderFixture.h"
#include "ModalWatch.h"
#include "PixelMatch.h"

namespace corvane::win32::testing {
namespace {

constexpr COLORREF Face = RGB(200, 220, 240);

using StrativPaintNew = HeaderFixture;

TEST_F(StrativPaintNew, ButtonFaceEdgesSitOnTheSectionBorder) {
    // Section A covers (0, 20)-(100, 60).
    const auto image = Rendering();
    EXPECT_EQ(image->Pixel(0, 40), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(image->Pixel(50, 20), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(image->Pixel(99, 40), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(image->Pixel(50, 59), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(image->Pixel(98, 40), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(image->Pixel(50, 58), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(image->Pixel(1, 40), Sys(COLOR_BTNFACE));
    // The group above spans A and B: its right edge is B's.
    EXPECT_EQ(image->Pixel(199, 10), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(image->Pixel(100, 10), Sys(COLOR_BTNFACE)); // no edge inside the group
    // C takes the rest of the client area.
    EXPECT_EQ(image->Pixel(200, 30), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(image->Pixel(ClientWidth - 1, 30), Sys(COLOR_3DDKSHADOW));
}

TEST_F(StrativPaintNew, BevelAndBorderSettingsChangeNothing) {
    const auto plain = Rendering();
    control->SetBevelOuter(bvLowered);
    control->SetBevelInner(bvRaised);
    control->SetBevelWidth(3);
    control->SetBorderWidth(4);
    const auto bevelled = Rendering();
    EXPECT_EQ(Differences(*plain, *bevelled), 0);
}

class StrativPaintWin31 : public HeaderFixture {
protected:
    void SetUp() override {
        HeaderFixture::SetUp();
        control->SetHeaderstyle(bsWin31);
        control->SetColor(Face);
        control->SetBevelOuter(bvRaised);
        control->SetBevelInner(bvLowered);
        control->SetBevelWidth(2);
        control->SetBorderWidth(3);
    }
};

TEST_F(StrativPaintWin31, ThreeFramesNestFromTheSectionBorderInwards) {
    // Section A covers (0, 20)-(100, 60).
    const auto image = Rendering();
    const COLORREF light = Sys(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = Sys(COLOR_BTNSHADOW);
    // Outer raised bevel, two pixels: light top-left, dark bottom-right.
    for (int k : {0, 1}) {
        EXPECT_EQ(image->Pixel(k, 40), light) << k;
        EXPECT_EQ(image->Pixel(50, 20 + k), light) << k;
        EXPECT_EQ(image->Pixel(99 - k, 40), dark) << k;
        EXPECT_EQ(image->Pixel(50, 59 - k), dark) << k;
    }
    // Flat border, three pixels, in the control's colour.
    for (int k : {2, 3, 4}) {
        EXPECT_EQ(image->Pixel(k, 40), Face) << k;
        EXPECT_EQ(image->Pixel(99 - k, 40), Face) << k;
    }
    // Inner lowered bevel, two pixels: dark top-left, light bottom-right.
    for (int k : {5, 6}) {
        EXPECT_EQ(image->Pixel(k, 40), dark) << k;
        EXPECT_EQ(image->Pixel(50, 20 + k), dark) << k;
        EXPECT_EQ(image->Pixel(99 - k, 40), light) << k;
        EXPECT_EQ(image->Pixel(50, 59 - k), light) << k;
    }
    EXPECT_EQ(image->Pixel(7, 40), Face);
    // The bottom-right pen finishes each frame: the corners are dark.
    EXPECT_EQ(image->Pixel(0, 59), dark);
    EXPECT_EQ(image->Pixel(99, 20), dark);
}

TEST_F(StrativPaintWin31, BevelWidthAndKindMoveTheFrames) {
    control->SetBevelInner(bvNone);
    control->SetBevelOuter(bvLowered);
    control->SetBevelWidth(1);
    control->SetBorderWidth(0);
    const auto image = Rendering();
    EXPECT_EQ(image->Pixel(0, 40), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(image->Pixel(99, 40), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(image->Pixel(1, 40), Face);
    EXPECT_EQ(image->Pixel(98, 40), Face);
}

// Columns and rows of caption ink inside a rectangle.
struct InkBox {
    int left = -1, top = -1, right = -1, bottom = -1;
};

InkBox Ink(const DibSurface& image, const RECT& area, COLORREF text) {
    InkBox box;
    const auto match = CloseTo(text);
    box.left = image.FirstColumn(area, match).value_or(-1);
    box.right = image.LastColumn(area, match).value_or(-1);
    box.top = image.FirstRow(area, match).value_or(-1);
    box.bottom = image.LastRow(area, match).value_or(-1);
    return box;
}

// Inside A's button face, away from its edges.
constexpr RECT InsideA{2, 22, 98, 58};

using StrativCaption = HeaderFixture;

TEST_F(StrativCaption, AlignmentPlacesTheCaptionInsideTheFace) {
    THeaderColumns* a = Section("A");
    a->SetCaption("Abc");
    a->SetAlignment(taLeftJustify);
    const InkBox left = Ink(*Rendering(), InsideA, RGB(0, 0, 0));
    a->SetAlignment(taRightJustify);
    const InkBox right = Ink(*Rendering(), InsideA, RGB(0, 0, 0));
    a->SetAlignment(taCenter);
    const InkBox centre = Ink(*Rendering(), InsideA, RGB(0, 0, 0));

    ASSERT_NE(left.left, -1);
    // Text area is the section inset by 2: x from 2 to 98.
    EXPECT_GE(left.left, 2);
    EXPECT_LE(left.left, 4);
    EXPECT_LE(right.right, 97);
    EXPECT_GE(right.right, 94);
    EXPECT_NEAR((centre.left + centre.right) / 2.0, 50.0, 2.0);
    // Same text, same width wherever it goes.
    EXPECT_EQ(left.right - left.left, right.right - right.left);
    EXPECT_EQ(left.right - left.left, centre.right - centre.left);
    // Single-line captions are centred vertically in y 22..58.
    EXPECT_NEAR((left.top + left.bottom) / 2.0, 40.0, 3.0);
}

TEST_F(StrativCaption, WordWrapBreaksAtWordsFromTheTopTwoPixelsFurtherIn) {
    THeaderColumns* a = Section("A");
    a->SetCaption("Wide caption that wraps");
    const InkBox single = Ink(*Rendering(), InsideA, RGB(0, 0, 0));
    a->SetWordwrap(true);
    const InkBox wrapped = Ink(*Rendering(), InsideA, RGB(0, 0, 0));

    ASSERT_NE(single.left, -1);
    ASSERT_NE(wrapped.left, -1);
    EXPECT_EQ(wrapped.left, single.left + 2);
    // From the top of the text area (22 + 2), on more than one line.
    EXPECT_GE(wrapped.top, 24);
    EXPECT_LE(wrapped.top, 29);
    EXPECT_GT(wrapped.bottom - wrapped.top, (single.bottom - single.top) * 2);
    // The single line is cut with an ellipsis before the face's right edge.
    EXPECT_LE(single.right, 97);
    EXPECT_LT(single.bottom - single.top, 14);
}

TEST_F(StrativCaption, HotSectionCaptionTakesTheHotTrackColour) {
    MouseMove(50, 40); // onto A
    ASSERT_EQ(control->HotSection(), Section("A"));
    const auto image = Rendering();
    const COLORREF navy = RGB(0, 0, 0x80);
    EXPECT_GT(image->Count(InsideA, CloseTo(navy)), 5);
    EXPECT_EQ(image->Count(InsideA, CloseTo(RGB(0, 0, 0))), 0);
    const RECT insideB{102, 22, 198, 58};
    EXPECT_GT(image->Count(insideB, CloseTo(RGB(0, 0, 0))), 5);
    EXPECT_EQ(image->Count(insideB, CloseTo(navy)), 0);

    control->SetOptions(AllHeaderOptions & ~hoHotTrack);
    const auto plain = Rendering();
    EXPECT_EQ(plain->Count(InsideA, CloseTo(navy)), 0);
    EXPECT_GT(plain->Count(InsideA, CloseTo(RGB(0, 0, 0))), 5);
}

using StrativWindowPaint = HeaderFixture;

TEST_F(StrativWindowPaint, WmPaintShowsWhatPaintToDraws) {
    for (bool doubleBuffered : {false, true}) {
        control->SetDoubleBuffered(doubleBuffered);
        // Scribble over the window, then let WM_PAINT repair it.
        {
            const WindowDC dc(hwnd());
            const RECT all{0, 0, ClientWidth, ClientHeight};
            ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        }
        ::InvalidateRect(hwnd(), nullptr, FALSE);
        ::UpdateWindow(hwnd());
        EXPECT_EQ(Differences(*Screenshot(), *Rendering()), 0) << doubleBuffered;
    }
}

TEST_F(StrativWindowPaint, AClientTooLargeForABufferIsPaintedDirectlyWithoutABox) {
    // As large as a window gets (the system cuts the size at 32767): an
    // off-screen bitmap of that size (4 GB) cannot be had.
    control->SetDoubleBuffered(true);
    control->SetClientSize(0x10000000, 0x10000000);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    {
        const WindowDC dc(hwnd());
        if (const HBITMAP made = ::CreateCompatibleBitmap(dc.get(), client.right, client.bottom)) {
            ::DeleteObject(made);
            GTEST_SKIP() << "this system makes a bitmap of " << client.right << " x "
                         << client.bottom;
        }
    }
    const MessageBoxWatch boxes;
    {
        const WindowDC dc(hwnd());
        const RECT seen{0, 0, ClientWidth, ClientHeight};
        ::FillRect(dc.get(), &seen, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    ::UpdateWindow(hwnd());
    EXPECT_TRUE(boxes.Seen().empty()) << boxes.Seen().front().text;
    EXPECT_EQ(Differences(*Screenshot(), *Rendering()), 0);
}

TEST_F(StrativWindowPaint, PrintClientPaintsIntoTheGivenDc) {
    DibSurface printed(ClientWidth, ClientHeight);
    Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()), PRF_CLIENT);
    EXPECT_EQ(Differences(printed, *Rendering()), 0);
}

TEST_F(StrativWindowPaint, PaintToHonoursTheOrigin) {
    DibSurface big(ClientWidth + 20, ClientHeight + 10);
    big.Fill(RGB(1, 2, 3));
    window->PaintTo(big.dc(), 20, 10);
    EXPECT_EQ(big.Pixel(19, 30), RGB(1, 2, 3));
    EXPECT_EQ(big.Pixel(20, 40), Sys(COLOR_BTNHIGHLIGHT)); // A's left edge
    EXPECT_EQ(big.Pixel(20 + 99, 40), Sys(COLOR_3DDKSHADOW));
}

TEST_F(StrativWindowPaint, HotTrackRepaintGoesStraightToTheWindowInTheSameFont) {
    ::ValidateRect(hwnd(), nullptr);
    MouseMove(50, 40); // A becomes hot and is repainted at once
    const auto shot = Screenshot();
    const COLORREF navy = RGB(0, 0, 0x80);
    const InkBox onScreen = Ink(*shot, InsideA, navy);
    const InkBox painted = Ink(*Rendering(), InsideA, navy);
    ASSERT_NE(onScreen.left, -1);
    EXPECT_EQ(onScreen.left, painted.left);
    EXPECT_EQ(onScreen.right, painted.right);
    EXPECT_EQ(onScreen.top, painted.top);
    EXPECT_EQ(onScreen.bottom, painted.bottom);

    // Leaving the control repaints A in the normal colour.
    Send(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(control->HotSection(), nullptr);
    EXPECT_EQ(Screenshot()->Count(InsideA, CloseTo(navy)), 0);
}

} // namespace
} // namespace corvane::win32::testing

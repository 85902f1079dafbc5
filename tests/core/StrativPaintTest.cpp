// Painting seen through a recording canvas: which sections are painted in
// which order and where, the two face styles call by call, caption formats,
// hot-track colour, and frames far wider than their rectangle compared pixel
// by pixel with the frame loop run in full.

#include "core/control/StrativPaintFace.h"
#include "support/LiteralLayout.h"
#include "support/RandomHeaders.h"
#include "support/StrativTestHeader.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>
#include <vector>

using namespace corvane;
using namespace corvane::testing;

namespace {

using Calls = std::vector<std::string>;

// The captions of the Text calls, in order.
std::vector<std::string> PaintedCaptions(const RecordingCanvas& canvas) {
    std::vector<std::string> out;
    for (const std::string& call : canvas.Only("Text ")) {
        std::istringstream words(call);
        std::string text, caption;
        words >> text >> caption;
        out.push_back(caption);
    }
    return out;
}

Calls PaintAll(TestHeader& t) {
    RecordingCanvas canvas;
    t.header.Paint(canvas);
    return canvas.calls;
}

TEST(StrativPaint, BackgroundThenEachColumnFromTheLeafUp) {
    TestHeader t("P/17(L1:75,L2:75)", 250, 25);
    t.header.SetHeaderstyle(bsNew);
    RecordingCanvas canvas;
    t.header.Paint(canvas);
    const Calls background(canvas.calls.begin(), canvas.calls.begin() + 4);
    EXPECT_EQ(background, (Calls{"Font MS Sans Serif", "Brush 80000005", "FillRect 0,0,250,25",
                                 "BrushStyle clear"}));
    EXPECT_EQ(canvas.Only("Text "),
              (Calls{"Text L1 2,19,73,23 00008024", "Text P 2,2,248,15 00008024",
                     "Text L2 77,19,248,23 00008024"}));
}

TEST(StrativPaint, EachSectionWithSeveralChildrenOnceInItsFirstChildsColumn) {
    TestHeader t("A(B(b1:10,b2:10),C:10),S(s1:10)", 300, 60);
    RecordingCanvas canvas;
    t.header.Paint(canvas);
    EXPECT_EQ(PaintedCaptions(canvas),
              (std::vector<std::string>{"b1", "B", "A", "b2", "C", "s1", "S"}));
}

struct StopCase {
    const char* tree;
    std::vector<std::string> painted;
};

class PaintStops : public ::testing::TestWithParam<StopCase> {};

// A column that ends within 2 pixels of the right edge, or past it, is the
// last one painted; the last column always is.
TEST_P(PaintStops, ColumnsRightOfTheEdgeAreNotPainted) {
    TestHeader t(GetParam().tree, 250, 25);
    RecordingCanvas canvas;
    t.header.Paint(canvas);
    EXPECT_EQ(PaintedCaptions(canvas), GetParam().painted);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, PaintStops,
    ::testing::Values(StopCase{"A:100,B:100,C:10", {"A", "B", "C"}},
                      StopCase{"A:100,B:149,C:10", {"A", "B"}},
                      StopCase{"A:100,B:148,C:10", {"A", "B", "C"}},
                      StopCase{"A:100,B:150,C:10", {"A", "B"}}, StopCase{"A:300,B:10", {"A"}},
                      StopCase{"P(a:2147483647,b:2147483647,c:10)", {"a", "P"}},
                      StopCase{"A:-50,B:100,C:10", {"A", "B", "C"}}));

TEST(StrativPaint, NoSectionsPaintsTheBackgroundOnly) {
    TestHeader t("", 250, 25);
    EXPECT_EQ(PaintAll(t), (Calls{"Font MS Sans Serif", "Brush 80000005", "FillRect 0,0,250,25",
                                  "BrushStyle clear"}));
}

// --- Faces ---------------------------------------------------------------------

Calls PaintOne(TestHeader& t, const char* caption) {
    RecordingCanvas canvas;
    t.header.PaintSection(canvas, t[caption], t.header.SectionRect(t[caption]));
    return canvas.calls;
}

const Calls CaptionCalls{"Brush 00112233", "FillRect 2,2,8,6", "BrushStyle clear",
                         "FontColor 80000008", "Text A 2,2,8,6 00008024"};

// A pressed section is the hot one, so its caption takes the hot-track colour.
const Calls PressedCaptionCalls{"Brush 00112233", "FillRect 2,2,8,6", "BrushStyle clear",
                                "FontColor 00800000", "Text A 2,2,8,6 00008024"};

Calls Join(Calls a, const Calls& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(StrativPaint, ButtonFaceUpThenDownWhenPressed) {
    TestHeader t("A:10", 10, 8);
    t.header.SetColor(0x00112233);
    t.header.SetHeaderstyle(bsNew);
    EXPECT_EQ(PaintOne(t, "A"), Join({"Brush 8000000F", "DrawEdge 0,0,10,8 1 12",
                                      "DrawEdge 0,0,9,7 4 3", "DrawEdge 1,1,9,7 4 2060"},
                                     CaptionCalls));

    t.header.MouseMove(0, 5, 5);              // A becomes hot
    t.header.MouseDown(mbLeft, ssLeft, 5, 5); // and pressed
    EXPECT_EQ(PaintOne(t, "A"), Join({"Brush 8000000F", "DrawEdge 0,0,10,8 8 3",
                                      "DrawEdge 0,0,10,8 2 12", "DrawEdge 1,1,9,7 2 2051"},
                                     PressedCaptionCalls));
}

struct PressCase {
    int x, y;
    const char* sunken; // the one rectangle drawn down
};

class PressedFullPaint : public ::testing::TestWithParam<PressCase> {};

// P/10 over A and B (100 each), then C; client 300 x 30. A full repaint
// while one section is pressed draws that one down and every other one up.
TEST_P(PressedFullPaint, DrawsOnlyThePressedSectionDown) {
    const PressCase& c = GetParam();
    TestHeader t("P/10(A:100,B:100),C:100", 300, 30);
    t.header.SetHeaderstyle(bsNew);
    t.header.MouseMove(0, c.x, c.y); // hot
    t.header.MouseDown(mbLeft, ssLeft, c.x, c.y);
    ASSERT_TRUE(t.header.Pressed());
    RecordingCanvas canvas;
    t.header.Paint(canvas);
    Calls down, up;
    for (const std::string& call : canvas.Only("DrawEdge ")) {
        if (call.size() > 4 && call.compare(call.size() - 4, 4, " 8 3") == 0)
            down.push_back(call);
        if (call.size() > 5 && call.compare(call.size() - 5, 5, " 1 12") == 0)
            up.push_back(call);
    }
    EXPECT_EQ(down, Calls{std::string("DrawEdge ") + c.sunken + " 8 3"});
    EXPECT_EQ(up.size(), 3u); // the other three sections
}

INSTANTIATE_TEST_SUITE_P(Sections, PressedFullPaint,
                         ::testing::Values(PressCase{50, 20, "0,10,100,30"},
                                           PressCase{150, 20, "100,10,200,30"},
                                           PressCase{150, 5, "0,0,200,10"},
                                           PressCase{250, 20, "200,0,300,30"}));

TEST(StrativPaint, NewStyleIgnoresBevelsAndBorder) {
    TestHeader t("A:10", 10, 8);
    t.header.SetHeaderstyle(bsNew);
    const Calls plain = PaintOne(t, "A");
    t.header.SetBevelOuter(bvLowered);
    t.header.SetBevelInner(bvRaised);
    t.header.SetBevelWidth(3);
    t.header.SetBorderWidth(2);
    EXPECT_EQ(PaintOne(t, "A"), plain);
}

// Outer raised, border, inner lowered, each one pixel wide, on (0,0)-(10,8).
TEST(StrativPaint, Win31FramesNestWithTheirColours) {
    TestHeader t("A:10", 10, 8);
    t.header.SetColor(0x00112233);
    t.header.SetHeaderstyle(bsWin31);
    t.header.SetBevelOuter(bvRaised);
    t.header.SetBevelInner(bvLowered);
    t.header.SetBorderWidth(1);
    const Calls outer{"Pen 80000014 solid copy 1", "MoveTo 0,7", "LineTo 0,0", "LineTo 9,0",
                      "Pen 80000010 solid copy 1", "MoveTo 9,0", "LineTo 9,7", "LineTo -1,7"};
    const Calls border{"Pen 00112233 solid copy 1", "MoveTo 1,6", "LineTo 1,1", "LineTo 8,1",
                       "Pen 00112233 solid copy 1", "MoveTo 8,1", "LineTo 8,6", "LineTo 0,6"};
    const Calls inner{"Pen 80000010 solid copy 1", "MoveTo 2,5", "LineTo 2,2", "LineTo 7,2",
                      "Pen 80000014 solid copy 1", "MoveTo 7,2", "LineTo 7,5", "LineTo 1,5"};
    // The frames took 3 pixels a side, the inset BevelWidth + 1 two more.
    const Calls caption{"Brush 00112233", "FillRect 5,5,5,3", "BrushStyle clear",
                        "FontColor 80000008", "Text A 5,5,5,3 00008024"};
    EXPECT_EQ(PaintOne(t, "A"), Join(Join(Join(outer, border), inner), caption));

    // Pressed: both bevels swap their colours; no bevel kind means no frame.
    t.header.SetBevelInner(bvNone);
    t.header.MouseMove(0, 5, 5);
    t.header.MouseDown(mbLeft, ssLeft, 5, 5);
    const Calls drawn = PaintOne(t, "A");
    EXPECT_EQ(Calls(drawn.begin(), drawn.begin() + 5),
              (Calls{"Pen 80000010 solid copy 1", "MoveTo 0,7", "LineTo 0,0", "LineTo 9,0",
                     "Pen 80000014 solid copy 1"}));
    EXPECT_EQ(drawn.size(), outer.size() + border.size() + caption.size());
}

TEST(StrativPaint, OldFaceWithoutNewStyleControls) {
    TestHeader t("A:10", 10, 8);
    t.header.SetColor(0x00112233);
    t.window.newStyleControls = false;
    EXPECT_EQ(PaintOne(t, "A"),
              Join({"Pen 80000006 solid copy 1", "Brush 8000000F", "Rectangle 0,0,10,8",
                    "Pen 80000014 solid copy 1", "MoveTo 1,6", "LineTo 1,1", "LineTo 8,1",
                    "Pen 80000010 solid copy 1", "MoveTo 8,1", "LineTo 8,6", "LineTo 0,6"},
                   CaptionCalls));

    t.header.MouseMove(0, 5, 5);
    t.header.MouseDown(mbLeft, ssLeft, 5, 5);
    EXPECT_EQ(PaintOne(t, "A"),
              Join({"Pen 80000006 solid copy 1", "Brush 8000000F", "Rectangle 0,0,10,8",
                    "Pen 80000010 solid copy 1", "MoveTo 1,6", "LineTo 1,1", "LineTo 9,1"},
                   PressedCaptionCalls));

    // With new-style controls the same style draws the button face.
    t.window.newStyleControls = true;
    EXPECT_EQ(PaintOne(t, "A")[1], "DrawEdge 0,0,10,8 8 3");
}

struct FormatCase {
    TAlignment alignment;
    bool wordwrap;
    const char* text;
};

class CaptionFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(CaptionFormats, AlignmentAndWrappingGiveFormatAndInset) {
    TestHeader t("A:100", 100, 20);
    t.header.SetHeaderstyle(bsNew);
    t["A"]->SetAlignment(GetParam().alignment);
    t["A"]->SetWordwrap(GetParam().wordwrap);
    RecordingCanvas canvas;
    t.header.PaintSection(canvas, t["A"], TRect{0, 0, 100, 20});
    EXPECT_EQ(canvas.Only("Text "), Calls{GetParam().text});
}

INSTANTIATE_TEST_SUITE_P(
    Captions, CaptionFormats,
    ::testing::Values(FormatCase{taLeftJustify, false, "Text A 2,2,98,18 00008024"},
                      FormatCase{taRightJustify, false, "Text A 2,2,98,18 00008026"},
                      FormatCase{taCenter, false, "Text A 2,2,98,18 00008025"},
                      FormatCase{taLeftJustify, true, "Text A 4,4,96,16 00000010"},
                      FormatCase{taRightJustify, true, "Text A 4,4,96,16 00000012"},
                      FormatCase{taCenter, true, "Text A 4,4,96,16 00000011"}));

TEST(StrativPaint, HotSectionCaptionInHotTrackColourOnlyWithHotTrack) {
    TestHeader t("A:50,B:50", 100, 20);
    t.header.SetHotTrackColor(0x000000FF);
    t.header.MouseMove(0, 10, 10); // A is hot
    RecordingCanvas canvas;
    t.header.Paint(canvas);
    EXPECT_EQ(canvas.Only("FontColor "), (Calls{"FontColor 000000FF", "FontColor 80000008"}));

    t.header.SetOptions(AllHeaderOptions & ~hoHotTrack);
    canvas.calls.clear();
    t.header.Paint(canvas);
    EXPECT_EQ(canvas.Only("FontColor "), (Calls{"FontColor 80000008", "FontColor 80000008"}));
}

// --- Frames wider than their rectangle -------------------------------------------

// The frame step as a plain loop: every one of the `width` frames drawn.
void FramesInFull(TCanvas& canvas, TRect& r, int width, TColor top, TColor bottom) {
    TPen pen = canvas.Pen();
    pen.Width = 1;
    r.Right -= 1;
    r.Bottom -= 1;
    for (int k = 0; k < width; ++k) {
        pen.Color = top;
        canvas.SetPen(pen);
        canvas.MoveTo(r.Left, r.Bottom);
        canvas.LineTo(r.Left, r.Top);
        canvas.LineTo(r.Right, r.Top);
        pen.Color = bottom;
        canvas.SetPen(pen);
        canvas.MoveTo(r.Right, r.Top);
        canvas.LineTo(r.Right, r.Bottom);
        canvas.LineTo(r.Left - 1, r.Bottom);
        r.Inflate(-1, -1);
    }
    r.Right += 1;
    r.Bottom += 1;
}

TEST(StrativPaint, FramesLeftOutAreExactlyTheInvisibleOnes) {
    const int gridWidth = 14, gridHeight = 11;
    const TRect visible{0, 0, gridWidth, gridHeight};
    const TRect rects[] = {{2, 2, 10, 8},  {0, 0, 14, 11}, {-5, 3, 6, 20},
                           {9, -4, 30, 6}, {4, 4, 4, 4},   {12, 9, 3, 2}};
    for (const TRect& start : rects) {
        for (int width = 0; width <= 40; ++width) {
            PixelCanvas full(gridWidth, gridHeight), ours(gridWidth, gridHeight);
            TRect expected = start;
            FramesInFull(full, expected, width, 0x10, 0x20);
            TRect64 r = Widen(start);
            DrawFrames(ours, r, width, 0x10, 0x20, visible);
            ASSERT_EQ(ours.Pixels(), full.Pixels()) << "width " << width;
            ASSERT_EQ(Narrow(r), expected);
            ASSERT_FALSE(ours.SawSlantedLine());
        }
    }
}

TEST(StrativPaint, FrameOfTheLargestWidthPaintsWhatTheFullLoopPaints) {
    const TRect visible{0, 0, 14, 11};
    // In this grid no frame from the 60th on reaches a visible pixel: the full
    // loop gives the same picture at 60 and at 200 frames.
    PixelCanvas at60(14, 11), at200(14, 11), ours(14, 11);
    TRect r60{2, 1, 12, 9}, r200{2, 1, 12, 9};
    FramesInFull(at60, r60, 60, 0x10, 0x20);
    FramesInFull(at200, r200, 200, 0x10, 0x20);
    ASSERT_EQ(at60.Pixels(), at200.Pixels());

    TRect64 r = Widen(TRect{2, 1, 12, 9});
    DrawFrames(ours, r, INT_MAX, 0x10, 0x20, visible);
    EXPECT_EQ(ours.Pixels(), at60.Pixels());
    EXPECT_EQ(r.Left, 2 + int64_t{INT_MAX});
    EXPECT_EQ(r.Bottom, 9 - int64_t{INT_MAX});
}

TEST(StrativPaint, LargestBevelAndBorderWidthsCostOnlyTheVisibleFrames) {
    TestHeader t("P(a:900,b:1020)", 1920, 40);
    t.header.SetHeaderstyle(bsWin31);
    t.header.SetBevelOuter(bvRaised);
    t.header.SetBevelInner(bvLowered);
    t.header.SetBevelWidth(INT_MAX);
    t.header.SetBorderWidth(INT_MAX);
    RecordingCanvas canvas;
    t.header.Paint(canvas);
    // Three frame sets per section, each at most 2 * (1920 + 40) frames of
    // 8 calls.
    EXPECT_LT(canvas.calls.size(), 3u * 3u * 8u * 2u * (1920u + 40u) + 100u);
    // Frames and inset shrink the caption rectangle past every edge.
    EXPECT_EQ(canvas.Only("Text ").front(), "Text a 2147483647,2147483647,-2147483648,-2147483648 "
                                            "00008024");
}

// --- Same drawing as the plain walk ------------------------------------------------

TEST(StrativPaint, PaintEqualsThePlainWalkOnRandomHeaders) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        RandomHeaders random(seed);
        TStrativ header;
        std::vector<std::unique_ptr<THeaderColumns>> detached;
        header.Sections()->Clear();
        random.Grow(header.Sections(), 0);
        header.Sections()->Changed(true);
        random.Reported(header);
        header.SetHeaderstyle(seed % 2 ? bsNew : bsWin31);
        header.SetBevelOuter(bvRaised);
        for (int round = 0; round < 15; ++round) {
            header.SetClientSize(random.Pick(0, 300), random.Pick(0, 40));
            RecordingCanvas ours, plain;
            header.Paint(ours);
            literal::Paint(header, plain);
            ASSERT_EQ(ours.calls, plain.calls) << "seed " << seed << " round " << round;
            random.Edit(header, detached);
            ASSERT_TRUE(random.IndexAsRebuiltOnEveryReport(header))
                << "seed " << seed << " round " << round;
        }
    }
}

} // namespace

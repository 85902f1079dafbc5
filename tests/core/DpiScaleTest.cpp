// The layout's 96-DPI pixels at other densities, and the header's defaults
// that follow the density it is made for.

#include "core/framework/DpiScale.h"
#include "core/control/Strativ.h"
#include "core/editor/HeaderEditor.h"
#include "core/model/HeaderColumns.h"
#include "support/StrativTestHeader.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::editor;

namespace {

TEST(DpiScale, ScalesBy96thsRoundingHalfAwayFromZero) {
    const struct {
        int pixelsPerInch, value, scaled;
    } cases[] = {
        {96, 550, 550}, {96, -11, -11},  {96, 0, 0},    {120, 550, 688}, {120, 437, 546},
        {120, 11, 14},  {120, -11, -14}, {120, 17, 21}, {120, 75, 94},   {120, 25, 31},
        {144, 11, 17},  {144, -11, -17}, {144, 17, 26}, {192, 13, 26},   {72, 25, 19},
        {0, 338, 338},  {-5, 17, 17},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TDpiScale(c.pixelsPerInch)(c.value), c.scaled)
            << c.value << " at " << c.pixelsPerInch;
    }
    EXPECT_EQ(TDpiScale(0).PixelsPerInch(), 96);
    EXPECT_TRUE(TDpiScale().IsBase());
    EXPECT_FALSE(TDpiScale(120).IsBase());
}

struct HeaderDefaults {
    int pixelsPerInch, fontHeight, bandHeight, zoneReach;
};

// The width zone's reach, found the way the pointer finds it: the farthest
// column to the left of an edge where the cursor still arms a resize.
int MeasuredReach(TStrativ& header, int edge) {
    int reach = 0;
    while (reach < 64) {
        header.WMNCHitTest(
            TPoint{edge - 2 - reach + corvane::testing::FakeWindowServices::ScreenOffset.X,
                   5 + corvane::testing::FakeWindowServices::ScreenOffset.Y});
        if (!header.WMSetCursor(1) || header.TrackState() != tsWidthResize)
            break;
        ++reach;
    }
    return reach;
}

class StrativAtDensity : public ::testing::TestWithParam<HeaderDefaults> {};

TEST_P(StrativAtDensity, DefaultFontAndBandsFollowTheDensity) {
    const HeaderDefaults& d = GetParam();
    TStrativ header{TDpiScale(d.pixelsPerInch)};
    EXPECT_EQ(header.ZoneReach(), d.zoneReach);
    EXPECT_EQ(header.Font().Height, d.fontHeight);
    EXPECT_EQ(header.Font().Name, "MS Sans Serif");
    EXPECT_TRUE(header.ParentFont()); // still the default: a host's font replaces it
    THeaderColumns* root = header.Sections();
    EXPECT_EQ(root->Items(0)->Height(), d.bandHeight); // "TStrativ v.2.8"
    // Sections added later, at any depth, start with the same band.
    EXPECT_EQ(root->Add("Next")->Height(), d.bandHeight);
    EXPECT_EQ(root->Items(0)->Add("Child")->Height(), d.bandHeight);
    EXPECT_EQ(root->Insert(0)->Height(), d.bandHeight);
    // A stored height stays what it is.
    root->Items(1)->SetHeight(17);
    EXPECT_EQ(root->Items(1)->Height(), 17);
    // A free-standing tree keeps the plain default.
    THeaderColumns loose;
    EXPECT_EQ(loose.Add("x")->Height(), THeaderColumns::DefaultHeight);
}

TEST_P(StrativAtDensity, TheEditorsNewItemTakesTheHeadersBand) {
    const HeaderDefaults& d = GetParam();
    TStrativ header{TDpiScale(d.pixelsPerInch)};
    THeaderEditor editor;
    editor.FormCreate();
    editor.LoadFromHeader(header);
    editor.Sections.AddBtnClick();
    ASSERT_NE(editor.Sections.Headers.Selected(), nullptr);
    EXPECT_EQ(editor.Sections.Headers.Selected()->Data.Height, d.bandHeight);
    EXPECT_EQ(editor.Sections.HeightEdit.Text(), std::to_string(d.bandHeight));
    editor.WriteToHeader(header);
    EXPECT_EQ(header.Sections()->Items(1)->Height(), d.bandHeight);
}

// A header made at 96 and moved to the density: what the control chose
// follows, what was set in pixels stays.
TEST_P(StrativAtDensity, AMoveToTheDensityRescalesOnlyWhatTheControlChose) {
    const HeaderDefaults& d = GetParam();
    corvane::testing::TestHeader moved("A:40,B:40", 200, 30);
    corvane::testing::TestHeader ownFont("A:40", 200, 30);
    corvane::testing::TestHeader hostFont("A:40", 200, 30);
    TFont set;
    set.Height = -13;
    ownFont.header.SetFont(set);
    hostFont.header.ParentFontChanged(set); // an ambient font
    moved["A"]->SetHeight(30);
    const int column = moved.header.Sections()->Items(0)->Width();
    for (corvane::testing::TestHeader* t : {&moved, &ownFont, &hostFont}) {
        t->header.ChangeScale(TDpiScale(d.pixelsPerInch));
        t->header.ChangeScale(TDpiScale(d.pixelsPerInch)); // the second one changes nothing
    }
    EXPECT_EQ(moved.window.log.size(), d.pixelsPerInch == 96 ? 0u : 1u); // one repaint
    EXPECT_EQ(moved.header.Font().Height, d.fontHeight);
    EXPECT_EQ(ownFont.header.Font().Height, -13);
    EXPECT_EQ(hostFont.header.Font().Height, -13);
    EXPECT_EQ(moved["A"]->Height(), 30); // the host's pixels
    EXPECT_EQ(moved.header.Sections()->Add("C")->Height(), d.bandHeight);
    EXPECT_EQ(MeasuredReach(moved.header, column), d.zoneReach);
}

INSTANTIATE_TEST_SUITE_P(Densities, StrativAtDensity,
                         ::testing::Values(HeaderDefaults{96, -11, 17, 4},
                                           HeaderDefaults{120, -14, 21, 5},
                                           HeaderDefaults{144, -17, 26, 6},
                                           HeaderDefaults{192, -22, 34, 8}));

} // namespace

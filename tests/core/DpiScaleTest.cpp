// The layout's 96-DPI pixels at other densities, and the header's defaults
// that follow the density it is made for.

#include "core/framework/DpiScale.h"
#include "core/control/Strativ.h"
#include "core/editor/HeaderEditor.h"
#include "core/model/HeaderColumns.h"

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
    int pixelsPerInch, fontHeight, bandHeight;
};

class StrativAtDensity : public ::testing::TestWithParam<HeaderDefaults> {};

TEST_P(StrativAtDensity, DefaultFontAndBandsFollowTheDensity) {
    const HeaderDefaults& d = GetParam();
    TStrativ header{TDpiScale(d.pixelsPerInch)};
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

INSTANTIATE_TEST_SUITE_P(Densities, StrativAtDensity,
                         ::testing::Values(HeaderDefaults{96, -11, 17},
                                           HeaderDefaults{120, -14, 21},
                                           HeaderDefaults{144, -17, 26}));

} // namespace

// The right button's context menu as the pointer opens it: which entries,
// where on the screen, and what the chosen entry does.

#include "core/control/CustomizePopupMenu.h"
#include "support/StrativTestHeader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace corvane;
using namespace corvane::testing;

namespace {

std::vector<std::string> Captions(const std::vector<TMenuEntry>& entries) {
    std::vector<std::string> out;
    for (const TMenuEntry& entry : entries)
        out.push_back(entry.Caption);
    return out;
}

struct MenuCase {
    const char* name;
    THeaderOptions options;
    bool designing;
    std::vector<std::string> entries; // empty: no menu opens
};

class RightButtonMenu : public ::testing::TestWithParam<MenuCase> {};

TEST_P(RightButtonMenu, OpensWithTheEntriesTheOptionsAllow) {
    const MenuCase& c = GetParam();
    TestHeader t("A:100,B:100", 300, 25);
    t.header.SetOptions(c.options);
    t.header.SetDesigning(c.designing);
    t.header.MouseDown(mbRight, ssRight, 150, 10);
    if (c.entries.empty()) {
        EXPECT_TRUE(t.window.menus.empty()) << c.name;
        return;
    }
    ASSERT_EQ(t.window.menus.size(), 1u) << c.name;
    EXPECT_EQ(Captions(t.window.menus[0]), c.entries);
    EXPECT_EQ(t.window.menuPoints[0], (TPoint{150 + FakeWindowServices::ScreenOffset.X,
                                              10 + FakeWindowServices::ScreenOffset.Y}));
    EXPECT_EQ(t.header.CustomizeMenu().PopupComponent(), &t.header);
}

const std::vector<std::string> WithAbout{"About Strativ...", "-", "Customize..."};

INSTANTIATE_TEST_SUITE_P(
    Options, RightButtonMenu,
    ::testing::Values(MenuCase{"all options", AllHeaderOptions, false, WithAbout},
                      MenuCase{"no about", AllHeaderOptions & ~hoAbout, false, {"Customize..."}},
                      MenuCase{"no customize", AllHeaderOptions & ~hoCustomize, false, {}},
                      MenuCase{"customize alone", hoCustomize, false, {"Customize..."}},
                      MenuCase{"designing", AllHeaderOptions, true, {}}));

TEST(StrativMenu, ChosenEntriesShowTheAboutBoxOrRunTheCustomizeBracket) {
    TestHeader t("A:100", 300, 25);
    std::vector<std::string> events;
    t.header.OnBeforeCustomize = [&](TStrativ*) { events.push_back("before"); };
    t.header.OnAfterCustomize = [&](TStrativ*) { events.push_back("after"); };

    t.window.menuChoice = 0; // About
    t.header.MouseDown(mbRight, ssRight, 10, 10);
    ASSERT_EQ(t.window.messageBoxes.size(), 1u);
    EXPECT_EQ(t.window.messageBoxes[0], TStrativ::AboutText());
    EXPECT_TRUE(events.empty());

    t.window.menuChoice = 2; // Customize...
    t.header.SetCustomizeMenustring("Edit headers");
    t.header.MouseDown(mbRight, ssRight, 10, 10);
    EXPECT_EQ(Captions(t.window.menus.back()).back(), "Edit headers");
    EXPECT_EQ(events, (std::vector<std::string>{"before", "after"}));
    // Each opening replaces the entries of the one before.
    EXPECT_EQ(t.header.CustomizeMenu().Count(), 3);
}

TEST(StrativMenu, OtherButtonsOpenNothing) {
    TestHeader t("A:100", 300, 25);
    t.header.MouseDown(mbMiddle, ssMiddle, 10, 10);
    t.header.MouseUp(mbRight, 0, 10, 10);
    EXPECT_TRUE(t.window.menus.empty());
    EXPECT_TRUE(t.window.log.empty());
}

} // namespace

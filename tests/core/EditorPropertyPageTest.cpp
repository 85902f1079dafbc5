// The editor as a host's property page: the unapplied-changes state the host
// sees, loading on activation and writing back on apply.

#include "core/control/Strativ.h"
#include "core/editor/GenStrativ.h"
#include "core/framework/Exceptions.h"
#include "core/model/HeaderColumns.h"
#include "support/EditorFakes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace corvane;
using namespace corvane::editor;
using namespace corvane::editor::testing;

namespace {

class PropertyPageForm : public ::testing::Test {
protected:
    PropertyPageForm() {
        header.SetWindowServices(&window);
        THeaderColumns* root = header.Sections();
        root->Clear();
        root->Add("One");
        root->Add("Two")->SetWidth(50);
        root->Changed(true);
        page.General.SetDialogs(&dialogs);
        page.OnModified = [this] { ++modifiedReports; };
        page.FormCreate();
    }
    ~PropertyPageForm() override { header.SetWindowServices(nullptr); }

    RepaintCounter window;
    TStrativ header;
    ScriptedDialogs dialogs;
    TGenStrativ page;
    FakeTreePort tree{page.Sections.Headers};
    int modifiedReports = 0;
};

TEST_F(PropertyPageForm, ActivationEndsUnmodifiedThoughTheLoadChangedControls) {
    page.LoadPage(&header);
    EXPECT_TRUE(page.Dirty); // the load ran the handlers
    EXPECT_FALSE(page.Modified());
    EXPECT_EQ(modifiedReports, 0);
    EXPECT_EQ(page.Sections.Headers.Count(), 2);
    EXPECT_EQ(page.PropertyPage.ActivePage(), THeaderEditor::GeneralPageIndex);
}

TEST_F(PropertyPageForm, NoHeaderLeavesThePageEmpty) {
    page.LoadPage(nullptr);
    EXPECT_EQ(page.HeaderControl, nullptr);
    EXPECT_EQ(page.Sections.Headers.Count(), 0);
    EXPECT_FALSE(page.Modified());
    page.General.BorderWidth.UserSetText("9");
    page.ApplyPage(); // nothing to write to
    EXPECT_EQ(header.BorderWidth(), 0);
    EXPECT_FALSE(page.Modified());
}

// What marks the page as holding unapplied changes, and what does not. The
// preparation runs first and is applied, so only the action counts.
using PageAction = std::function<void(TGenStrativ&, FakeTreePort&)>;
struct MarkCase {
    const char* name;
    PageAction prepare;
    PageAction act;
    bool marks;
};

class PropertyPageMarks : public PropertyPageForm,
                          public ::testing::WithParamInterface<MarkCase> {};

TEST_P(PropertyPageMarks, OnlyValueChangesOfEditsBoxesAndGroupsMark) {
    page.LoadPage(&header);
    if (GetParam().prepare) {
        GetParam().prepare(page, tree);
        page.ApplyPage();
    }
    modifiedReports = 0;
    GetParam().act(page, tree);
    EXPECT_EQ(page.Modified(), GetParam().marks);
    EXPECT_EQ(modifiedReports, GetParam().marks ? 1 : 0);
}

TTreeNode* First(TGenStrativ& p) {
    return p.Sections.Headers.First();
}
TTreeNode* Second(TGenStrativ& p) {
    return First(p)->NextSibling();
}
void SelectFirst(TGenStrativ& p, FakeTreePort&) {
    p.Sections.Headers.UserSelect(First(p));
}

INSTANTIATE_TEST_SUITE_P(
    Controls, PropertyPageMarks,
    ::testing::Values(
        MarkCase{"HintEdit", nullptr,
                 [](TGenStrativ& p, FakeTreePort&) { p.General.Hint.UserSetText("x"); }, true},
        MarkCase{"CheckBox", nullptr,
                 [](TGenStrativ& p, FakeTreePort&) {
                     p.General.SectionClick.UserSetChecked(!p.General.SectionClick.Checked());
                 },
                 true},
        MarkCase{"RadioGroup", nullptr,
                 [](TGenStrativ& p, FakeTreePort&) { p.General.BevelOuter.UserSetItemIndex(2); },
                 true},
        MarkCase{"TwoEditsReportOnce", nullptr,
                 [](TGenStrativ& p, FakeTreePort&) {
                     p.General.BorderWidth.UserSetText("3");
                     p.General.BevelWidth.UserSetText("4");
                 },
                 true},
        MarkCase{"SameValueAgain", nullptr,
                 [](TGenStrativ& p, FakeTreePort&) {
                     p.General.Hint.UserSetText(p.General.Hint.Text());
                 },
                 false},
        MarkCase{"SelectingAnItemWithOtherValues", SelectFirst,
                 [](TGenStrativ& p, FakeTreePort&) { p.Sections.Headers.UserSelect(Second(p)); },
                 true},
        MarkCase{"SelectingAnItemWithEqualValues",
                 [](TGenStrativ& p, FakeTreePort& port) {
                     SelectFirst(p, port);
                     Second(p)->Data = First(p)->Data;
                 },
                 [](TGenStrativ& p, FakeTreePort&) { p.Sections.Headers.UserSelect(Second(p)); },
                 false},
        MarkCase{"WidthOfTheSelectedItem", SelectFirst,
                 [](TGenStrativ& p, FakeTreePort&) { p.Sections.widthEdit.UserSetText("99"); },
                 true},
        MarkCase{"MovingAnItem", SelectFirst,
                 [](TGenStrativ& p, FakeTreePort&) { p.Sections.MovedownBtnClick(); }, false},
        MarkCase{"EditingACaption", nullptr,
                 [](TGenStrativ& p, FakeTreePort& port) {
                     p.Sections.Headers.EditText(First(p));
                     port.Accept("Renamed");
                 },
                 false},
        MarkCase{"ChoosingAFont", nullptr,
                 [](TGenStrativ& p, FakeTreePort&) { p.General.FontClick(); }, false},
        MarkCase{"ChoosingAColour", nullptr,
                 [](TGenStrativ& p, FakeTreePort&) { p.General.ColorClick(); }, false},
        MarkCase{"ChoosingAHotTrackColour", nullptr,
                 [](TGenStrativ& p, FakeTreePort&) { p.General.HotTrackButtonClick(); }, false}),
    [](const ::testing::TestParamInfo<MarkCase>& caseInfo) {
        return std::string(caseInfo.param.name);
    });

TEST_F(PropertyPageForm, ApplyWritesBackAndEndsUnmodified) {
    page.LoadPage(&header);
    page.General.BorderWidth.UserSetText("6");
    page.Sections.Headers.UserSelect(Second(page));
    page.Sections.widthEdit.UserSetText("120");
    page.ApplyPage();
    EXPECT_FALSE(page.Modified());
    EXPECT_EQ(header.BorderWidth(), 6);
    EXPECT_EQ(header.Sections()->Items(1)->Width(), 120);
    // A later edit marks the page again and is reported again.
    page.General.BorderWidth.UserSetText("7");
    EXPECT_TRUE(page.Modified());
    EXPECT_EQ(modifiedReports, 2);
}

TEST_F(PropertyPageForm, ApplyWithoutEditsStillWritesWhatTheLoadMarked) {
    page.LoadPage(&header);
    header.Sections()->Items(0)->SetCaption("Changed meanwhile");
    page.ApplyPage();
    EXPECT_EQ(header.Sections()->Items(0)->Caption(), "One");
}

TEST_F(PropertyPageForm, AnInvalidNumberStopsTheApplyAndKeepsTheChanges) {
    page.LoadPage(&header);
    page.General.BevelWidth.UserSetText("12x");
    page.General.BorderWidth.UserSetText("5");
    EXPECT_THROW(page.ApplyPage(), EConvertError);
    EXPECT_TRUE(page.Modified());
    EXPECT_EQ(header.BorderWidth(), 5); // written before the failing field
}

TEST_F(PropertyPageForm, ReloadingDiscardsNothingTheHeaderDoesNotHold) {
    page.LoadPage(&header);
    page.General.BorderWidth.UserSetText("8");
    page.LoadPage(&header);
    EXPECT_EQ(page.General.BorderWidth.Text(), "0");
    EXPECT_FALSE(page.Modified());
}

} // namespace

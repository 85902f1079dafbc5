// The customizing dialog's logic: the customize cycle around a scripted
// modal form, loading and writing back the General page, OK, Cancel, Apply.

#include "core/control/CustomizeDialog.h"
#include "core/control/Strativ.h"
#include "core/editor/HeadersForm.h"
#include "core/framework/Exceptions.h"
#include "core/model/HeaderColumns.h"
#include "support/EditorFakes.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace corvane;
using namespace corvane::editor;
using namespace corvane::editor::testing;

namespace {

// A modal form whose "user" is a script run while it is shown.
class ScriptedForm : public TCustomizeForm {
public:
    ScriptedForm(std::function<void(THeadersFrm&)> user, int& shownOnPage, bool& dirtyAfterShow)
        : user_(std::move(user)), shownOnPage_(shownOnPage), dirtyAfterShow_(dirtyAfterShow) {
        form_.FormCreate();
    }
    THeadersFrm& Form() override { return form_; }
    void ShowModal() override {
        shownOnPage_ = form_.PropertyPage.ActivePage();
        form_.FormShow();
        dirtyAfterShow_ = form_.Dirty;
        user_(form_);
        if (form_.ModalResult == mrNone)
            form_.CancelBtnClick(); // the close box
    }

private:
    THeadersFrm form_;
    std::function<void(THeadersFrm&)> user_;
    int& shownOnPage_;
    bool& dirtyAfterShow_;
};

class CustomizeDialog : public ::testing::Test {
protected:
    CustomizeDialog() {
        header.SetWindowServices(&window);
        header.SetName("Header1");
        THeaderColumns* root = header.Sections();
        root->Clear();
        root->Add("One")->SetTypeCol(11);
        root->Add("Two")->SetWidth(50);
        root->Changed(true);
        root->SetOnChange(TChangeHandler::Bind<CustomizeDialog, &CustomizeDialog::Report>(this));
        header.OnBeforeApply = [this](TStrativ*) { log.push_back("BeforeApply"); };
        header.OnAfterApply = [this](TStrativ*) { log.push_back("AfterApply"); };
    }
    ~CustomizeDialog() override { header.SetWindowServices(nullptr); }
    void Report(THeaderColumns*) { log.push_back("Changed"); }

    bool Run(std::function<void(THeadersFrm&)> user) {
        return RunCustomizeDialog(header, [&]() -> std::unique_ptr<TCustomizeForm> {
            auto form = std::make_unique<ScriptedForm>(user, shownOnPage, dirtyAfterShow);
            form->Form().General.SetDialogs(&dialogs);
            return form;
        });
    }

    RepaintCounter window;
    TStrativ header;
    ScriptedDialogs dialogs;
    std::vector<std::string> log;
    int shownOnPage = -1;
    bool dirtyAfterShow = false;
};

TEST_F(CustomizeDialog, OpensOnTheGeneralPageWithTheNamedCaptionAndLoadsTheHeader) {
    std::string caption;
    std::vector<std::string> items;
    const bool dirty = Run([&](THeadersFrm& f) {
        caption = f.Caption();
        for (TTreeNode* n = f.Sections.Headers.First(); n != nullptr; n = n->Next())
            items.push_back(n->Text());
        EXPECT_EQ(f.HeaderControl, &header);
    });
    EXPECT_EQ(shownOnPage, THeaderEditor::GeneralPageIndex);
    EXPECT_EQ(caption, "Customizing... Header1");
    EXPECT_EQ(items, (std::vector<std::string>{"One", "Two"}));
    // A shown control loads a checked Visible box: the load alone makes it dirty.
    EXPECT_TRUE(dirtyAfterShow);
    EXPECT_TRUE(dirty);
    EXPECT_EQ(log, (std::vector<std::string>{"Changed"})); // Cancel: no write, one report
    EXPECT_EQ(window.repaints, 1);
    EXPECT_EQ(header.Sections()->Items(0)->TypeCol(), 11);
}

TEST_F(CustomizeDialog, CaptionEndsInABlankForAnUnnamedControl) {
    header.SetName("");
    std::string caption;
    Run([&](THeadersFrm& f) { caption = f.Caption(); });
    EXPECT_EQ(caption, "Customizing... ");
}

TEST_F(CustomizeDialog, LoadThatChangesNothingLeavesTheDialogClean) {
    // Every value equal to the layout's initial state: nothing fires.
    header.SetVisible(false);
    header.SetOptions(0);
    header.SetHeaderstyle(bsAutoDetect);
    header.SetBorderStyle(bsNone);
    header.SetBorderWidth(0);
    header.SetBevelWidth(0);
    header.Sections()->Clear();
    const bool dirty = Run([](THeadersFrm&) {});
    EXPECT_FALSE(dirty);
    EXPECT_EQ(window.repaints, 1);
    EXPECT_TRUE(log.empty());
}

TEST_F(CustomizeDialog, OkWritesBackEverythingWithoutTheApplyEvents) {
    header.SetOptions(AllHeaderOptions);
    Run([](THeadersFrm& f) {
        f.General.SectionClick.UserSetChecked(false);
        f.General.MoveSections.UserSetChecked(false);
        f.General.HeadersStyle.UserSetItemIndex(1);
        f.General.BevelOuter.UserSetItemIndex(2);
        f.General.Align.UserSetItemIndex(5);
        f.General.BorderWidth.UserSetText("3");
        f.General.BevelWidth.UserSetText("2");
        f.General.Hint.UserSetText("a hint");
        f.General.ShowhintCheck.UserSetChecked(true);
        f.Sections.Headers.UserSelect(f.Sections.Headers.Item(1));
        f.Sections.widthEdit.UserSetText("90");
        f.OkBtn.UserClick();
    });
    EXPECT_EQ(header.Options(), AllHeaderOptions & ~(hoClick | hoDragdrop));
    EXPECT_EQ(header.Headerstyle(), bsWin31);
    EXPECT_EQ(header.BevelOuter(), bvRaised);
    EXPECT_EQ(header.Align(), alClient);
    EXPECT_EQ(header.BorderWidth(), 3);
    EXPECT_EQ(header.BevelWidth(), 2);
    EXPECT_EQ(header.Hint(), "a hint");
    EXPECT_TRUE(header.ShowHint());
    EXPECT_EQ(header.Sections()->Items(1)->Width(), 90);
    EXPECT_EQ(header.Sections()->Items(0)->TypeCol(), 11); // tags survive
    // OK rebuilds (one report) and the close reports again; no apply events.
    EXPECT_EQ(log, (std::vector<std::string>{"Changed", "Changed"}));
}

TEST_F(CustomizeDialog, ApplyBracketsTheWriteEveryTimeAndCancelKeepsWhatWasApplied) {
    Run([](THeadersFrm& f) {
        f.General.BevelWidth.UserSetText("4");
        f.ApplyBtn.UserClick();
        f.ApplyBtn.UserClick(); // the same values again: still applied
        EXPECT_EQ(f.ModalResult, mrNone);
        f.CancelBtn.UserClick();
    });
    EXPECT_EQ(header.BevelWidth(), 4);
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeApply", "Changed", "AfterApply", "BeforeApply",
                                             "Changed", "AfterApply", "Changed"}));
}

TEST_F(CustomizeDialog, ApplyWhenCleanDoesNothing) {
    Run([](THeadersFrm& f) {
        f.Dirty = false;
        f.ApplyBtn.UserClick();
        f.OkBtn.UserClick();
    });
    EXPECT_TRUE(log.empty());
}

struct BadNumberCase {
    const char* name;
    const char* borderWidth;
    const char* bevelWidth;
    const char* message;
    int borderAfter; // what the control holds afterwards (it held 0)
};

class CustomizeDialogBadNumber : public CustomizeDialog,
                                 public ::testing::WithParamInterface<BadNumberCase> {};

TEST_P(CustomizeDialogBadNumber, OkStopsAtTheFieldClosesAnywayAndKeepsWhatCameBefore) {
    const BadNumberCase& c = GetParam();
    header.SetOptions(AllHeaderOptions);
    std::string error;
    Run([&](THeadersFrm& f) {
        f.General.Customizecheck.UserSetChecked(true);
        f.General.ShowAbout.UserSetChecked(false);
        f.General.Hint.UserSetText("never written");
        f.General.BorderWidth.UserSetText(c.borderWidth);
        f.General.BevelWidth.UserSetText(c.bevelWidth);
        try {
            f.OkBtn.UserClick();
        } catch (const EConvertError& e) {
            error = e.what();
        }
        EXPECT_EQ(f.ModalResult, mrOk);
    });
    EXPECT_EQ(error, c.message);
    EXPECT_EQ(header.Options(), AllHeaderOptions & ~hoAbout); // written before
    EXPECT_EQ(header.BorderWidth(), c.borderAfter);
    EXPECT_EQ(header.BevelWidth(), 1); // never reached
    EXPECT_EQ(header.Hint(), "");      // after the failing field
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CustomizeDialogBadNumber,
    ::testing::Values(BadNumberCase{"EmptyBorder", "", "2", "'' is not a valid integer value", 0},
                      BadNumberCase{"HugeBorder", "4294967296", "2",
                                    "'4294967296' is not a valid integer value", 0},
                      BadNumberCase{"PastedBevel", "5", "1.5", "'1.5' is not a valid integer value",
                                    5}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(CustomizeDialog, ApplyWithABadNumberFiresNoAfterApplyAndStaysOpen) {
    Run([](THeadersFrm& f) {
        f.General.BevelWidth.UserSetText("");
        EXPECT_THROW(f.ApplyBtn.UserClick(), EConvertError);
        EXPECT_EQ(f.ModalResult, mrNone);
    });
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeApply", "Changed", "Changed"}));
}

TEST_F(CustomizeDialog, ErrorWhileShownStillReportsRepaintsAndFreesTheForm) {
    EXPECT_THROW(Run([](THeadersFrm&) { throw EListError("List index out of bounds (3)"); }),
                 EListError);
    EXPECT_EQ(log, (std::vector<std::string>{"Changed"}));
    EXPECT_EQ(window.repaints, 1);
}

struct BevelCase {
    TBevelCut loaded;
    int shownItem;
    TBevelCut written;
};

class CustomizeDialogBevel : public CustomizeDialog,
                             public ::testing::WithParamInterface<BevelCase> {};

TEST_P(CustomizeDialogBevel, BevelWithoutItemShowsRaiseAndWritesRaised) {
    header.SetBevelInner(GetParam().loaded);
    header.SetBevelOuter(GetParam().loaded);
    int inner = -1, outer = -1;
    Run([&](THeadersFrm& f) {
        inner = f.General.BevelInner.ItemIndex();
        outer = f.General.BevelOuter.ItemIndex();
        f.OkBtn.UserClick();
    });
    EXPECT_EQ(inner, GetParam().shownItem);
    EXPECT_EQ(outer, GetParam().shownItem);
    EXPECT_EQ(header.BevelInner(), GetParam().written);
    EXPECT_EQ(header.BevelOuter(), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Bevels, CustomizeDialogBevel,
                         ::testing::Values(BevelCase{bvNone, 0, bvNone},
                                           BevelCase{bvLowered, 1, bvLowered},
                                           BevelCase{bvRaised, 2, bvRaised},
                                           BevelCase{bvSpace, 2, bvRaised}));

TEST_F(CustomizeDialog, OptionBoxesLoadAndWriteTheirOwnBitEach) {
    for (const TGeneralPage::TOptionBox& entry : TGeneralPage::OptionBoxes) {
        header.SetOptions(static_cast<THeaderOptions>(entry.Option | hoCustomize));
        std::vector<bool> checked;
        Run([&](THeadersFrm& f) {
            for (const auto& other : TGeneralPage::OptionBoxes)
                checked.push_back((f.General.*other.Box).Checked());
            (f.General.*entry.Box).UserSetChecked(false);
            f.OkBtn.UserClick();
        });
        for (size_t i = 0; i < 8; ++i) {
            const uint8_t bit = TGeneralPage::OptionBoxes[i].Option;
            EXPECT_EQ(checked[i], bit == entry.Option || bit == hoCustomize) << int(entry.Option);
        }
        EXPECT_EQ(header.Options(), entry.Option == hoCustomize ? 0 : hoCustomize)
            << int(entry.Option);
    }
}

// Two loads whose values differ for every pair of General fields (also
// after a radio group clamps a value beyond its items), so a field loaded
// from another's property shows a wrong value in one of them.
struct GeneralValues {
    bool visible, showHint;
    TButtonStyle style;
    TBevelCut inner, outer;
    TBorderStyle border;
    TAlign align;
    int borderWidth, bevelWidth;
    const char* hint;
};

class CustomizeDialogGeneralFields : public CustomizeDialog,
                                     public ::testing::WithParamInterface<GeneralValues> {};

TEST_P(CustomizeDialogGeneralFields, EachControlShowsItsOwnFieldAndOkWithoutEditsKeepsThem) {
    const GeneralValues& v = GetParam();
    header.SetVisible(v.visible);
    header.SetShowHint(v.showHint);
    header.SetHeaderstyle(v.style);
    header.SetBevelInner(v.inner);
    header.SetBevelOuter(v.outer);
    header.SetBorderStyle(v.border);
    header.SetAlign(v.align);
    header.SetBorderWidth(v.borderWidth);
    header.SetBevelWidth(v.bevelWidth);
    header.SetHint(v.hint);
    header.SetColor(0x00123456);
    header.SetHotTrackColor(0x00654321);
    std::vector<std::string> shown;
    Run([&](THeadersFrm& f) {
        const TGeneralPage& g = f.General;
        shown = {std::to_string(g.VisibleCheck.Checked()),
                 std::to_string(g.ShowhintCheck.Checked()),
                 std::to_string(g.HeadersStyle.ItemIndex()),
                 std::to_string(g.BevelInner.ItemIndex()),
                 std::to_string(g.BevelOuter.ItemIndex()),
                 std::to_string(g.BorderStyle.ItemIndex()),
                 std::to_string(g.Align.ItemIndex()),
                 g.BorderWidth.Text(),
                 g.BevelWidth.Text(),
                 g.Hint.Text(),
                 std::to_string(g.ColorPanel.Color()),
                 std::to_string(g.HotTrackButton.CaptionColor())};
        f.OkBtn.UserClick();
    });
    EXPECT_EQ(shown, (std::vector<std::string>{
                         std::to_string(v.visible), std::to_string(v.showHint),
                         std::to_string(v.style), std::to_string(v.inner), std::to_string(v.outer),
                         std::to_string(v.border), std::to_string(v.align),
                         std::to_string(v.borderWidth), std::to_string(v.bevelWidth), v.hint,
                         std::to_string(0x00123456), std::to_string(0x00654321)}));
    // OK wrote every field back (the load made the dialog dirty): unchanged.
    EXPECT_EQ(header.Visible(), v.visible);
    EXPECT_EQ(header.ShowHint(), v.showHint);
    EXPECT_EQ(header.Headerstyle(), v.style);
    EXPECT_EQ(header.BevelInner(), v.inner);
    EXPECT_EQ(header.BevelOuter(), v.outer);
    EXPECT_EQ(header.BorderStyle(), v.border);
    EXPECT_EQ(header.Align(), v.align);
    EXPECT_EQ(header.BorderWidth(), v.borderWidth);
    EXPECT_EQ(header.BevelWidth(), v.bevelWidth);
    EXPECT_EQ(header.Hint(), v.hint);
    EXPECT_EQ(header.Color(), 0x00123456u);
    EXPECT_EQ(header.HotTrackColor(), 0x00654321u);
}

INSTANTIATE_TEST_SUITE_P(Loads, CustomizeDialogGeneralFields,
                         ::testing::Values(GeneralValues{false, true, bsWin31, bvRaised, bvNone,
                                                         bsSingle, alLeft, 3, 5, "first"},
                                           GeneralValues{true, false, bsNew, bvLowered, bvRaised,
                                                         bsNone, alRight, 6, 2, "second"}),
                         [](const auto& param) { return std::string(param.param.hint); });

TEST_F(CustomizeDialog, HotTrackBoxEnablesItsButtonAndGatesTheColourWrite) {
    header.SetOptions(AllHeaderOptions & ~hoHotTrack);
    header.SetColor(0x00C0C0C0);
    dialogs.chosenColor = 0x000000FF;
    bool enabledAtLoad = false, enabledAfterCheck = true;
    Run([&](THeadersFrm& f) {
        enabledAtLoad = f.General.HotTrackButton.Enabled();
        f.General.HotTrackButton.UserClick(); // picked while the box is unchecked
        f.General.HotTrack.UserSetChecked(true);
        f.General.HotTrack.UserSetChecked(false);
        enabledAfterCheck = f.General.HotTrackButton.Enabled();
        f.OkBtn.UserClick();
    });
    EXPECT_TRUE(enabledAtLoad); // the box did not change: its handler never ran
    EXPECT_FALSE(enabledAfterCheck);
    EXPECT_EQ(dialogs.colorPresets, (std::vector<TColor>{0x00C0C0C0})); // the panel's colour
    EXPECT_EQ(header.HotTrackColor(), clNavy);                          // not written

    Run([&](THeadersFrm& f) {
        f.General.HotTrack.UserSetChecked(true);
        f.General.HotTrackButton.UserClick();
        f.OkBtn.UserClick();
    });
    EXPECT_EQ(header.HotTrackColor(), 0x000000FFu);
}

TEST_F(CustomizeDialog, CheckingHotTrackWithoutPickingKeepsTheControlsColour) {
    header.SetOptions(AllHeaderOptions & ~hoHotTrack);
    header.SetHotTrackColor(0x00008000);
    Run([](THeadersFrm& f) {
        f.General.HotTrack.UserSetChecked(true);
        f.OkBtn.UserClick();
    });
    EXPECT_EQ(header.HotTrackColor(), 0x00008000u);
    EXPECT_TRUE(header.Options() & hoHotTrack);
}

TEST_F(CustomizeDialog, FontAndColourChoicesGoThroughThePanelAndCancelledOnesChangeNothing) {
    TFont chosen;
    chosen.Name = "Arial";
    chosen.Height = -16;
    chosen.Style = fsBold;
    dialogs.chosenFont = chosen;
    dialogs.chosenColor = 0x00FFEEDD;
    header.SetColor(0x00101010);
    Run([&](THeadersFrm& f) {
        f.Dirty = false;
        dialogs.confirm = false;
        f.General.Font.UserClick();
        f.General.Color.UserClick();
        f.General.HotTrackButton.UserClick();
        EXPECT_FALSE(f.Dirty);
        EXPECT_EQ(dialogs.fontPreset, header.Font());
        dialogs.confirm = true;
        f.General.Font.UserClick();
        EXPECT_TRUE(f.Dirty);
        f.General.Color.UserClick();
        EXPECT_EQ(f.General.ColorPanel.Font(), chosen);
        EXPECT_EQ(f.General.ColorPanel.Color(), 0x00FFEEDDu);
        f.OkBtn.UserClick();
    });
    EXPECT_EQ(header.Font(), chosen);
    EXPECT_EQ(header.Color(), 0x00FFEEDDu);
}

TEST_F(CustomizeDialog, VisibleIsAssignedOnlyWhenItDiffers) {
    Run([](THeadersFrm& f) {
        f.General.VisibleCheck.UserSetChecked(false);
        f.OkBtn.UserClick();
    });
    EXPECT_FALSE(header.Visible());
}

TEST_F(CustomizeDialog, NumberFieldsOfTheGeneralPageUseTheSameFilter) {
    Run([](THeadersFrm& f) {
        f.Dirty = false;
        EXPECT_EQ(f.General.BorderWidth.UserKeyPress('-'), 0);
        EXPECT_EQ(f.General.BevelWidth.UserKeyPress(8), 8);
        EXPECT_FALSE(f.Dirty);
        EXPECT_EQ(f.General.BevelWidth.UserKeyPress('4'), '4');
        EXPECT_TRUE(f.Dirty);
    });
}

TEST_F(CustomizeDialog, ValueObserverSeesEveryControlChangeButNotTreeCommands) {
    THeadersFrm form;
    int changes = 0;
    form.SetValueChangedObserver([&] { ++changes; });
    form.FormCreate();
    EXPECT_EQ(changes, 0);
    form.HeaderControl = &header;
    form.FormShow();
    const int afterLoad = changes;
    EXPECT_GT(afterLoad, 0);
    form.Sections.Headers.Select(form.Sections.Headers.Item(1)); // loads "50"
    EXPECT_GT(changes, afterLoad);
    const int afterSelect = changes;
    form.Sections.MoveUpBtnClick();
    EXPECT_EQ(changes, afterSelect);
}

// The control's own Customize runs the dialog that the platform installed.
class DialogThroughCycle : public TCustomizeDialog {
public:
    explicit DialogThroughCycle(std::function<bool(TStrativ&)> run) : run_(std::move(run)) {}
    void Execute(TStrativ& h) override { result = run_(h); }
    bool result = false;

private:
    std::function<bool(TStrativ&)> run_;
};

TEST_F(CustomizeDialog, CustomizeRunsTheCycleBetweenItsEventsOnlyWithTheOption) {
    DialogThroughCycle dialog([this](TStrativ&) {
        log.push_back("dialog");
        return Run([](THeadersFrm& f) { f.OkBtn.UserClick(); });
    });
    header.SetCustomizeDialog(&dialog);
    header.OnBeforeCustomize = [this](TStrativ*) { log.push_back("BeforeCustomize"); };
    header.OnAfterCustomize = [this](TStrativ*) { log.push_back("AfterCustomize"); };
    header.Customize();
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeCustomize", "dialog", "Changed", "Changed",
                                             "AfterCustomize"}));
    log.clear();
    header.SetOptions(AllHeaderOptions & ~hoCustomize);
    header.Customize();
    EXPECT_TRUE(log.empty());
    header.SetCustomizeDialog(nullptr);
}

} // namespace

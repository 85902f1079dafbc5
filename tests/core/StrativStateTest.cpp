// The header control's state: construction, setter effects, the customize
// bracket, the dispatch methods and the context menu, seen through a window
// that counts what the control asks of it.

#include "core/control/CustomizeDialog.h"
#include "core/control/CustomizePopupMenu.h"
#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace corvane;

namespace {

class CountingWindow : public THeadlessWindowServices {
public:
    int invalidates = 0, repaints = 0, recreates = 0, realigns = 0, modified = 0;
    std::vector<std::string> log;
    std::vector<TMenuEntry> lastMenu;
    int menuChoice = -1;
    std::string boxText, boxCaption;
    unsigned boxStyle = 0;

    void Invalidate() override { ++invalidates; }
    void Repaint() override { ++repaints; }
    void RecreateWnd() override { ++recreates; }
    void Realign() override { ++realigns; }
    void DesignerModified() override { ++modified; }
    int TrackPopupMenu(const std::vector<TMenuEntry>& entries, TPoint) override {
        lastMenu = entries;
        return menuChoice;
    }
    int MessageBox(const std::string& text, const std::string& caption, unsigned style) override {
        boxText = text;
        boxCaption = caption;
        boxStyle = style;
        return 1;
    }
    void Reset() { invalidates = repaints = recreates = realigns = modified = 0; }
};

class StrativState : public ::testing::Test {
protected:
    StrativState() { header.SetWindowServices(&window); }
    ~StrativState() override { header.SetWindowServices(nullptr); }
    CountingWindow window;
    TStrativ header;
};

std::vector<std::string> Captions(const TMenuEntry* first, size_t count) {
    std::vector<std::string> captions;
    for (size_t i = 0; i < count; ++i)
        captions.push_back(first[i].Caption);
    return captions;
}

} // namespace

TEST_F(StrativState, NewControlStartsWithOneSectionAndItsDefaults) {
    ASSERT_EQ(header.Sections()->Count(), 1);
    EXPECT_EQ(header.Sections()->Items(0)->Caption(), "TStrativ v.2.8");
    EXPECT_EQ(header.Sections()->Items(0)->Width(), 75);
    EXPECT_EQ(header.Sections()->Items(0)->Height(), 17);
    EXPECT_EQ(header.ColumnCount(), 1);
    EXPECT_EQ(header.Width(), 250);
    EXPECT_EQ(header.Height(), 25);
    EXPECT_EQ(header.Options(), 0xFF);
    EXPECT_EQ(header.BorderStyle(), bsSingle);
    EXPECT_EQ(header.BevelWidth(), 1);
    EXPECT_EQ(header.BevelInner(), bvNone);
    EXPECT_EQ(header.BevelOuter(), bvNone);
    EXPECT_EQ(header.BorderWidth(), 0);
    EXPECT_EQ(header.Headerstyle(), bsAutoDetect);
    EXPECT_EQ(header.HotTrackColor(), 0x00800000u);
    EXPECT_EQ(header.CustomizeMenustring(), "Customize...");
    EXPECT_EQ(header.TrackState(), tsIdle);
    EXPECT_EQ(header.TrackLine(), (TPoint{-1, -1}));
    EXPECT_EQ(header.PendingSize(), (TPoint{-1, -1}));
    EXPECT_FALSE(header.Pressed());
    EXPECT_EQ(header.HotSection(), nullptr);
    EXPECT_EQ(header.Color(), 0x80000005u);
    EXPECT_TRUE(header.ParentColor());
    EXPECT_TRUE(header.ControlStyle() & csDesignInteractive);
    EXPECT_TRUE(header.ControlStyle() & csOpaque);
    // The index is the tree's change handler from the start.
    EXPECT_TRUE(header.Sections()->OnChange());
    EXPECT_EQ(header.Sections()->Items(0)->OnChange(), header.Sections()->OnChange());
}

TEST_F(StrativState, SettersRepaintOnlyWhereTheyShould) {
    struct Case {
        const char* what;
        std::function<void(TStrativ&)> set;
        int invalidates, recreates, realigns;
    };
    const Case cases[] = {
        {"same options", [](TStrativ& h) { h.SetOptions(0xFF); }, 0, 0, 0},
        {"new options", [](TStrativ& h) { h.SetOptions(0x7F); }, 1, 0, 0},
        {"same header style", [](TStrativ& h) { h.SetHeaderstyle(bsAutoDetect); }, 0, 0, 0},
        {"new header style", [](TStrativ& h) { h.SetHeaderstyle(bsWin31); }, 1, 0, 0},
        {"same inner bevel", [](TStrativ& h) { h.SetBevelInner(bvNone); }, 1, 0, 0},
        {"same outer bevel", [](TStrativ& h) { h.SetBevelOuter(bvNone); }, 1, 0, 0},
        {"same bevel width", [](TStrativ& h) { h.SetBevelWidth(1); }, 1, 0, 0},
        {"border width", [](TStrativ& h) { h.SetBorderWidth(3); }, 1, 0, 1},
        {"same border style", [](TStrativ& h) { h.SetBorderStyle(bsSingle); }, 0, 0, 0},
        {"new border style", [](TStrativ& h) { h.SetBorderStyle(bsNone); }, 0, 1, 0},
        {"hot track colour", [](TStrativ& h) { h.SetHotTrackColor(0xFF); }, 0, 0, 0},
        {"menu string", [](TStrativ& h) { h.SetCustomizeMenustring("x"); }, 0, 0, 0},
    };
    for (const Case& c : cases) {
        TStrativ h;
        CountingWindow w;
        h.SetWindowServices(&w);
        c.set(h);
        EXPECT_EQ(w.invalidates, c.invalidates) << c.what;
        EXPECT_EQ(w.recreates, c.recreates) << c.what;
        EXPECT_EQ(w.realigns, c.realigns) << c.what;
        h.SetWindowServices(nullptr);
    }
}

TEST_F(StrativState, BorderStyleDecidesTheClientArea) {
    EXPECT_EQ(header.ClientWidth(), 248);
    EXPECT_EQ(header.ClientHeight(), 23);
    header.SetBorderStyle(bsNone);
    EXPECT_EQ(header.ClientWidth(), 250);
    header.SetClientSize(100, 30);
    EXPECT_EQ(header.Width(), 100);
}

TEST_F(StrativState, ColorFollowsTheParentUntilSet) {
    header.ParentColorChanged(0x00123456);
    EXPECT_EQ(header.Color(), 0x00123456u);
    header.SetColor(0x80000004);
    EXPECT_FALSE(header.ParentColor());
    header.ParentColorChanged(0x00ABCDEF);
    EXPECT_EQ(header.Color(), 0x80000004u);
}

TEST_F(StrativState, AssigningSectionsKeepsTheRootAndCopiesTheTree) {
    THeaderColumns source;
    THeaderColumns* a = source.Add("A");
    a->Add("A1")->SetWidth(30);
    a->Add("A2")->SetWidth(40);
    source.Add("B")->SetWordwrap(true);
    THeaderColumns* root = header.Sections();
    THeaderColumns* oldSection = header.Sections()->Items(0);
    SectionRef oldRef(oldSection);

    header.SetSections(&source);

    EXPECT_EQ(header.Sections(), root);
    EXPECT_FALSE(oldRef); // the old section was freed
    ASSERT_EQ(root->Count(), 2);
    EXPECT_NE(root->Items(0), a);
    EXPECT_EQ(root->Items(0)->Caption(), "A");
    EXPECT_EQ(root->Items(0)->Width(), 70);
    EXPECT_FALSE(root->Items(1)->Wordwrap());
    // Copying under the root reports nothing, yet the index never shows the
    // freed section: its columns are the new leaves.
    ASSERT_EQ(header.ColumnCount(), 3);
    EXPECT_EQ(header.Levels().Leaf(0)->Caption(), "A1");
    EXPECT_EQ(header.Levels().Leaf(2)->Caption(), "B");
}

TEST_F(StrativState, LoadedRebuildsTheIndexAndRepaints) {
    header.Sections()->Add("unreported"); // Add on the root reports nothing
    EXPECT_EQ(header.ColumnCount(), 1);
    header.BeginLoading();
    header.Loaded();
    EXPECT_EQ(header.ColumnCount(), 2);
    EXPECT_EQ(window.repaints, 1);
    EXPECT_FALSE(header.ComponentState() & csLoading);
}

TEST_F(StrativState, AnEmptyTreeHasNoColumns) {
    header.Sections()->Clear();
    header.Sections()->Changed(true);
    EXPECT_EQ(header.ColumnCount(), 0);
}

namespace {

class RecordingDialog : public TCustomizeDialog {
public:
    explicit RecordingDialog(std::vector<std::string>& log) : log_(log) {}
    void Execute(TStrativ&) override { log_.push_back("dialog"); }

private:
    std::vector<std::string>& log_;
};

} // namespace

TEST_F(StrativState, CustomizeBracketsTheDialogOnlyWithTheOption) {
    std::vector<std::string> log;
    RecordingDialog dialog(log);
    header.SetCustomizeDialog(&dialog);
    header.OnBeforeCustomize = [&](TStrativ* s) {
        EXPECT_EQ(s, &header);
        log.push_back("before");
    };
    header.OnAfterCustomize = [&](TStrativ*) { log.push_back("after"); };
    header.OnBeforeApply = [&](TStrativ*) { log.push_back("before apply"); };
    header.OnAfterApply = [&](TStrativ*) { log.push_back("after apply"); };

    header.Customize();
    EXPECT_EQ(log, (std::vector<std::string>{"before", "dialog", "after"}));

    log.clear();
    header.SetOptions(header.Options() & ~hoCustomize);
    header.Customize();
    EXPECT_TRUE(log.empty());

    header.BeforeApply();
    header.AfterApply();
    EXPECT_EQ(log, (std::vector<std::string>{"before apply", "after apply"}));
}

TEST_F(StrativState, DispatchMethodsFireAndReadBackByReferenceArguments) {
    THeaderColumns* section = header.Sections()->Items(0);
    std::vector<std::string> log;
    // Unassigned handlers do nothing; designing still tells the designer.
    header.SetDesigning(true);
    header.DoSized(section, 0, 10);
    header.DoHeightChanged(section, 10);
    EXPECT_EQ(window.modified, 2);
    header.SetDesigning(false);
    header.DoSized(section, 0, 10);
    EXPECT_EQ(window.modified, 2);

    header.OnSizing = [&](TStrativ*, THeaderColumns* s, int index, int width) {
        log.push_back("sizing " + s->Caption() + " " + std::to_string(index) + " " +
                      std::to_string(width));
    };
    header.OnHint = [](TStrativ*, THeaderColumns*, std::string& hint) { hint += "!"; };
    header.OnDropSection = [](TStrativ*, THeaderColumns*, THeaderColumns*, bool& asChild,
                              bool& allow) {
        asChild = !asChild;
        allow = false;
    };
    header.DoSizing(section, 3, 42);
    EXPECT_EQ(log, (std::vector<std::string>{"sizing TStrativ v.2.8 3 42"}));
    std::string hint = "hi";
    header.DoHint(section, hint);
    EXPECT_EQ(hint, "hi!");
    bool asChild = false, allow = true;
    header.DoDropSection(section, section, asChild, allow);
    EXPECT_TRUE(asChild);
    EXPECT_FALSE(allow);
}

TEST_F(StrativState, AboutBoxShowsTheFixedTextWithAnInformationIcon) {
    header.ShowAbout();
    EXPECT_EQ(window.boxStyle, 0x40u);
    EXPECT_EQ(
        window.boxText.rfind("TStrativ v.2.8\r\nDescription:\r\n Strativ control with:\r\n", 0),
        0u);
    EXPECT_NE(window.boxText.find("     f) Events : OnSizing, Onsized Allow to monitor "
                                  "ColumnWidths\r\n"),
              std::string::npos);
    // The last line has no line break after it.
    const std::string last = "     g) Very easy-to-use customizing, and very effective!!!.";
    EXPECT_EQ(window.boxText.substr(window.boxText.size() - last.size()), last);
    EXPECT_EQ(std::count(window.boxText.begin(), window.boxText.end(), '\n'), 10);
}

TEST_F(StrativState, ContextMenuIsBuiltAfreshAtEveryOpening) {
    TCustomizePopupMenu& menu = header.CustomizeMenu();
    menu.SetPopupComponent(&header);

    menu.PopupAt(window, 5, 6, AllHeaderOptions);
    EXPECT_EQ(Captions(window.lastMenu.data(), window.lastMenu.size()),
              (std::vector<std::string>{"About Strativ...", "-", "Customize..."}));
    ASSERT_EQ(menu.Count(), 3);
    EXPECT_EQ(menu.Items(0)->Tag, -102);
    EXPECT_EQ(menu.Items(1)->Tag, 0);
    EXPECT_EQ(menu.Items(2)->Tag, -101);
    EXPECT_EQ(menu.Header(), &header); // kept after the menu closed

    header.SetCustomizeMenustring("");
    menu.PopupAt(window, 5, 6, AllHeaderOptions & ~hoAbout);
    EXPECT_EQ(Captions(window.lastMenu.data(), window.lastMenu.size()),
              (std::vector<std::string>{""}));
    EXPECT_EQ(menu.Count(), 1);

    menu.ClearItems();
    EXPECT_EQ(menu.Count(), 0);
    EXPECT_EQ(menu.Header(), nullptr);
}

TEST_F(StrativState, MenuItemsReachTheHeaderAfterTheMenuCloses) {
    std::vector<std::string> log;
    header.OnBeforeCustomize = [&](TStrativ*) { log.push_back("before"); };
    header.OnAfterCustomize = [&](TStrativ*) { log.push_back("after"); };
    TCustomizePopupMenu& menu = header.CustomizeMenu();
    menu.SetPopupComponent(&header);

    window.menuChoice = 2; // the customize item
    menu.PopupAt(window, 0, 0, AllHeaderOptions);
    EXPECT_EQ(log, (std::vector<std::string>{"before", "after"}));

    window.menuChoice = 0; // About
    menu.PopupAt(window, 0, 0, AllHeaderOptions);
    EXPECT_EQ(window.boxStyle, 0x40u);

    window.boxStyle = 0;
    window.menuChoice = 1; // the separator does nothing
    menu.PopupAt(window, 0, 0, AllHeaderOptions);
    EXPECT_EQ(window.boxStyle, 0u);
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(StrativState, MenuForeignToTheHeaderShowsNoAddedItems) {
    TCustomizePopupMenu& menu = header.CustomizeMenu();
    THeaderColumns notAHeader;
    menu.SetPopupComponent(&notAHeader);
    menu.PopupAt(window, 0, 0, AllHeaderOptions);
    EXPECT_TRUE(window.lastMenu.empty());
    EXPECT_EQ(menu.Header(), nullptr);
}

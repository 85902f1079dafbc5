// The whole control stream: the entries a control writes, in order and under
// the default rule, and that every value survives a save and a reload.

#include "StreamTestBytes.h"
#include "StreamWorkedExample.h"
#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "core/stream/StrativStream.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace corvane {
namespace {

using namespace stream_test;

const Bytes Prefix = Cat(Text("TPF0"), Name("TStrativ"), Name(""));
const Bytes AllOptions =
    Cat(B({0x0B}), Name("hoCustomize"), Name("hoAbout"), Name("hoVResize"), Name("hoHresize"),
        Name("hoClick"), Name("hoHotTrack"), Name("hoHint"), Name("hoDragdrop"), B({0x00}));

TEST(StreamStrativTest, WorkedExampleControlStream) {
    TStrativ control;
    control.Sections()->Clear();
    BuildWorkedExample(*control.Sections());
    const Bytes expected =
        Cat(Prefix, Name("Left"), B({0x02, 0x00}), Name("Top"), B({0x02, 0x00}), Name("Width"),
            B({0x03, 0xFA, 0x00}), Name("Height"), B({0x02, 0x19}), Name("HotTrackColor"),
            Ident("clNavy"), Name("CustomizeMenustring"), ShortString("Customize..."),
            Name("BevelOuter"), Ident("bvNone"), Name("Headerstyle"), Ident("bsAutoDetect"),
            B({0x10, 0x53, 0x65, 0x63, 0x74, 0x69, 0x6F, 0x6E, 0x73, 0x2E, 0x54, 0x79, 0x70, 0x65,
               0x43, 0x6F, 0x6C}),
            B({0x02, 0x00}), Name("Sections.Caption"), B({0x06, 0x0D}), Text("HeaderColumns"),
            Name("Sections.Width"), B({0x03, 0x18, 0x01}), Name("Sections.Height"), B({0x02, 0x11}),
            Name("Sections.Alignment"), B({0x07, 0x0D}), Text("taLeftJustify"),
            Name("Sections.Wordwrap"), B({0x08}), Name("Sections.HeaderColumns"), WorkedExample,
            Name("Options"), AllOptions, B({0x00, 0x00}));
    EXPECT_EQ(SaveStrativ(control), expected);
}

// Every stored value of a control, one per line.
std::string Describe(TStrativ& c) {
    std::ostringstream out;
    const TFont& f = c.Font();
    out << "Name=" << c.Name() << "\nBounds=" << c.Left() << "," << c.Top() << "," << c.Width()
        << "," << c.Height() << "\nCursor=" << c.Cursor() << "\nHint=" << c.Hint()
        << "\nBiDiMode=" << int(c.BiDiMode()) << "\nDoubleBuffered=" << c.DoubleBuffered()
        << "\nHotTrackColor=" << c.HotTrackColor()
        << "\nCustomizeMenustring=" << c.CustomizeMenustring()
        << "\nBevelInner=" << int(c.BevelInner()) << "\nBevelOuter=" << int(c.BevelOuter())
        << "\nBevelWidth=" << c.BevelWidth() << "\nBorderWidth=" << c.BorderWidth()
        << "\nColor=" << c.Color() << "/" << c.ParentColor()
        << "\nHeaderstyle=" << int(c.Headerstyle()) << "\nAlign=" << int(c.Align())
        << "\nBorderStyle=" << int(c.BorderStyle()) << "\nEnabled=" << c.Enabled()
        << "\nFont=" << f.Name << "," << f.Height << "," << int(f.Style) << "," << int(f.Charset)
        << "," << f.Color << "\nParentFont=" << c.ParentFont()
        << "\nParentShowHint=" << c.ParentShowHint() << "\nPopupMenu=" << c.PopupMenu()
        << "\nShowHint=" << c.ShowHint() << "\nTabOrder=" << c.TabOrder()
        << "\nTabStop=" << c.TabStop() << "\nVisible=" << c.Visible()
        << "\nOptions=" << int(c.Options()) << "\nColumns=" << c.ColumnCount() << "\n";
    std::function<void(const THeaderColumns&, int)> tree = [&](const THeaderColumns& s, int depth) {
        out << std::string(depth, ' ') << "[" << s.Caption() << "] " << s.TypeCol() << " "
            << s.StoredWidth() << " " << s.Height() << " " << int(s.Alignment()) << " "
            << s.Wordwrap() << "\n";
        for (const THeaderColumns* child : s.Children())
            tree(*child, depth + 1);
    };
    tree(*c.Sections(), 0);
    return out.str();
}

struct Mutation {
    const char* What;
    std::function<void(TStrativ&)> Apply;
};

TEST(StreamStrativTest, EveryValueSurvivesSaveAndReload) {
    auto setFont = [](TStrativ& c, const std::function<void(TFont&)>& change) {
        TFont font = c.Font();
        change(font);
        c.SetFont(font);
    };
    const Mutation mutations[] = {
        {"new control", [](TStrativ&) {}},
        {"name", [](TStrativ& c) { c.SetName("Header1"); }},
        {"bounds", [](TStrativ& c) { c.SetBounds(-5, 70000, 1, INT32_MIN); }},
        {"named cursor", [](TStrativ& c) { c.SetCursor(-21); }},
        {"unnamed cursor", [](TStrativ& c) { c.SetCursor(5); }},
        {"hint", [](TStrativ& c) { c.SetHint("tip"); }},
        {"bidi", [](TStrativ& c) { c.SetBiDiMode(bdRightToLeftReadingOnly); }},
        {"double buffered", [](TStrativ& c) { c.SetDoubleBuffered(true); }},
        {"hot-track colour marker", [](TStrativ& c) { c.SetHotTrackColor(0x80000000u); }},
        {"hot-track colour", [](TStrativ& c) { c.SetHotTrackColor(0x00123456u); }},
        {"menu string", [](TStrativ& c) { c.SetCustomizeMenustring(std::string(300, 'm')); }},
        {"empty menu string", [](TStrativ& c) { c.SetCustomizeMenustring(""); }},
        {"bevel inner", [](TStrativ& c) { c.SetBevelInner(bvSpace); }},
        {"bevel outer raised", [](TStrativ& c) { c.SetBevelOuter(bvRaised); }},
        {"bevel outer unnamed", [](TStrativ& c) { c.SetBevelOuter(static_cast<TBevelCut>(9)); }},
        {"bevel width", [](TStrativ& c) { c.SetBevelWidth(0); }},
        {"border width", [](TStrativ& c) { c.SetBorderWidth(7); }},
        {"colour = declared default", [](TStrativ& c) { c.SetColor(clBtnFace); }},
        {"colour", [](TStrativ& c) { c.SetColor(0x00FF8040u); }},
        {"header style new", [](TStrativ& c) { c.SetHeaderstyle(bsNew); }},
        {"header style win31", [](TStrativ& c) { c.SetHeaderstyle(bsWin31); }},
        {"align", [](TStrativ& c) { c.SetAlign(alClient); }},
        {"border style", [](TStrativ& c) { c.SetBorderStyle(bsNone); }},
        {"disabled", [](TStrativ& c) { c.SetEnabled(false); }},
        {"font",
         [&](TStrativ& c) {
             setFont(c, [](TFont& f) {
                 f.Name = "Arial";
                 f.Height = -13;
                 f.Style = fsBold | fsStrikeOut;
                 f.Charset = 204;
                 f.Color = 0x000000FF;
             });
         }},
        {"font, unnamed charset, empty name",
         [&](TStrativ& c) {
             setFont(c, [](TFont& f) {
                 f.Charset = 3;
                 f.Name.clear();
             });
         }},
        {"own font", [](TStrativ& c) { c.SetParentFont(false); }},
        {"parent show hint off", [](TStrativ& c) { c.SetParentShowHint(false); }},
        {"show hint from parent, on",
         [](TStrativ& c) {
             c.SetShowHint(true);
             c.SetParentShowHint(true);
         }},
        {"show hint own, off", [](TStrativ& c) { c.SetShowHint(false); }},
        {"popup menu", [](TStrativ& c) { c.SetPopupMenu("PopupMenu1"); }},
        {"tab order", [](TStrativ& c) { c.SetTabOrder(3); }},
        {"tab stop", [](TStrativ& c) { c.SetTabStop(true); }},
        {"hidden", [](TStrativ& c) { c.SetVisible(false); }},
        {"no options", [](TStrativ& c) { c.SetOptions(0); }},
        {"some options", [](TStrativ& c) { c.SetOptions(hoClick | hoHint); }},
        {"worked example tree",
         [](TStrativ& c) {
             c.Sections()->Clear();
             BuildWorkedExample(*c.Sections());
         }},
        {"empty tree", [](TStrativ& c) { c.Sections()->Clear(); }},
        {"root fields",
         [](TStrativ& c) {
             THeaderColumns& root = *c.Sections();
             root.SetCaption("");
             root.SetTypeCol(INT32_MIN);
             root.SetWidth(123);
             root.SetHeight(40);
             root.SetAlignment(taCenter);
             root.SetWordwrap(true);
             root.Items(0)->SetTypeCol(-7);
         }},
    };
    TStrativ fresh;
    const std::string freshState = Describe(fresh);
    for (const Mutation& m : mutations) {
        SCOPED_TRACE(m.What);
        TStrativ original;
        m.Apply(original);
        if (std::string(m.What) != "new control") {
            EXPECT_NE(Describe(original), freshState) << "mutation changes nothing";
        }
        const Bytes saved = SaveStrativ(original);
        TStrativ reloaded;
        EXPECT_EQ(LoadStrativ(reloaded, saved), saved.size());
        EXPECT_EQ(Describe(reloaded), Describe(original));
        EXPECT_EQ(SaveStrativ(reloaded), saved);
    }
}

TEST(StreamStrativTest, AboutAndPropertiesAreNeverStored) {
    TStrativ plain, annotated;
    annotated.SetAbout("about text");
    annotated.SetProperties("properties text");
    EXPECT_EQ(SaveStrativ(annotated), SaveStrativ(plain));
}

// A popup menu is named where the control publishes it, after
// ParentShowHint; with none, nothing is written.
TEST(StreamStrativTest, PopupMenuIsStoredByNameOnlyWhenSet) {
    TStrativ control;
    control.SetParentShowHint(false);
    const Bytes unset = SaveStrativ(control);
    const Bytes name = Name("PopupMenu");
    EXPECT_EQ(std::search(unset.begin(), unset.end(), name.begin(), name.end()), unset.end());

    control.SetPopupMenu("HeaderMenu");
    const Bytes set = SaveStrativ(control);
    const Bytes entry = Cat(Name("ParentShowHint"), B({0x08}), Name("PopupMenu"),
                            Ident("HeaderMenu"), Name("Sections.TypeCol"));
    EXPECT_NE(std::search(set.begin(), set.end(), entry.begin(), entry.end()), set.end());
    const Bytes added = Cat(Name("PopupMenu"), Ident("HeaderMenu"));
    EXPECT_EQ(set.size(), unset.size() + added.size()); // nothing else changed

    TStrativ reloaded;
    LoadStrativ(reloaded, Cat(Prefix, Name("popupmenu"), Ident("OtherMenu"), B({0x00, 0x00})));
    EXPECT_EQ(reloaded.PopupMenu(), "OtherMenu");
}

TEST(StreamStrativTest, OwnColourAndFontAreStoredParentOnesAreNot) {
    TStrativ control;
    const Bytes plain = SaveStrativ(control);
    control.ParentColorChanged(0x00ABCDEF); // follows the parent: not the control's own
    EXPECT_EQ(SaveStrativ(control), plain);
    control.SetColor(clBtnFace);
    const Bytes withColor = SaveStrativ(control);
    const Bytes colorEntry = Cat(Name("Color"), Ident("clBtnFace"), Name("Headerstyle"));
    EXPECT_NE(std::search(withColor.begin(), withColor.end(), colorEntry.begin(), colorEntry.end()),
              withColor.end());

    control.SetParentFont(false);
    const Bytes withFont = SaveStrativ(control);
    const Bytes fontEntries =
        Cat(Name("Font.Charset"), Ident("DEFAULT_CHARSET"), Name("Font.Color"),
            Ident("clWindowText"), Name("Font.Height"), B({0x02, 0xF5}), Name("Font.Name"),
            ShortString("MS Sans Serif"), Name("ParentFont"), B({0x08}));
    EXPECT_NE(std::search(withFont.begin(), withFont.end(), fontEntries.begin(), fontEntries.end()),
              withFont.end());
}

TEST(StreamStrativTest, AbsentEntriesKeepValuesExceptThoseTheDefaultRuleLeavesOut) {
    TStrativ control;
    control.SetBevelInner(bvLowered);
    control.SetTabOrder(4);
    LoadStrativ(control, Cat(Prefix, B({0x00, 0x00})));
    // Left out only when equal to the declared default (or empty).
    EXPECT_EQ(control.BevelOuter(), bvRaised);
    EXPECT_EQ(control.Headerstyle(), bsNew);
    EXPECT_EQ(control.CustomizeMenustring(), "");
    // Everything else is untouched, the tree too.
    EXPECT_EQ(control.BevelInner(), bvLowered);
    EXPECT_EQ(control.TabOrder(), 4);
    ASSERT_EQ(control.Sections()->Count(), 1);
    EXPECT_EQ(control.Sections()->Items(0)->Caption(), TStrativ::DefaultSectionCaption);
}

TEST(StreamStrativTest, PropertyNamesMatchWithoutRegardToCase) {
    TStrativ control;
    LoadStrativ(control, Cat(Prefix, Name("BEVELOUTER"), Ident("BVSPACE"),
                             Name("sections.headercolumns"), WorkedExample, Name("options"),
                             B({0x0B}), Name("hoclick"), B({0x00}), B({0x00, 0x00})));
    EXPECT_EQ(control.BevelOuter(), bvSpace);
    EXPECT_EQ(control.Options(), hoClick);
    EXPECT_EQ(control.ColumnCount(), 3); // Loaded rebuilt the index
}

TEST(StreamStrativTest, UnknownPropertiesAreNamedInTheError) {
    const std::pair<Bytes, std::string> cases[] = {
        {Cat(Name("Foo"), B({0x02, 0x00})),
         "Error reading TStrativ.Foo: Property Foo does not exist"},
        {Cat(Name("Sections.Foo"), B({0x02, 0x00})),
         "Error reading TStrativ.Sections.Foo: Property Foo does not exist"},
        {Cat(Name("Foo.Width"), B({0x02, 0x00})),
         "Error reading TStrativ.Foo.Width: Property Foo does not exist"},
        {Cat(Name("Left.Width"), B({0x02, 0x00})),
         "Error reading TStrativ.Left.Width: Property Left does not exist"},
        {Cat(Name("About"), ShortString("x")),
         "Error reading TStrativ.About: Property About does not exist"},
        {Cat(Name("HeaderColumns"), WorkedExample),
         "Error reading TStrativ.HeaderColumns: Property HeaderColumns does not exist"},
    };
    for (const auto& [entry, message] : cases) {
        TStrativ control;
        EXPECT_EQ(ReadErrorOf([&] {
                      LoadStrativ(control, Cat(Prefix, entry, B({0x00, 0x00})));
                  }),
                  message);
    }
}

TEST(StreamStrativTest, BadValuesAndStructure) {
    const std::pair<Bytes, std::string> cases[] = {
        {Cat(Text("TPF1"), Name("TStrativ"), Name(""), B({0x00, 0x00})), "Invalid stream format"},
        {Cat(Prefix, Name("Left"), ShortString("x"), B({0x00, 0x00})), "Invalid property value"},
        {Cat(Prefix, Name("Align"), Ident("alSideways"), B({0x00, 0x00})),
         "Invalid property value"},
        {Cat(Prefix, Name("Visible"), B({0x02, 0x01}), B({0x00, 0x00})), "Invalid property value"},
        // A component reference is a name, never a string.
        {Cat(Prefix, Name("PopupMenu"), ShortString("PopupMenu1"), B({0x00, 0x00})),
         "Invalid property value"},
        {Cat(Prefix, Name("Options"), B({0x0B}), Name("hoFly"), B({0x00, 0x00, 0x00})),
         "Invalid property value"},
        {Cat(Prefix, B({0x00}), Name("TButton"), Name("Button1"), B({0x00, 0x00, 0x00})),
         "Class TButton not found"},
    };
    for (const auto& [bytes, message] : cases) {
        TStrativ control;
        EXPECT_EQ(ReadErrorOf([&] { LoadStrativ(control, bytes); }), message);
    }
}

TEST(StreamStrativTest, EveryTruncationIsAStreamReadErrorAndTheIndexMatchesTheTree) {
    TStrativ original;
    original.Sections()->Clear();
    BuildWorkedExample(*original.Sections());
    original.SetParentFont(false);
    const Bytes saved = SaveStrativ(original);
    for (size_t length = 0; length < saved.size(); ++length) {
        SCOPED_TRACE(length);
        TStrativ control;
        EXPECT_EQ(ReadErrorOf([&] {
                      LoadStrativ(control, Bytes(saved.begin(), saved.begin() + long(length)));
                  }),
                  "Stream read error");
        int leaves = 0;
        for (THeaderColumns* s = control.Sections()->GetFirstChild(); s != nullptr;
             s = s->GetNext())
            leaves += s->HasChildren() ? 0 : 1;
        EXPECT_EQ(control.ColumnCount(), leaves);
    }
}

TEST(StreamStrativTest, DataAfterTheControlIsLeftToTheHost) {
    TStrativ control;
    const Bytes saved = SaveStrativ(control);
    TStrativ reloaded;
    EXPECT_EQ(LoadStrativ(reloaded, Cat(saved, Text("host data"))), saved.size());
}

} // namespace
} // namespace corvane

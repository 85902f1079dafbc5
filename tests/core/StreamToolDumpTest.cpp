// The readable text corvane-tool prints for stored controls and sections.

#include "StreamTestBytes.h"
#include "StreamWorkedExample.h"
#include "core/control/Strativ.h"
#include "core/stream/StrativStream.h"
#include "core/stream/StreamDump.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

namespace corvane {
namespace {

using namespace stream_test;

TEST(StreamToolDumpTest, CaptionsPrintOnOnePlainLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "''"},
        {"Name", "'Name'"},
        {"It's", "'It''s'"},
        {"two\r\nlines", "'two'#13#10'lines'"},
        {"\xE9t\xE9", "#233't'#233"},
        {std::string("\0", 1), "#0"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(QuoteString(value), text);
}

TEST(StreamToolDumpTest, SectionTreeOneSectionPerLine) {
    EXPECT_EQ(DumpHeaderColumnsValue(WorkedExample),
              "'HeaderColumns' type=0 width=75 height=17 align=taLeftJustify wordwrap=False\n"
              "  'Name' type=0 width=200 height=17 align=taLeftJustify wordwrap=False\n"
              "  'Size' type=0 width=75 height=17 align=taLeftJustify wordwrap=False\n"
              "    'Low' type=0 width=40 height=17 align=taLeftJustify wordwrap=False\n"
              "    'High' type=0 width=40 height=17 align=taCenter wordwrap=True\n");
    EXPECT_THAT(DumpHeaderColumnsValue(Cat(WorkedExample, B({0x01, 0x02}))),
                ::testing::EndsWith("wordwrap=True\n2 more bytes after the sections\n"));
}

TEST(StreamToolDumpTest, ControlEntriesThenTheTree) {
    TStrativ control;
    control.SetName("Header1");
    control.Sections()->Clear();
    BuildWorkedExample(*control.Sections());
    control.SetParentFont(false);
    control.SetOptions(hoClick | hoHint);
    EXPECT_EQ(DumpControlStream(SaveStrativ(control)),
              "object Header1: TStrativ\n"
              "  Left = 0\n"
              "  Top = 0\n"
              "  Width = 250\n"
              "  Height = 25\n"
              "  HotTrackColor = clNavy\n"
              "  CustomizeMenustring = 'Customize...'\n"
              "  BevelOuter = bvNone\n"
              "  Headerstyle = bsAutoDetect\n"
              "  Font.Charset = DEFAULT_CHARSET\n"
              "  Font.Color = clWindowText\n"
              "  Font.Height = -11\n"
              "  Font.Name = 'MS Sans Serif'\n"
              "  ParentFont = False\n"
              "  Sections.TypeCol = 0\n"
              "  Sections.Caption = 'HeaderColumns'\n"
              "  Sections.Width = 280\n"
              "  Sections.Height = 17\n"
              "  Sections.Alignment = taLeftJustify\n"
              "  Sections.Wordwrap = False\n"
              "  Sections.HeaderColumns = (5 sections, below)\n"
              "  Options = [hoClick, hoHint]\n"
              "end\n"
              "Sections.HeaderColumns:\n"
              "  'HeaderColumns' type=0 width=75 height=17 align=taLeftJustify wordwrap=False\n"
              "    'Name' type=0 width=200 height=17 align=taLeftJustify wordwrap=False\n"
              "    'Size' type=0 width=75 height=17 align=taLeftJustify wordwrap=False\n"
              "      'Low' type=0 width=40 height=17 align=taLeftJustify wordwrap=False\n"
              "      'High' type=0 width=40 height=17 align=taCenter wordwrap=True\n");
}

TEST(StreamToolDumpTest, ShowsWhatIsStoredWhateverTheClassName) {
    const Bytes stream =
        Cat(Text("TPF0"), Name("TOther"), Name(""), Name("Left"), B({0x04, 0x00, 0x00, 0x00, 0x80}),
            Name("Options"), B({0x0B, 0x00}), B({0x00, 0x00}), Text("xyz"));
    EXPECT_EQ(DumpControlStream(stream), "object TOther\n"
                                         "  Left = -2147483648\n"
                                         "  Options = []\n"
                                         "end\n"
                                         "3 more bytes after the control\n");
}

// A damaged document fails in dump exactly where loading it fails, with the
// same message, after the entries before it.
TEST(StreamToolDumpTest, DamagedEntriesFailAsLoadingDoes) {
    const Bytes head = Cat(Text("TPF0"), Name("TStrativ"), Name(""));
    const Bytes good = Cat(Name("Left"), B({0x02, 0x07}));
    const Bytes badTree = Cat(Name("Sections.HeaderColumns"), B({0x01, 0x06, 0x01}), Text("x"),
                              B({0x02, 0x00, 0x02, 0x4B, 0x02, 0x11, 0x06, 0x01}), Text("a"));
    const Bytes damaged[] = {
        Cat(Name("Sections.Bogus"), B({0x02, 0x00})),
        Cat(Name("Sections.Alignment"), Ident("taFoo")),
        Cat(Name("Sections.Width"), ShortString("wide")),
        Cat(Name("HeaderColumns"), WorkedExample),
        Cat(Name("Options"), B({0x0B}), Name("hoNothing"), B({0x00})),
        Cat(Name("Color"), Ident("clNoSuch")),
        badTree,
        Cat(Name("Font.Bogus"), B({0x02, 0x00})),
    };
    for (const Bytes& entry : damaged) {
        const Bytes stream = Cat(head, good, entry, B({0x00, 0x00}));
        TStrativ control;
        const std::string loadError = ReadErrorOf([&] { LoadStrativ(control, stream); });
        ASSERT_FALSE(loadError.empty());
        EXPECT_EQ(ReadErrorOf([&] { DumpControlStream(stream); }), loadError);
        std::ostringstream printed;
        EXPECT_EQ(ReadErrorOf([&] { DumpControlStream(stream, printed); }), loadError);
        EXPECT_EQ(printed.str(), "object TStrativ\n  Left = 7\n") << loadError;
    }
}

TEST(StreamToolDumpTest, FaultyDataRaisesTheReadErrors) {
    const Bytes head = Cat(Text("TPF0"), Name("TStrativ"), Name(""));
    EXPECT_EQ(ReadErrorOf([&] { DumpControlStream(Cat(head, Name("Left"))); }),
              "Stream read error");
    EXPECT_EQ(ReadErrorOf([&] {
                  DumpControlStream(Cat(head, Name("Left"), B({0x01, 0x00})));
              }),
              "Invalid property value");
    EXPECT_EQ(ReadErrorOf([&] {
                  DumpHeaderColumnsValue(B({0x01, 0x00}));
              }),
              "Invalid property value");
    EXPECT_EQ(ReadErrorOf([&] { DumpControlStream(Text("TPF")); }), "Stream read error");
}

} // namespace
} // namespace corvane

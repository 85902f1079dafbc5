// Captions in any script survive the stream, the tree text and the dump;
// text the code page holds keeps the bytes stored documents have.

#include "StreamTestBytes.h"
#include "core/control/Strativ.h"
#include "core/framework/Exceptions.h"
#include "core/framework/streaming/Reader.h"
#include "core/model/HeaderColumns.h"
#include "core/platform/Utf8.h"
#include "core/stream/SectionTreeText.h"
#include "core/stream/StrativStream.h"
#include "core/stream/StreamDump.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace corvane {
namespace {

using namespace stream_test;

struct ScriptCase {
    const char* Name;
    std::string Text; // UTF-8
    std::string Ansi; // its Windows-1252 bytes, empty when that code page cannot hold it
};

const ScriptCase Scripts[] = {
    {"Japanese", "\xE5\x90\x8D\xE5\x89\x8D", ""},
    {"Cyrillic", "\xD0\x98\xD0\xBC\xD1\x8F", ""},
    {"Greek", "\xCE\xA9", ""},
    {"emoji", "a\xF0\x9F\x98\x80z", ""},          // one surrogate pair
    {"combining", "e\xCC\x81t\xC3\xA9", ""},      // e + U+0301, then a precomposed e-acute
    {"Arabic", "\xD8\xA7\xD8\xB3\xD9\x85 1", ""}, // right to left, then a digit
    {"accented Latin", "caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80"},
};

// The stream's value of a caption: the code page's bytes, else tag 0x12
// with the UTF-16LE units.
Bytes Encoded(const ScriptCase& c) {
    if (!c.Ansi.empty())
        return ShortString(c.Ansi);
    const std::u16string units = Utf16FromUtf8(c.Text);
    Bytes bytes = B({0x12, static_cast<int>(units.size()), 0, 0, 0});
    for (const char16_t unit : units) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return bytes;
}

TEST(TextInAnyScriptTest, EveryScriptSurvivesStreamTreeTextAndDump) {
    for (const ScriptCase& c : Scripts) {
        SCOPED_TRACE(c.Name);
        TStrativ control;
        control.Sections()->Items(0)->SetCaption(c.Text);
        control.SetCustomizeMenustring(c.Text);
        const Bytes saved = SaveStrativ(control);
        const Bytes value = Encoded(c);
        EXPECT_NE(std::search(saved.begin(), saved.end(), value.begin(), value.end()), saved.end());

        TStrativ loaded;
        LoadStrativ(loaded, saved);
        EXPECT_EQ(loaded.Sections()->Items(0)->Caption(), c.Text);
        EXPECT_EQ(loaded.CustomizeMenustring(), c.Text);
        EXPECT_EQ(SaveStrativ(loaded), saved); // resave keeps the bytes

        THeaderColumns fromText;
        ReadSectionTreeText(SectionTreeText(*control.Sections()), fromText);
        EXPECT_EQ(fromText.Items(0)->Caption(), c.Text);

        EXPECT_THAT(DumpControlStream(saved), ::testing::HasSubstr("'" + c.Text + "'"));
    }
}

TEST(TextInAnyScriptTest, WideStringsAreCheckedAgainstTheData) {
    // Count larger than the units that follow, and one that would overflow.
    EXPECT_THROW(TReader(B({0x12, 0x02, 0, 0, 0, 'a', 0})).ReadString(), EReadError);
    EXPECT_THROW(TReader(B({0x12, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0})).ReadString(), EReadError);
    // An unpaired surrogate reads as U+FFFD.
    EXPECT_EQ(TReader(B({0x12, 0x01, 0, 0, 0, 0x00, 0xD8})).ReadString(), "\xEF\xBF\xBD");
}

// The reader takes ASCII eight bytes at a time: a code-page byte is noticed
// wherever it stands, in a whole word or in the tail.
TEST(TextInAnyScriptTest, ACodePageByteAnywhereIsConverted) {
    for (size_t length = 1; length <= 19; ++length)
        for (size_t at = 0; at < length; ++at) {
            std::string ansi(length, 'x');
            ansi[at] = '\xE9';
            Bytes bytes = B({0x06, static_cast<int>(length)});
            bytes.insert(bytes.end(), ansi.begin(), ansi.end());
            std::string text(length - 1, 'x');
            text.insert(at, "\xC3\xA9");
            EXPECT_EQ(TReader(bytes).ReadString(), text) << length << " bytes, at " << at;
        }
}

TEST(TextInAnyScriptTest, TreeTextCarriesTheExactTree) {
    THeaderColumns root;
    root.SetCaption("Root");
    THeaderColumns* a = root.Add("It's");
    a->SetWidth(32768);
    a->SetTypeCol(-5);
    THeaderColumns* b = a->Add("two\r\nlines");
    b->SetAlignment(taCenter);
    b->SetWordwrap(true);
    b->SetHeight(40);
    root.Add("\xCE\xA9");
    const std::string text = SectionTreeText(root);

    THeaderColumns copy;
    copy.Add("old");
    ReadSectionTreeText(text, copy);
    EXPECT_EQ(SectionTreeText(copy), text);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Items(0)->Items(0)->Caption(), "two\r\nlines");
    EXPECT_EQ(copy.Items(0)->StoredWidth(), 32768);
    // Written by hand: CRLF lines, keys in any order, keys left out.
    ReadSectionTreeText("'R'\r\n  'x' align=taRightJustify width=9\r\n    #937\r\n", copy);
    EXPECT_EQ(copy.Items(0)->StoredWidth(), 9);
    EXPECT_EQ(copy.Items(0)->Alignment(), taRightJustify);
    EXPECT_EQ(copy.Items(0)->Items(0)->Caption(), "\xCE\xA9");
}

TEST(TextInAnyScriptTest, DamagedTreeTextChangesNothing) {
    const char* damaged[] = {
        "",                         // no root
        "  'child first'",          // indented root
        "'R'\n    'skips a level'", // two levels down at once
        "'R'\n   'odd indent'",
        "'unterminated",
        "no quotes",
        "'R' width=12x",
        "'R' width=99999999999",
        "'R' align=taMiddle",
        "'R' wordwrap=yes",
        "'R' colour=red",
        "'R' width",
        "#55296", // a lone surrogate
    };
    for (const char* text : damaged) {
        SCOPED_TRACE(text);
        THeaderColumns root;
        root.SetCaption("kept");
        root.Add("child");
        const std::string before = SectionTreeText(root);
        EXPECT_THROW(ReadSectionTreeText(text, root), EReadError);
        EXPECT_EQ(SectionTreeText(root), before);
    }
}

} // namespace
} // namespace corvane

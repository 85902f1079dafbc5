// Value encoding of the component stream: tags, integer sizes, strings,
// names, sets, and the reader's checks of truncated and mistagged data.

#include "StreamTestBytes.h"
#include "core/framework/streaming/IdentMap.h"
#include "core/framework/streaming/Reader.h"
#include "core/framework/streaming/Writer.h"
#include "core/stream/StrativProperties.h"

#include <gtest/gtest.h>

#include <climits>

namespace corvane {
namespace {

using namespace stream_test;

template <class F> Bytes Written(F&& write) {
    TWriter writer;
    write(writer);
    return writer.TakeBytes();
}

struct IntegerCase {
    int32_t Value;
    Bytes Encoded;
};

TEST(StreamValueTest, IntegersTakeTheSmallestTagThatHoldsThem) {
    const IntegerCase cases[] = {
        {0, B({0x02, 0x00})},
        {-1, B({0x02, 0xFF})},
        {127, B({0x02, 0x7F})},
        {-128, B({0x02, 0x80})},
        {128, B({0x03, 0x80, 0x00})},
        {-129, B({0x03, 0x7F, 0xFF})},
        {32767, B({0x03, 0xFF, 0x7F})},
        {-32768, B({0x03, 0x00, 0x80})},
        {32768, B({0x04, 0x00, 0x80, 0x00, 0x00})},
        {-32769, B({0x04, 0xFF, 0x7F, 0xFF, 0xFF})},
        {INT_MAX, B({0x04, 0xFF, 0xFF, 0xFF, 0x7F})},
        {INT_MIN, B({0x04, 0x00, 0x00, 0x00, 0x80})},
    };
    for (const IntegerCase& c : cases) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(Written([&](TWriter& w) { w.WriteInteger(c.Value); }), c.Encoded);
        TReader reader(c.Encoded);
        EXPECT_EQ(reader.ReadInteger(), c.Value);
        EXPECT_EQ(reader.Remaining(), 0u);
    }
}

TEST(StreamValueTest, ReaderSignExtendsEveryIntegerTag) {
    EXPECT_EQ(TReader(B({0x03, 0x05, 0x00})).ReadInteger(), 5); // wider than needed is fine
    EXPECT_EQ(TReader(B({0x04, 0xFE, 0xFF, 0xFF, 0xFF})).ReadInteger(), -2);
    EXPECT_EQ(TReader(B({0x03, 0xFE, 0xFF})).ReadInteger(), -2);
}

TEST(StreamValueTest, StringsUpTo255BytesAreShortLongerOnesLong) {
    const std::string s255(255, 'a');
    EXPECT_EQ(Written([&](TWriter& w) { w.WriteString(s255); }), Cat(B({0x06, 0xFF}), Text(s255)));
    const std::string s300(300, 'b');
    EXPECT_EQ(Written([&](TWriter& w) { w.WriteString(s300); }),
              Cat(B({0x0C, 0x2C, 0x01, 0x00, 0x00}), Text(s300)));
    EXPECT_EQ(Written([](TWriter& w) { w.WriteString(""); }), B({0x06, 0x00}));

    // Either form is read whatever the length.
    EXPECT_EQ(TReader(B({0x0C, 0x02, 0x00, 0x00, 0x00, 'h', 'i'})).ReadString(), "hi");
    EXPECT_EQ(TReader(Cat(B({0x06, 0xFF}), Text(s255))).ReadString(), s255);
    EXPECT_EQ(TReader(Cat(B({0x0C, 0x2C, 0x01, 0x00, 0x00}), Text(s300))).ReadString(), s300);
}

TEST(StreamValueTest, StringsKeepEveryByte) {
    // Text is UTF-8 inside ("a", NUL, "b", U+00FF, U+20AC); in the stream
    // it is the code page's bytes, zero byte included.
    const std::string text("a\0b\xC3\xBF\xE2\x82\xAC", 8);
    const Bytes written = Written([&](TWriter& w) { w.WriteString(text); });
    EXPECT_EQ(written, Cat(B({0x06, 0x05}), Text(std::string("a\0b\xFF\x80", 5))));
    EXPECT_EQ(TReader(written).ReadString(), text);
}

TEST(StreamValueTest, NamesAreCutAt255BytesAndCarryNoTag) {
    EXPECT_EQ(Written([](TWriter& w) { w.WriteStr("Left"); }), Name("Left"));
    const Bytes cut = Written([](TWriter& w) { w.WriteStr(std::string(300, 'n')); });
    EXPECT_EQ(cut, Cat(B({0xFF}), Text(std::string(255, 'n'))));
}

TEST(StreamValueTest, BooleansIdentifiersAndListsAreBareTags) {
    EXPECT_EQ(Written([](TWriter& w) {
                  w.WriteListBegin();
                  w.WriteBoolean(false);
                  w.WriteBoolean(true);
                  w.WriteIdent("bvRaised");
                  w.WriteListEnd();
              }),
              Cat(B({0x01, 0x08, 0x09}), Ident("bvRaised"), B({0x00})));
}

TEST(StreamValueTest, SetsAreMemberNamesEndedByAnEmptyName) {
    const Bytes bits = Written([](TWriter& w) { w.WriteSet(0x01 | 0x20, HeaderOptionIdents); });
    EXPECT_EQ(bits, Cat(B({0x0B}), Name("hoCustomize"), Name("hoHotTrack"), B({0x00})));
    EXPECT_EQ(TReader(bits).ReadSet(HeaderOptionIdents), 0x21u);
    EXPECT_EQ(Written([](TWriter& w) { w.WriteSet(0, HeaderOptionIdents); }), B({0x0B, 0x00}));
    // Members are matched without regard to case.
    EXPECT_EQ(TReader(Cat(B({0x0B}), Name("HODRAGDROP"), B({0x00}))).ReadSet(HeaderOptionIdents),
              0x80u);
}

TEST(StreamValueTest, NamedValuesAreIdentifiersOthersIntegers) {
    EXPECT_EQ(Written([](TWriter& w) { w.WriteIntegerOrIdent(0x8000000F, ColorIdents); }),
              Ident("clBtnFace"));
    EXPECT_EQ(Written([](TWriter& w) { w.WriteIntegerOrIdent(0x00123456, ColorIdents); }),
              B({0x04, 0x56, 0x34, 0x12, 0x00}));
    EXPECT_EQ(TReader(Ident("clnavy")).ReadIntegerOrIdent(ColorIdents), 0x00800000);
    EXPECT_EQ(TReader(B({0x02, 0x05})).ReadIntegerOrIdent(ColorIdents), 5);
}

TEST(StreamValueTest, DataEndingEarlyIsAStreamReadError) {
    const Bytes truncated[] = {
        B({}),                                  // no tag at all
        B({0x03, 0x01}),                        // 16-bit integer without its second byte
        B({0x04, 0x01, 0x02, 0x03}),            // 32-bit integer short by one
        B({0x06, 0x05, 'a', 'b'}),              // short string longer than the data
        B({0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}), // 4 GB long string: checked before allocating
        B({0x0C, 0x01, 0x00}),                  // long string length cut off
    };
    for (const Bytes& bytes : truncated) {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        EXPECT_EQ(ReadErrorOf([&] {
                      TReader reader(bytes);
                      if (!bytes.empty() && (bytes[0] == 0x06 || bytes[0] == 0x0C))
                          reader.ReadString();
                      else
                          reader.ReadInteger();
                  }),
                  "Stream read error");
    }
    EXPECT_EQ(ReadErrorOf([] {
                  TReader(B({0x0B, 0x03, 'h', 'o'})).ReadSet(HeaderOptionIdents);
              }),
              "Stream read error");
}

TEST(StreamValueTest, AWrongTagIsAnInvalidPropertyValue) {
    EXPECT_EQ(ReadErrorOf([] {
                  TReader(B({0x06, 0x00})).ReadInteger();
              }),
              "Invalid property value");
    EXPECT_EQ(ReadErrorOf([] { TReader(B({0x02, 0x00})).ReadString(); }), "Invalid property value");
    EXPECT_EQ(ReadErrorOf([] { TReader(B({0x07, 0x00})).ReadString(); }), "Invalid property value");
    EXPECT_EQ(ReadErrorOf([] {
                  TReader(B({0x02, 0x00})).ReadBoolean();
              }),
              "Invalid property value");
    EXPECT_EQ(ReadErrorOf([] { TReader(B({0x00})).ReadListBegin(); }), "Invalid property value");
    EXPECT_EQ(ReadErrorOf([] { TReader(B({0x01})).ReadListEnd(); }), "Invalid property value");
    EXPECT_EQ(ReadErrorOf([] { TReader(Ident("clNoSuchColour")).ReadIntegerOrIdent(ColorIdents); }),
              "Invalid property value");
    EXPECT_EQ(ReadErrorOf([] {
                  TReader(Cat(B({0x0B}), Name("hoNothing"), B({0x00}))).ReadSet(HeaderOptionIdents);
              }),
              "Invalid property value");
    // An enumeration is one byte wide.
    EXPECT_EQ(ReadErrorOf([] {
                  TReader(B({0x03, 0x00, 0x01})).ReadEnum(BevelCutIdents);
              }),
              "Invalid property value");
}

TEST(StreamValueTest, SignatureMustBeTPF0) {
    EXPECT_NO_THROW(TReader(Text("TPF0")).ReadSignature());
    EXPECT_EQ(ReadErrorOf([] { TReader(Text("TPF1")).ReadSignature(); }), "Invalid stream format");
    EXPECT_EQ(ReadErrorOf([] { TReader(Text("TPF")).ReadSignature(); }), "Stream read error");
}

} // namespace
} // namespace corvane

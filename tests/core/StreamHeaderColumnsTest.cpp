// The "HeaderColumns" value of a section tree: the worked example byte for
// byte, the encodings of its items, and how reading fails.

#include "StreamTestBytes.h"
#include "StreamWorkedExample.h"
#include "core/framework/streaming/Reader.h"
#include "core/framework/streaming/StreamErrors.h"
#include "core/framework/streaming/Writer.h"
#include "core/model/HeaderColumns.h"
#include "core/model/SectionNesting.h"
#include "core/stream/SectionsStream.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace corvane {
namespace {

using namespace stream_test;

// One childless section list: caption, then the given items after it.
Bytes Leaf(const std::string& caption, const Bytes& rest) {
    return Cat(B({0x01}), ShortString(caption), rest);
}

// Every node of the tree, pre-order.
void ForEachNode(THeaderColumns& node, const std::function<void(THeaderColumns&)>& f) {
    f(node);
    for (THeaderColumns* child : node.Children())
        ForEachNode(*child, f);
}

TEST(StreamHeaderColumnsTest, WorkedExampleIsWrittenByteForByte) {
    ASSERT_EQ(WorkedExample.size(), 104u);
    THeaderColumns root;
    BuildWorkedExample(root);
    EXPECT_EQ(SaveHeaderColumnsValue(root), WorkedExample);
}

TEST(StreamHeaderColumnsTest, WorkedExampleReadsIntoTheSameTree) {
    THeaderColumns root;
    EXPECT_EQ(LoadHeaderColumnsValue(root, WorkedExample), WorkedExample.size());
    ASSERT_EQ(root.Count(), 2);
    EXPECT_EQ(root.Caption(), "HeaderColumns");
    EXPECT_EQ(root.Width(), 280);
    THeaderColumns* name = root.Items(0);
    EXPECT_EQ(name->Caption(), "Name");
    EXPECT_EQ(name->StoredWidth(), 200);
    THeaderColumns* size = root.Items(1);
    EXPECT_EQ(size->StoredWidth(), 75);
    ASSERT_EQ(size->Count(), 2);
    THeaderColumns* high = size->Items(1);
    EXPECT_EQ(high->Caption(), "High");
    EXPECT_EQ(high->Alignment(), taCenter);
    EXPECT_TRUE(high->Wordwrap());
    EXPECT_FALSE(size->Items(0)->Wordwrap());
    EXPECT_EQ(high->Height(), 17);
    EXPECT_EQ(SaveHeaderColumnsValue(root), WorkedExample);
}

TEST(StreamHeaderColumnsTest, ItemsAreStoredWithTheValueEncoding) {
    THeaderColumns node;
    node.SetCaption(std::string(300, 'c'));
    node.SetTypeCol(-1);
    node.SetWidth(32768);
    node.SetHeight(32767);
    node.SetAlignment(taRightJustify);
    node.SetWordwrap(true);
    EXPECT_EQ(SaveHeaderColumnsValue(node),
              Cat(B({0x01, 0x0C, 0x2C, 0x01, 0x00, 0x00}), Text(std::string(300, 'c')),
                  B({0x02, 0xFF, 0x04, 0x00, 0x80, 0x00, 0x00, 0x03, 0xFF, 0x7F, 0x02, 0x01, 0x02,
                     0x00, 0x09, 0x00})));
}

TEST(StreamHeaderColumnsTest, ReadingReplacesChildrenAndIDsContinue) {
    THeaderColumns root;
    root.Add("a");
    root.Add("b");
    root.Add("c");
    LoadHeaderColumnsValue(root, WorkedExample);
    ASSERT_EQ(root.Count(), 2);
    EXPECT_EQ(root.Items(0)->Caption(), "Name");
    EXPECT_EQ(root.Items(0)->ID(), 3);
    EXPECT_EQ(root.Items(1)->ID(), 4);
    EXPECT_EQ(root.Items(1)->Items(0)->ID(), 0);
}

TEST(StreamHeaderColumnsTest, ReadingIntoARootReportsNothing) {
    THeaderColumns root;
    int reports = 0;
    auto count = [](void* n, THeaderColumns*) { ++*static_cast<int*>(n); };
    root.SetOnChange(TChangeHandler(count, &reports));
    LoadHeaderColumnsValue(root, WorkedExample);
    EXPECT_EQ(reports, 0);
    // New sections carry the tree's handler.
    EXPECT_TRUE(root.Items(1)->Items(1)->OnChange());
}

TEST(StreamHeaderColumnsTest, OptionalAndLenientItems) {
    const Bytes head = B({0x02, 0x00, 0x02, 0x4B});
    THeaderColumns node;
    node.SetWordwrap(true);
    node.SetAlignment(taCenter);
    // No word-wrap item; alignment 7 is skipped; height 0 becomes 2.
    LoadHeaderColumnsValue(node,
                           Leaf("x", Cat(head, B({0x02, 0x00, 0x02, 0x07, 0x02, 0x00, 0x00}))));
    EXPECT_TRUE(node.Wordwrap());
    EXPECT_EQ(node.Alignment(), taCenter);
    EXPECT_EQ(node.Height(), 2);

    // Any single tag but 09 in the word-wrap place reads as false.
    LoadHeaderColumnsValue(
        node, Leaf("x", Cat(head, B({0x02, 0x11, 0x02, 0x01, 0x02, 0x00, 0x02, 0x00}))));
    EXPECT_FALSE(node.Wordwrap());
    EXPECT_EQ(node.Alignment(), taRightJustify);

    // A negative child count reads no children.
    node.Add("kept?");
    LoadHeaderColumnsValue(node,
                           Leaf("x", Cat(head, B({0x02, 0x11, 0x02, 0x00, 0x02, 0xFF, 0x00}))));
    EXPECT_EQ(node.Count(), 0);

    // A child without word-wrap item keeps the new child's false.
    LoadHeaderColumnsValue(
        node, Leaf("p", Cat(head, B({0x02, 0x11, 0x02, 0x00, 0x02, 0x01}),
                            Leaf("c", Cat(head, B({0x02, 0x11, 0x02, 0x00, 0x02, 0x00, 0x00}))),
                            B({0x00}))));
    ASSERT_EQ(node.Count(), 1);
    EXPECT_FALSE(node.Items(0)->Wordwrap());
}

TEST(StreamHeaderColumnsTest, EmptyListFailsAndKeepsTheChildren) {
    THeaderColumns node;
    node.Add("one");
    node.Add("two");
    EXPECT_EQ(ReadErrorOf([&] {
                  LoadHeaderColumnsValue(node, B({0x01, 0x00}));
              }),
              "Invalid property value");
    EXPECT_EQ(node.Count(), 2);
    EXPECT_EQ(node.UpdateCount(), 0);
}

TEST(StreamHeaderColumnsTest, WrongTagsAreInvalidPropertyValues) {
    const Bytes cases[] = {
        B({0x02, 0x00}),                  // no list
        B({0x01, 0x02, 0x00}),            // caption not a string
        Leaf("x", B({0x06, 0x00})),       // type tag not an integer
        Leaf("x", B({0x02, 0x00, 0x09})), // width not an integer
        Leaf("x", B({0x02, 0x00, 0x02, 0x00, 0x02, 0x11, 0x02, 0x00, 0x08})), // no child count
        Leaf("x", B({0x02, 0x00, 0x02, 0x00, 0x02, 0x11, 0x02, 0x00, 0x02, 0x00, 0x08, 0x08})),
        Leaf("x", B({0x02, 0x00, 0x02, 0x00, 0x02, 0x11, 0x02, 0x00, 0x02, 0x01, 0x02})),
    };
    for (const Bytes& bytes : cases) {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        THeaderColumns node;
        EXPECT_EQ(ReadErrorOf([&] { LoadHeaderColumnsValue(node, bytes); }),
                  "Invalid property value");
        EXPECT_EQ(node.UpdateCount(), 0);
    }
}

TEST(StreamHeaderColumnsTest, EveryTruncationIsAStreamReadErrorAndKeepsWhatWasRead) {
    for (size_t length = 0; length < WorkedExample.size(); ++length) {
        SCOPED_TRACE(length);
        THeaderColumns root;
        root.Add("old");
        const Bytes cut(WorkedExample.begin(), WorkedExample.begin() + static_cast<long>(length));
        EXPECT_EQ(ReadErrorOf([&] { LoadHeaderColumnsValue(root, cut); }), "Stream read error");
        ForEachNode(root, [](THeaderColumns& n) { EXPECT_EQ(n.UpdateCount(), 0); });
        // Old children go once the list has begun with a caption.
        if (length >= 2)
            EXPECT_TRUE(root.Count() == 0 || root.Items(0)->Caption() != "old");
        else
            EXPECT_EQ(root.Items(0)->Caption(), "old");
    }
    // Cut inside Low: Name is complete, Size and Low exist, High does not.
    THeaderColumns root;
    const Bytes cut(WorkedExample.begin(), WorkedExample.begin() + 70);
    EXPECT_THROW(LoadHeaderColumnsValue(root, cut), EReadError);
    ASSERT_EQ(root.Count(), 2);
    EXPECT_EQ(root.Items(0)->StoredWidth(), 200);
    EXPECT_EQ(root.Items(1)->Count(), 1);
}

TEST(StreamHeaderColumnsTest, HugeCountsNeedTheirData) {
    // Two billion children announced, one byte of data: no allocation up front.
    THeaderColumns node;
    EXPECT_EQ(ReadErrorOf([&] {
                  LoadHeaderColumnsValue(node,
                                         Leaf("x", B({0x02, 0x00, 0x02, 0x00, 0x02, 0x11, 0x02,
                                                      0x00, 0x04, 0xFF, 0xFF, 0xFF, 0x7F, 0x01})));
              }),
              "Stream read error");
    EXPECT_EQ(node.Count(), 1);
}

// A chain of single children, depth lists deep.
Bytes Chain(int depth) {
    const Bytes head = B({0x01, 0x06, 0x00, 0x02, 0x00, 0x02, 0x01, 0x02, 0x11, 0x02, 0x00, 0x02});
    Bytes bytes;
    for (int i = 0; i < depth; ++i)
        bytes = Cat(bytes, head, B({i + 1 < depth ? 1 : 0}));
    for (int i = 0; i < depth; ++i)
        bytes = Cat(bytes, B({0x08, 0x00}));
    return bytes;
}

TEST(StreamHeaderColumnsTest, NestingIsBounded) {
    THeaderColumns root;
    const Bytes deepest = Chain(MaxSectionNesting);
    EXPECT_EQ(LoadHeaderColumnsValue(root, deepest), deepest.size());
    int depth = 0;
    for (THeaderColumns* n = &root; n->HasChildren(); n = n->Items(0))
        ++depth;
    EXPECT_EQ(depth, MaxSectionNesting - 1);
    EXPECT_EQ(SaveHeaderColumnsValue(root), deepest);

    THeaderColumns tooDeep;
    EXPECT_THAT(ReadErrorOf([&] { LoadHeaderColumnsValue(tooDeep, Chain(MaxSectionNesting + 1)); }),
                ::testing::HasSubstr("nested more than"));
    ForEachNode(tooDeep, [](THeaderColumns& n) { EXPECT_EQ(n.UpdateCount(), 0); });

    // A tree built deeper than a stream may carry is refused when written.
    THeaderColumns* last = &root;
    while (last->HasChildren())
        last = last->Items(0);
    last->Add("one too many");
    EXPECT_THROW(SaveHeaderColumnsValue(root), EWriteError);
}

} // namespace
} // namespace corvane

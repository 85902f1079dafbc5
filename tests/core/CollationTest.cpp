#include "core/platform/Collation.h"
#include "core/platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

// Cases are written in Windows-1252, as captions were stored; the control
// compares them as UTF-8.
int Portable(const std::string& a, const std::string& b) {
    const std::string textA = corvane::Windows1252.FromAnsi(a);
    const std::string textB = corvane::Windows1252.FromAnsi(b);
    return Sign(corvane::PortableCaptionCompare(textA.c_str(), textB.c_str()));
}

// Every pair of a list given in ascending order must compare by position;
// checks antisymmetry and consistency with the expected order at once.
void ExpectAscending(const std::vector<std::string>& captions) {
    for (size_t i = 0; i < captions.size(); ++i) {
        for (size_t j = 0; j < captions.size(); ++j) {
            const int expected = (i < j) ? -1 : (i > j ? 1 : 0);
            EXPECT_EQ(Portable(captions[i], captions[j]), expected)
                << '"' << captions[i] << "\" vs \"" << captions[j] << '"';
        }
    }
}

TEST(PortableCaptionCompare, EqualTextsCompareEqual) {
    EXPECT_EQ(Portable("", ""), 0);
    EXPECT_EQ(Portable("Name", "Name"), 0);
    EXPECT_EQ(Portable("a b 1", "a b 1"), 0);
}

TEST(PortableCaptionCompare, EmptySortsFirst) {
    EXPECT_EQ(Portable("", "a"), -1);
    EXPECT_EQ(Portable("", " "), -1);
    EXPECT_EQ(Portable("A", ""), 1);
}

TEST(PortableCaptionCompare, LettersIgnoreCaseBeforeAnythingElse) {
    ExpectAscending({"apple", "banana", "Banana", "Cherry"});
    EXPECT_EQ(Portable("a", "B"), -1);
    EXPECT_EQ(Portable("Zebra", "apple"), 1);
    // A later letter difference outweighs an earlier case difference.
    EXPECT_EQ(Portable("Apple", "apricot"), -1);
    EXPECT_EQ(Portable("apricot", "Apple"), 1);
}

TEST(PortableCaptionCompare, CaseOnlyDifferencePutsLowerCaseFirst) {
    ExpectAscending({"abc", "abC", "aBc", "Abc", "ABC"});
    EXPECT_EQ(Portable("a", "A"), -1);
    EXPECT_EQ(Portable("Z", "z"), 1);
}

TEST(PortableCaptionCompare, PrefixSortsBeforeLongerTextWhateverTheCase) {
    ExpectAscending({"app", "apple", "apples"});
    EXPECT_EQ(Portable("App", "apple"), -1);
    EXPECT_EQ(Portable("apple", "APP"), 1);
}

TEST(PortableCaptionCompare, SpaceBeforeDigitsBeforeLetters) {
    ExpectAscending({" ", "0", "9", "a", "Z"});
    ExpectAscending({"a b", "a1", "ab"});
    EXPECT_EQ(Portable("!", "0"), -1);
}

TEST(PortableCaptionCompare, DigitsCompareAsCharactersNotNumbers) {
    ExpectAscending({"1", "10", "2", "9"});
    ExpectAscending({"Item 10", "Item 2"});
}

TEST(PortableCaptionCompare, UpperHalfLettersSortWithTheirBaseLetter) {
    ExpectAscending({"cafe", "Cafe", "caf\xE9", "Caf\xE9", "caf\xE8", "caff", "z", "Z"});
    ExpectAscending({"\xA3", "0", "a"});  // currency symbols before digits
    EXPECT_EQ(Portable("\xE6", "ae"), 0); // a ligature is its letters
    EXPECT_EQ(Portable("stra\337e", "strasse"), 0);
}

TEST(PortableCaptionCompare, HyphensAndApostrophesOnlyBreakTies) {
    ExpectAscending({"cob", "coop", "co-op", "Co-op", "cop"});
    ExpectAscending({"its", "it's", "It's"});
    ExpectAscending({"a1", "a'1", "a-1", "a2"});
    // A tie-break byte further left weighs more; then the byte itself.
    ExpectAscending({"coop-", "coo-p", "co'op", "co-op", "co--op", "c-oop", "-coop"});
    EXPECT_EQ(Portable("co\xADop", "coop"), 0); // the soft hyphen weighs nothing
}

int ReverseCompare(const char* a, const char* b) {
    return -corvane::PortableCaptionCompare(a, b);
}

TEST(CompareCaptions, UsesInstalledComparisonUntilReset) {
    EXPECT_LT(corvane::CompareCaptions("apple", "banana"), 0);
    corvane::SetCaptionCompare(&ReverseCompare);
    EXPECT_GT(corvane::CompareCaptions("apple", "banana"), 0);
    corvane::SetCaptionCompare(nullptr);
    EXPECT_LT(corvane::CompareCaptions("apple", "banana"), 0);
    EXPECT_EQ(corvane::InstalledCaptionCompare(), nullptr);
}

} // namespace

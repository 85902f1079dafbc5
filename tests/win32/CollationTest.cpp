// The sorting order users saw came from lstrcmpA on code-page text; the
// installed comparison of UTF-8 captions and the portable core must keep it,
// order captions (letters, digits, spaces, hyphens, apostrophes, the upper
// half of the code page) the same way, or native builds would sort
// differently from the platform.
#include "core/platform/Collation.h"
#include "core/platform/CodePage.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

// lstrcmpA is WINAPI (stdcall on 32-bit), so it cannot be installed directly.
int CallCount = 0;

// What was installed before the first test ran: the library's start-up,
// not the first window, must have installed the platform's comparison.
corvane::CaptionCompareFn InstalledBeforeAnyTest = nullptr;
class RecordInstalledCompare : public ::testing::Environment {
public:
    void SetUp() override { InstalledBeforeAnyTest = corvane::InstalledCaptionCompare(); }
};
const auto* const recordInstalled = ::testing::AddGlobalTestEnvironment(new RecordInstalledCompare);

int PlatformCompare(const char* a, const char* b) {
    ++CallCount;
    return lstrcmpA(a, b);
}

const std::vector<std::string>& Captions() {
    static const std::vector<std::string> captions = {
        "",
        " ",
        "  ",
        "0",
        "1",
        "10",
        "2",
        "9",
        "a",
        "A",
        "b",
        "B",
        "z",
        "Z",
        "a b",
        "a  b",
        "ab",
        "Ab",
        "aB",
        "AB",
        "abc",
        "ab c",
        "abC",
        "app",
        "App",
        "apple",
        "Apple",
        "APPLE",
        "apples",
        "apple pie",
        "apple2",
        "apple 2",
        "apricot",
        "banana",
        "Banana",
        "BANANA",
        "banana split",
        "b4",
        "Cherry",
        "cherry",
        "zz",
        "Zebra",
        "1 a",
        "1a",
        "a1",
        "A1",
        "x 9",
        "x9",
        "x 10",
        "X10",
        "Item 2",
        "Item 10",
        "item 1",
        "Q 1 2",
        "q12",
        "q 12",
        // Hyphens and apostrophes weigh nothing until the last tie.
        "coop",
        "co-op",
        "Co-op",
        "co-opt",
        "cob",
        "its",
        "it's",
        "It's",
        "a-1",
        "a'1",
        "re-sort",
        "resort",
        "re sort",
        "-lead",
        "lead-",
        "a--b",
        "a-'b",
        "a'-b",
        "e-mail",
        "E-Mail",
        "email",
        // The upper half of the code page: accents, ligatures, symbols.
        "caf\xE9",
        "cafe",
        "Caf\xE9",
        "caf\xE9s",
        "caff",
        "na\xEFve",
        "naive",
        "\374ber", // octal: a hex escape would swallow the "be"
        "\334ber",
        "uber",
        "ubel",
        "r\xE9sum\xE9",
        "resume",
        "r\xE9sume",
        "resum\xE9",
        "ca\xF1on",
        "canon",
        "stra\337e",
        "strasse",
        "strassen",
        "\346ther",
        "aether",
        "\x80 5",
        "\xA3 5",
        "$ 5",
        "5 \x80",
        "\xA9 2026",
        "x\xB1y",
    };
    return captions;
}

TEST(PlatformCollation, OrdersTheReferenceCaptions) {
    const char* ascending[] = {"apple", "banana", "Banana", "Cherry"};
    for (int i = 0; i + 1 < 4; ++i) {
        EXPECT_LT(lstrcmpA(ascending[i], ascending[i + 1]), 0)
            << ascending[i] << " vs " << ascending[i + 1];
    }
}

TEST(PlatformCollation, PortableStandInAgreesWithLstrcmpA) {
    int mismatches = 0;
    for (const auto& a : Captions()) {
        for (const auto& b : Captions()) {
            const int platform = Sign(lstrcmpA(a.c_str(), b.c_str()));
            const int portable = Sign(corvane::PortableCaptionCompare(
                corvane::TextFromAnsi(a).c_str(), corvane::TextFromAnsi(b).c_str()));
            if (platform != portable) {
                ++mismatches;
                ADD_FAILURE() << '"' << a << "\" vs \"" << b << "\": lstrcmpA " << platform
                              << ", stand-in " << portable;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(PlatformCollation, LstrcmpAIsInstalledBeforeAnyWindowExists) {
    ASSERT_NE(InstalledBeforeAnyTest, nullptr);
    for (const auto& a : Captions())
        for (const auto& b : Captions())
            ASSERT_EQ(Sign(InstalledBeforeAnyTest(corvane::TextFromAnsi(a).c_str(),
                                                  corvane::TextFromAnsi(b).c_str())),
                      Sign(lstrcmpA(a.c_str(), b.c_str())))
                << '"' << a << "\" vs \"" << b << '"';
}

TEST(PlatformCollation, InstalledPlatformCompareIsUsed) {
    CallCount = 0;
    const corvane::CaptionCompareFn previous = corvane::InstalledCaptionCompare();
    corvane::SetCaptionCompare(&PlatformCompare);
    EXPECT_LT(corvane::CompareCaptions("apple", "Apple"), 0);
    EXPECT_GT(corvane::CompareCaptions("Cherry", "banana"), 0);
    corvane::SetCaptionCompare(nullptr);
    EXPECT_EQ(CallCount, 2);
    EXPECT_LT(corvane::CompareCaptions("a", "b"), 0);
    EXPECT_EQ(CallCount, 2);
    corvane::SetCaptionCompare(previous);
}

} // namespace

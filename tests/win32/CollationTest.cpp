// The sorting order users see comes from lstrcmpA; the portable core must
// order plain captions (letters, digits, spaces) the same way, or sorting
// would change when the Win32 layer installs the platform comparison.
#include "core/platform/Collation.h"

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
            const int portable = Sign(corvane::PortableCaptionCompare(a.c_str(), b.c_str()));
            if (platform != portable) {
                ++mismatches;
                ADD_FAILURE() << '"' << a << "\" vs \"" << b << "\": lstrcmpA " << platform
                              << ", stand-in " << portable;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(PlatformCollation, InstalledPlatformCompareIsUsed) {
    CallCount = 0;
    corvane::SetCaptionCompare(&PlatformCompare);
    EXPECT_LT(corvane::CompareCaptions("apple", "Apple"), 0);
    EXPECT_GT(corvane::CompareCaptions("Cherry", "banana"), 0);
    corvane::SetCaptionCompare(nullptr);
    EXPECT_EQ(CallCount, 2);
    EXPECT_LT(corvane::CompareCaptions("a", "b"), 0);
    EXPECT_EQ(CallCount, 2);
}

} // namespace

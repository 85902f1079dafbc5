#include "core/platform/Collation.h"

#include "core/platform/CodePage.h"
#include "core/platform/CollationTable.h"
#include "core/platform/Utf8.h"

#include <string>

namespace corvane {
namespace {

using collation::ByteWeights;
using collation::ExpansionOf;
using collation::TByteWeights;

CaptionCompareFn g_compare = nullptr;

const TByteWeights& WeightsOf(char c) {
    return ByteWeights[static_cast<unsigned char>(c)];
}

// Walks a caption's units: every byte with a primary weight, ligatures as
// the letters they stand for. Position counts the units passed so far.
class UnitCursor {
public:
    explicit UnitCursor(const char* text) : next_(text) {}

    // The next unit with a primary weight; false at the end of the text.
    bool NextUnit(TByteWeights& weights) {
        bool tieBreak = false;
        while (Next(weights, tieBreak)) {
            if (!tieBreak)
                return true;
        }
        return false;
    }

    // The next byte without primary weight that breaks ties, and how many
    // units precede it; false at the end of the text.
    bool NextSpecial(int& position, int& weight) {
        TByteWeights weights{};
        bool tieBreak = false;
        while (Next(weights, tieBreak)) {
            if (tieBreak) {
                position = units_;
                weight = weights.Special;
                return true;
            }
        }
        return false;
    }

private:
    // Steps over one unit or one tie-break byte (tieBreak tells which);
    // skips bytes that carry no weight at all.
    bool Next(TByteWeights& weights, bool& tieBreak) {
        while (true) {
            if (expansion_ != nullptr && *expansion_ != 0) {
                weights = WeightsOf(*expansion_++);
                ++units_;
                tieBreak = false;
                return true;
            }
            expansion_ = nullptr;
            if (*next_ == 0)
                return false;
            const char byte = *next_++;
            if (const char* letters = ExpansionOf(static_cast<unsigned char>(byte))) {
                expansion_ = letters;
                continue;
            }
            weights = WeightsOf(byte);
            if (weights.Primary != 0) {
                ++units_;
                tieBreak = false;
                return true;
            }
            if (weights.Special != 0) {
                tieBreak = true;
                return true;
            }
        }
    }

    const char* next_;
    const char* expansion_ = nullptr;
    int units_ = 0;
};

int Order(int a, int b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// One level of the comparison over the units of both texts; a text that
// ends first sorts first.
template <class Weight> int CompareLevel(const char* a, const char* b, Weight weight) {
    UnitCursor ca(a);
    UnitCursor cb(b);
    TByteWeights wa{};
    TByteWeights wb{};
    while (true) {
        const bool moreA = ca.NextUnit(wa);
        const bool moreB = cb.NextUnit(wb);
        if (!moreA || !moreB)
            return Order(moreA, moreB);
        if (const int order = Order(weight(wa), weight(wb)))
            return order;
    }
}

// The last tie-break: hyphens, apostrophes and control characters. The text
// whose first such byte stands earlier sorts later; at the same place the
// byte's own weight decides; a text with fewer of them sorts first.
int CompareSpecials(const char* a, const char* b) {
    UnitCursor ca(a);
    UnitCursor cb(b);
    while (true) {
        int positionA = 0, weightA = 0, positionB = 0, weightB = 0;
        const bool moreA = ca.NextSpecial(positionA, weightA);
        const bool moreB = cb.NextSpecial(positionB, weightB);
        if (!moreA || !moreB)
            return Order(moreA, moreB);
        if (positionA != positionB)
            return positionA < positionB ? 1 : -1;
        if (const int order = Order(weightA, weightB))
            return order;
    }
}

int CompareAnsi(const char* a, const char* b);

} // namespace

int PortableCaptionCompare(const char* a, const char* b) {
    // The table weighs Windows-1252 bytes. Text it cannot hold sorts after
    // all text it can, among itself by UTF-16 units: a total order, which
    // sorting needs.
    std::string ansiA;
    std::string ansiB;
    const bool heldA = Windows1252.ToAnsi(a, ansiA);
    const bool heldB = Windows1252.ToAnsi(b, ansiB);
    if (!heldA || !heldB) {
        if (heldA != heldB)
            return heldA ? -1 : 1;
        const std::u16string wideA = Utf16FromUtf8(a);
        const std::u16string wideB = Utf16FromUtf8(b);
        return Order(wideA.compare(wideB), 0);
    }
    return CompareAnsi(ansiA.c_str(), ansiB.c_str());
}

namespace {

int CompareAnsi(const char* a, const char* b) {
    if (const int order = CompareLevel(a, b, [](const TByteWeights& w) { return w.Primary; }))
        return order;
    if (const int order = CompareLevel(a, b, [](const TByteWeights& w) { return w.Diacritic; }))
        return order;
    if (const int order = CompareLevel(a, b, [](const TByteWeights& w) { return w.Case; }))
        return order;
    return CompareSpecials(a, b);
}

} // namespace

void SetCaptionCompare(CaptionCompareFn fn) {
    g_compare = fn;
}

CaptionCompareFn InstalledCaptionCompare() {
    return g_compare;
}

int CompareCaptions(const char* a, const char* b) {
    return g_compare ? g_compare(a, b) : PortableCaptionCompare(a, b);
}

} // namespace corvane

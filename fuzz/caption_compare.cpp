// Sorting relies on the caption comparison being a consistent total order
// (distinct captions may tie): any inconsistency (a < b and b < a, or a
// broken chain a <= b <= c but a > c) makes a sort misbehave.
#include "core/platform/Collation.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

int Cmp(const std::string& a, const std::string& b) {
    return Sign(corvane::PortableCaptionCompare(a.c_str(), b.c_str()));
}

void Check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

// Input: up to three captions separated by zero bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string parts[3];
    int n = 0;
    for (size_t i = 0; i < size && n < 3; ++i) {
        if (data[i] == 0)
            ++n;
        else
            parts[n].push_back(static_cast<char>(data[i]));
    }
    const std::string& a = parts[0];
    const std::string& b = parts[1];
    const std::string& c = parts[2];

    Check(Cmp(a, a) == 0);
    Check(Cmp(a, b) == -Cmp(b, a));
    // Distinct captions may compare equal, as on the platform ("\xE6" and
    // "ae", a soft hyphen and none); equality must still be transitive,
    // which the two chains below check.
    if (Cmp(a, b) <= 0 && Cmp(b, c) <= 0)
        Check(Cmp(a, c) <= 0);
    if (Cmp(a, b) >= 0 && Cmp(b, c) >= 0)
        Check(Cmp(a, c) >= 0);
    return 0;
}

#include "core/platform/Collation.h"

namespace corvane {
namespace {

CaptionCompareFn g_compare = nullptr;

// Primary weight: class first (space/punctuation, digits, letters, high bytes),
// then the character within its class, letters folded to lower case.
int PrimaryWeight(unsigned char c) {
    if (c >= 'A' && c <= 'Z')
        return 0x300 + (c - 'A' + 'a');
    if (c >= 'a' && c <= 'z')
        return 0x300 + c;
    if (c >= '0' && c <= '9')
        return 0x200 + c;
    if (c >= 0x80)
        return 0x400 + c;
    return 0x100 + c;
}

} // namespace

int PortableCaptionCompare(const char* a, const char* b) {
    const auto* pa = reinterpret_cast<const unsigned char*>(a);
    const auto* pb = reinterpret_cast<const unsigned char*>(b);
    int caseOrder = 0; // decided by the first difference in case only
    for (;; ++pa, ++pb) {
        if (*pa == 0 || *pb == 0) {
            if (*pa != *pb)
                return *pa == 0 ? -1 : 1;
            return caseOrder;
        }
        const int wa = PrimaryWeight(*pa);
        const int wb = PrimaryWeight(*pb);
        if (wa != wb)
            return wa < wb ? -1 : 1;
        if (caseOrder == 0 && *pa != *pb)
            caseOrder = (*pa > *pb) ? -1 : 1; // lower case ('a' > 'A') first
    }
}

void SetCaptionCompare(CaptionCompareFn fn) {
    g_compare = fn;
}

int CompareCaptions(const char* a, const char* b) {
    return g_compare ? g_compare(a, b) : PortableCaptionCompare(a, b);
}

} // namespace corvane

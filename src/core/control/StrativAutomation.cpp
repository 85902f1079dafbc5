// Widths set outright by assistive technology, through the keyboard's path.
#include "core/control/Strativ.h"

#include "core/model/HeaderColumns.h"

#include <algorithm>
#include <limits>

namespace corvane {

void TStrativ::ResizeSectionTo(THeaderColumns* Section, int64_t Width) {
    if (Section == nullptr || !InThisTree(Section))
        return;
    // The distance the section's right edge moves; the last leaf takes it.
    const int64_t delta = Width - int64_t{Section->Width()};
    constexpr int64_t limit = std::numeric_limits<int>::max();
    ResizeByKey(Section, static_cast<int>(std::clamp(delta, -limit, limit)));
}

} // namespace corvane

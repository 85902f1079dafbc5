#include "win32/Alignment.h"

namespace corvane::win32 {

Bounds AlignedBounds(TAlign align, const Bounds& current, int parentWidth, int parentHeight) {
    switch (align) {
    case alTop:
        return Bounds{0, 0, parentWidth, current.Height};
    case alBottom:
        return Bounds{0, parentHeight - current.Height, parentWidth, current.Height};
    case alLeft:
        return Bounds{0, 0, current.Width, parentHeight};
    case alRight:
        return Bounds{parentWidth - current.Width, 0, current.Width, parentHeight};
    case alClient:
        return Bounds{0, 0, parentWidth, parentHeight};
    case alNone:
    default:
        return current;
    }
}

} // namespace corvane::win32

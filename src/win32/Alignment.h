#pragma once
// Where an aligned control goes inside its parent's client area.

#include "core/framework/Control.h"

namespace corvane::win32 {

struct Bounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const Bounds& o) const {
        return Left == o.Left && Top == o.Top && Width == o.Width && Height == o.Height;
    }
};

// The bounds a control takes with `align` in a parent client area of the
// given size; alNone keeps `current`.
Bounds AlignedBounds(TAlign align, const Bounds& current, int parentWidth, int parentHeight);

} // namespace corvane::win32

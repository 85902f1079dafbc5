#pragma once
// Pixel values laid out at 96 pixels per inch, shown at the pixels per inch
// of the screen a window is on. At 96 every value is kept as it is.

#include "core/framework/Graphics.h"

#include <cstdint>

namespace corvane {

class TDpiScale {
public:
    static constexpr int BasePixelsPerInch = 96;

    constexpr TDpiScale() = default;
    // A value of 0 or below (the platform could not tell) counts as 96.
    explicit constexpr TDpiScale(int pixelsPerInch)
        : pixelsPerInch_(pixelsPerInch > 0 ? pixelsPerInch : BasePixelsPerInch) {}

    constexpr int PixelsPerInch() const { return pixelsPerInch_; }
    constexpr bool IsBase() const { return pixelsPerInch_ == BasePixelsPerInch; }

    // value * pixels per inch / 96, rounded half away from zero.
    constexpr int operator()(int value) const {
        const int64_t product = static_cast<int64_t>(value) * pixelsPerInch_;
        const int64_t half = BasePixelsPerInch / 2;
        return static_cast<int>(product >= 0 ? (product + half) / BasePixelsPerInch
                                             : (product - half) / BasePixelsPerInch);
    }

    // The same font with its pixel height scaled.
    TFont Font(TFont font) const {
        font.Height = (*this)(font.Height);
        return font;
    }

private:
    int pixelsPerInch_ = BasePixelsPerInch;
};

} // namespace corvane

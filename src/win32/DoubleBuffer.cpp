#include "win32/DoubleBuffer.h"

#include <algorithm>

namespace corvane::win32 {

DoubleBuffer::DoubleBuffer(HDC target, int width, int height)
    : target_(target), width_(std::max(width, 1)), height_(std::max(height, 1)), memory_(target),
      bitmap_(memory_.get() != nullptr ? ::CreateCompatibleBitmap(target, width_, height_)
                                       : nullptr) {
    if (bitmap_)
        selection_.emplace(memory_.get(), bitmap_.get());
}

void DoubleBuffer::Present(int x, int y) const {
    if (!Ready())
        return;
    ::BitBlt(target_, x, y, width_, height_, memory_.get(), 0, 0, SRCCOPY);
}

} // namespace corvane::win32

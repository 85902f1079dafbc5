#include "win32/DoubleBuffer.h"

#include "win32/ErrorBox.h"

#include <algorithm>

namespace corvane::win32 {

DoubleBuffer::DoubleBuffer(HDC target, int width, int height)
    : target_(target), width_(std::max(width, 1)), height_(std::max(height, 1)), memory_(target),
      bitmap_(::CreateCompatibleBitmap(target, width_, height_)) {
    if (memory_.get() == nullptr || !bitmap_)
        RaiseLastWin32Error("CreateCompatibleBitmap");
    selection_.emplace(memory_.get(), bitmap_.get());
}

void DoubleBuffer::Present(int x, int y) const {
    ::BitBlt(target_, x, y, width_, height_, memory_.get(), 0, 0, SRCCOPY);
}

} // namespace corvane::win32

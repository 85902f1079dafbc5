#pragma once
// An off-screen bitmap the size of a rectangle of a target DC: drawing goes
// into it, and Present copies it to the target in one BitBlt, so the
// target never shows a half-painted state. A buffer that cannot be made
// (a huge area, no memory for it) is not ready, and the caller draws on the
// target directly: painting never fails for want of a buffer.

#include "win32/GdiHandles.h"

#include "win32/WinApi.h"

#include <optional>

namespace corvane::win32 {

class DoubleBuffer {
public:
    DoubleBuffer(HDC target, int width, int height);
    DoubleBuffer(const DoubleBuffer&) = delete;
    DoubleBuffer& operator=(const DoubleBuffer&) = delete;

    bool Ready() const { return selection_.has_value(); }
    HDC dc() const { return memory_.get(); }
    // Copies the buffer to the target at (x, y).
    void Present(int x = 0, int y = 0) const;

private:
    HDC target_;
    int width_;
    int height_;
    MemoryDC memory_;
    UniqueBitmap bitmap_;
    std::optional<SelectedObject> selection_;
};

} // namespace corvane::win32

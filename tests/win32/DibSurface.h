#pragma once
// A 32-bit top-down DIB selected into a memory DC: tests draw into it with
// GDI and read every pixel back exactly.

#include "win32/GdiHandles.h"
#include "win32/WinApi.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace corvane::win32::testing {

class DibSurface {
public:
    DibSurface(int width, int height);

    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }

    // The pixel as a COLORREF (0x00BBGGRR).
    COLORREF Pixel(int x, int y) const;
    void Fill(COLORREF color);

    // Columns / rows in [from, to) that hold at least one pixel matching.
    std::optional<int> FirstColumn(const RECT& area,
                                   const std::function<bool(COLORREF)>& match) const;
    std::optional<int> LastColumn(const RECT& area,
                                  const std::function<bool(COLORREF)>& match) const;
    std::optional<int> FirstRow(const RECT& area, const std::function<bool(COLORREF)>& match) const;
    std::optional<int> LastRow(const RECT& area, const std::function<bool(COLORREF)>& match) const;
    int Count(const RECT& area, const std::function<bool(COLORREF)>& match) const;

private:
    int width_;
    int height_;
    uint32_t* bits_ = nullptr;
    MemoryDC dc_;
    UniqueBitmap bitmap_;
    std::optional<SelectedObject> selection_;
};

} // namespace corvane::win32::testing

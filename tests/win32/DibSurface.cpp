#include "DibSurface.h"

#include "win32/TopDownDib.h"

#include <stdexcept>

namespace corvane::win32::testing {

DibSurface::DibSurface(int width, int height) : width_(width), height_(height), dc_(nullptr) {
    void* bits = nullptr;
    bitmap_ = CreateTopDownDib(dc_.get(), width, height, &bits);
    if (!bitmap_ || dc_.get() == nullptr)
        throw std::runtime_error("cannot create a DIB section");
    bits_ = static_cast<uint32_t*>(bits);
    selection_.emplace(dc_.get(), bitmap_.get());
}

COLORREF DibSurface::Pixel(int x, int y) const {
    ::GdiFlush();
    const uint32_t v = bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + x];
    // DIB pixels are 0x00RRGGBB.
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void DibSurface::Fill(COLORREF color) {
    const UniqueBrush brush(::CreateSolidBrush(color));
    const RECT all{0, 0, width_, height_};
    ::FillRect(dc_.get(), &all, brush.get());
}

std::optional<int> DibSurface::FirstColumn(const RECT& area,
                                           const std::function<bool(COLORREF)>& match) const {
    for (int x = area.left; x < area.right; ++x)
        for (int y = area.top; y < area.bottom; ++y)
            if (match(Pixel(x, y)))
                return x;
    return std::nullopt;
}

std::optional<int> DibSurface::LastColumn(const RECT& area,
                                          const std::function<bool(COLORREF)>& match) const {
    for (int x = area.right - 1; x >= area.left; --x)
        for (int y = area.top; y < area.bottom; ++y)
            if (match(Pixel(x, y)))
                return x;
    return std::nullopt;
}

std::optional<int> DibSurface::FirstRow(const RECT& area,
                                        const std::function<bool(COLORREF)>& match) const {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (match(Pixel(x, y)))
                return y;
    return std::nullopt;
}

std::optional<int> DibSurface::LastRow(const RECT& area,
                                       const std::function<bool(COLORREF)>& match) const {
    for (int y = area.bottom - 1; y >= area.top; --y)
        for (int x = area.left; x < area.right; ++x)
            if (match(Pixel(x, y)))
                return y;
    return std::nullopt;
}

int DibSurface::Count(const RECT& area, const std::function<bool(COLORREF)>& match) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (match(Pixel(x, y)))
                ++n;
    return n;
}

} // namespace corvane::win32::testing

#include "Screenshot.h"

#include "PngFile.h"
#include "core/framework/Exceptions.h"
#include "win32/GdiHandles.h"
#include "win32/TopDownDib.h"

#include <cstdint>
#include <vector>

namespace corvane::demo {

using win32::MemoryDC;
using win32::SelectedObject;
using win32::UniqueBitmap;
using win32::WindowDC;

void SaveClientScreenshot(HWND window, const std::string& path) {
    RECT client{};
    ::GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;

    const WindowDC screen(window);
    const MemoryDC memory(screen.get());
    void* bits = nullptr;
    const UniqueBitmap bitmap = win32::CreateTopDownDib(memory.get(), width, height, &bits);
    if (!bitmap)
        throw Exception("Cannot create a bitmap for the screenshot");
    {
        const SelectedObject selected(memory.get(), bitmap.get());
        // The window's pixels as drawn, its child windows included.
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
        ::GdiFlush();
    }

    const auto* pixels = static_cast<const uint32_t*>(bits);
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i) {
        rgb.push_back(static_cast<uint8_t>(pixels[i] >> 16));
        rgb.push_back(static_cast<uint8_t>(pixels[i] >> 8));
        rgb.push_back(static_cast<uint8_t>(pixels[i]));
    }
    if (!WritePng(path, width, height, rgb))
        throw Exception("Cannot write " + path);
}

} // namespace corvane::demo

#pragma once
// Saves what a window's client area shows as a PNG file.

#include "win32/WinApi.h"

#include <string>

namespace corvane::demo {

// Throws when the pixels cannot be read or the file cannot be written.
void SaveClientScreenshot(HWND window, const std::string& path);

} // namespace corvane::demo

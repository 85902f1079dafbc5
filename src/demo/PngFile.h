#pragma once
// Writes 24-bit RGB pixels as a PNG file. The image data is stored without
// compression (deflate "stored" blocks): always valid, no library needed.

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::demo {

// rgb holds width * height * 3 bytes, rows top to bottom. False on I/O errors.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

} // namespace corvane::demo

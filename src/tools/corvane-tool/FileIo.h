#pragma once
// Whole files in and out, as bytes. Failures raise std::runtime_error with
// the file name.

#include <cstdint>
#include <string>
#include <vector>

namespace corvane_tool {

std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace corvane_tool

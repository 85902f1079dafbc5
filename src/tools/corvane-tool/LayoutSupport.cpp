#include "LayoutSupport.h"

#include "FileIo.h"

#include "core/model/HeaderColumns.h"
#include "core/stream/SectionsStream.h"
#include "core/stream/StrativStream.h"
#include "core/stream/StreamDump.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace corvane_tool {

bool ParseInt(const std::string& text, int& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

bool ParseClientSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos)
        return false;
    const std::string first = text.substr(0, x), second = text.substr(x + 1);
    const auto digits = [](const std::string& part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string::npos;
    };
    return digits(first) && digits(second) && ParseInt(first, width) && ParseInt(second, height);
}

void LoadForLayout(corvane::TStrativ& control, const CommandLine& line) {
    const std::vector<uint8_t> bytes = ReadFileBytes(line.Args[0]);
    if (line.Has("--sections")) {
        corvane::LoadHeaderColumnsValue(*control.Sections(), bytes);
        control.Loaded();
    } else {
        corvane::LoadStrativ(control, bytes);
    }
}

std::string SectionLine(const corvane::THeaderColumns& section, const corvane::TRect& rect) {
    return corvane::QuoteString(section.Caption()) + " (" + std::to_string(rect.Left) + ", " +
           std::to_string(rect.Top) + ", " + std::to_string(rect.Right) + ", " +
           std::to_string(rect.Bottom) + ")";
}

} // namespace corvane_tool

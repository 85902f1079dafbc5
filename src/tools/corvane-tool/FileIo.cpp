#include "FileIo.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace corvane_tool {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    const std::string reason = errno != 0 ? std::string(": ") + std::strerror(errno) : "";
    throw std::runtime_error("cannot " + what + " " + path + reason);
}

} // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Fail("open", path);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (in.bad())
        Fail("read", path);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        Fail("create", path);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        Fail("write", path);
}

} // namespace corvane_tool

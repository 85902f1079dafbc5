#include "FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace corvane_tool {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error) {
    const std::string reason = error != 0 ? std::string(": ") + std::strerror(error) : "";
    throw std::runtime_error("cannot " + what + " " + path + reason);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    // C streams report why a read failed (a directory, a device error)
    // through errno, where file streams would only raise a library message.
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> in(std::fopen(path.c_str(), "rb"));
    if (!in)
        Fail("read", path, errno);
    std::vector<uint8_t> bytes;
    uint8_t buffer[64 * 1024];
    while (true) {
        errno = 0;
        const size_t got = std::fread(buffer, 1, sizeof buffer, in.get());
        bytes.insert(bytes.end(), buffer, buffer + got);
        if (got < sizeof buffer)
            break;
    }
    if (std::ferror(in.get()))
        Fail("read", path, errno);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        Fail("create", path, errno);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        Fail("write", path, errno);
}

} // namespace corvane_tool

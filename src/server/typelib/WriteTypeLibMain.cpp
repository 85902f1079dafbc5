// Build tool, run under Wine: writes the control's compiled type library.
//
//   corvane-typelib-writer OUTPUT.tlb win32|win64
//
// The target system is an argument rather than this program's own, so one
// 64-bit build of it writes the library for both architectures.

#include "server/typelib/TypeLibWriter.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[2], "win32") != 0 && std::strcmp(argv[2], "win64") != 0)) {
        std::fprintf(stderr, "usage: %s OUTPUT.tlb win32|win64\n", argc > 0 ? argv[0] : "writer");
        return 2;
    }
    const SYSKIND syskind = std::strcmp(argv[2], "win32") == 0 ? SYS_WIN32 : SYS_WIN64;
    const int length = MultiByteToWideChar(CP_ACP, 0, argv[1], -1, nullptr, 0);
    std::wstring path(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, &path[0], length);
    DeleteFileW(path.c_str()); // a stale library is never left looking fresh
    try {
        if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
            throw std::runtime_error("CoInitializeEx failed");
        }
        corvane::typelib::WriteTypeLibrary(corvane::typelib::CorvaneLibrary(), path.c_str(),
                                           syskind);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        DeleteFileW(path.c_str());
        return 1;
    }
    CoUninitialize();
    return 0;
}

// Build tool: writes CorvaneC_TLB.h from the library's table. The file is
// rewritten only when its content changes, so an unchanged header does not
// rebuild everything that includes it.

#include "server/typelib/HeaderEmitter.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.h\n", argv[0]);
        return 2;
    }
    const std::string text = corvane::typelib::EmitHeader(corvane::typelib::CorvaneLibrary());
    {
        std::ifstream old(argv[1], std::ios::binary);
        if (old && std::string(std::istreambuf_iterator<char>(old), {}) == text) {
            return 0;
        }
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

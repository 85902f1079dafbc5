// Developer tool: brings the API reference up to date with the type
// library's table.
//
//   corvane-api-reference docs/api.md          regenerate its blocks, add missing ones
//   corvane-api-reference --check docs/api.md  only report; exit 1 when it is not current
//
// A missing member is added with a placeholder for its description, which
// the reference's test refuses until it is written.

#include "server/typelib/ApiReference.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: %s [--check] api.md\n", argv[0]);
        return 2;
    }
    const char* path = argv[argc - 1];
    std::string document;
    {
        std::ifstream in(path, std::ios::binary);
        document.assign(std::istreambuf_iterator<char>(in), {});
    }
    const corvane::typelib::TReferenceUpdate update =
        corvane::typelib::UpdateReference(corvane::typelib::CorvaneLibrary(), document);
    for (const std::string& problem : update.Problems)
        std::fprintf(stderr, "%s: %s\n", path, problem.c_str());
    if (check) {
        if (update.Text != document)
            std::fprintf(stderr, "%s: generated blocks differ from the type library\n", path);
        return update.Text == document && update.Problems.empty() ? 0 : 1;
    }
    if (update.Text != document) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << update.Text;
        out.close();
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path);
            return 1;
        }
    }
    return 0;
}

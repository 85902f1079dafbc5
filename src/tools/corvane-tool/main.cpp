// corvane-tool: looks into and rewrites stored header controls.

#include "Command.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return corvane_tool::RunTool(args, std::cout, std::cerr);
}

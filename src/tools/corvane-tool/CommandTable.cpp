#include "Command.h"

namespace corvane_tool {

int RunDump(const CommandLine& line, std::ostream& out, std::ostream& err);
int RunResave(const CommandLine& line, std::ostream& out, std::ostream& err);
int RunLayout(const CommandLine& line, std::ostream& out, std::ostream& err);
int RunHit(const CommandLine& line, std::ostream& out, std::ostream& err);

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands{
        {"dump",
         "[--sections] FILE",
         "print a stored control (or, with --sections, a bare section tree) as text",
         {"--sections"},
         1,
         1,
         &RunDump},
        {"resave",
         "[--sections] FILE OUT",
         "load FILE into a new control as a host would and save it to OUT; bytes after\n"
         "      the control (the host's own data) follow it unchanged",
         {"--sections"},
         2,
         2,
         &RunResave},
        {"layout",
         "[--sections] FILE WIDTHxHEIGHT",
         "print every section's rectangle (and a leaf's column) at that client size",
         {"--sections"},
         2,
         2,
         &RunLayout},
        {"hit",
         "[--sections] FILE WIDTHxHEIGHT X Y",
         "print the section, rectangle and column found at client point (X, Y)",
         {"--sections"},
         4,
         4,
         &RunHit},
    };
    return commands;
}

} // namespace corvane_tool

#include "Command.h"

namespace corvane_tool {

int RunDump(const CommandLine& line, std::ostream& out, std::ostream& err);
int RunResave(const CommandLine& line, std::ostream& out, std::ostream& err);

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
         "load FILE into a new control as a host would and save it to OUT",
         {"--sections"},
         2,
         2,
         &RunResave},
    };
    return commands;
}

} // namespace corvane_tool

#pragma once
// A corvane-tool command: its name, what it accepts, and what it runs. The
// dispatcher checks the command line against Flags, MinArgs and MaxArgs
// before Run is called; adding a command is one entry in CommandTable.cpp.

#include <cstddef>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace corvane_tool {

enum ExitCode : int { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

struct CommandLine {
    std::vector<std::string> Args; // after the command name, flags taken out
    std::set<std::string> Flags;   // "--sections"
    bool Has(const std::string& flag) const { return Flags.count(flag) != 0; }
};

struct Command {
    const char* Name;
    const char* Usage; // the arguments, e.g. "[--sections] FILE"
    const char* Summary;
    std::vector<std::string> Flags;
    size_t MinArgs;
    size_t MaxArgs;
    // Returns the exit code; errors are raised as exceptions.
    int (*Run)(const CommandLine& line, std::ostream& out, std::ostream& err);
};

const std::vector<Command>& Commands();

// Runs the tool for argv[1..]; returns its exit code.
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace corvane_tool

// Finds the command, checks its command line, runs it, and turns errors into
// exit codes: 2 for usage errors, 1 for everything that fails while running,
// output that could not be written included.

#include "Command.h"

#include <cerrno>
#include <cstring>
#include <exception>

namespace corvane_tool {

namespace {

void PrintUsage(std::ostream& to) {
    to << "usage: corvane-tool COMMAND [ARGS]\n";
    for (const Command& command : Commands())
        to << "  corvane-tool " << command.Name << ' ' << command.Usage << "\n      "
           << command.Summary << '\n';
    to << "  corvane-tool help\n";
}

const Command* FindCommand(const std::string& name) {
    for (const Command& command : Commands())
        if (name == command.Name)
            return &command;
    return nullptr;
}

int UsageError(std::ostream& err, const std::string& message) {
    err << "corvane-tool: " << message << '\n';
    PrintUsage(err);
    return ExitUsage;
}

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty())
        return UsageError(err, "no command given");
    if (args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
        PrintUsage(out);
        return ExitOk;
    }
    const Command* command = FindCommand(args[0]);
    if (command == nullptr)
        return UsageError(err, "unknown command '" + args[0] + "'");

    CommandLine line;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            bool known = false;
            for (const std::string& flag : command->Flags)
                known = known || flag == arg;
            if (!known)
                return UsageError(err, "unknown option '" + arg + "' for " + command->Name);
            line.Flags.insert(arg);
        } else {
            line.Args.push_back(arg);
        }
    }
    if (line.Args.size() < command->MinArgs || line.Args.size() > command->MaxArgs)
        return UsageError(err, std::string("wrong number of arguments for ") + command->Name);

    try {
        return command->Run(line, out, err);
    } catch (const std::exception& e) {
        out.flush();
        err << "corvane-tool: " << e.what() << '\n';
        return ExitFailure;
    }
}

} // namespace

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    errno = 0;
    const int code = RunCommand(args, out, err);
    out.flush();
    if (out)
        return code;
    // A full disk or a closed pipe: what was printed is not all there.
    const int error = errno;
    err << "corvane-tool: cannot write standard output"
        << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
    return ExitFailure;
}

} // namespace corvane_tool

// corvane-tool dump [--sections] FILE

#include "Command.h"
#include "FileIo.h"

#include "core/stream/StreamDump.h"

namespace corvane_tool {

int RunDump(const CommandLine& line, std::ostream& out, std::ostream& /*err*/) {
    const std::vector<uint8_t> bytes = ReadFileBytes(line.Args[0]);
    out << (line.Has("--sections") ? corvane::DumpHeaderColumnsValue(bytes)
                                   : corvane::DumpControlStream(bytes));
    return ExitOk;
}

} // namespace corvane_tool

// corvane-tool dump [--sections] FILE

#include "Command.h"
#include "FileIo.h"

#include "core/stream/StreamDump.h"

namespace corvane_tool {

int RunDump(const CommandLine& line, std::ostream& out, std::ostream& /*err*/) {
    const std::vector<uint8_t> bytes = ReadFileBytes(line.Args[0]);
    if (line.Has("--sections"))
        out << corvane::DumpHeaderColumnsValue(bytes);
    else
        corvane::DumpControlStream(bytes, out);
    return ExitOk;
}

} // namespace corvane_tool

// corvane-tool resave [--sections] FILE OUT: what a host's load followed by a
// save makes of a document.

#include "Command.h"
#include "FileIo.h"

#include "core/control/Strativ.h"
#include "core/stream/SectionsStream.h"
#include "core/stream/StrativStream.h"

namespace corvane_tool {

int RunResave(const CommandLine& line, std::ostream& /*out*/, std::ostream& /*err*/) {
    const std::vector<uint8_t> bytes = ReadFileBytes(line.Args[0]);
    corvane::TStrativ control;
    std::vector<uint8_t> saved;
    if (line.Has("--sections")) {
        corvane::LoadHeaderColumnsValue(*control.Sections(), bytes);
        control.Loaded();
        saved = corvane::SaveHeaderColumnsValue(*control.Sections());
    } else {
        corvane::LoadStrativ(control, bytes);
        saved = corvane::SaveStrativ(control);
    }
    WriteFileBytes(line.Args[1], saved);
    return ExitOk;
}

} // namespace corvane_tool

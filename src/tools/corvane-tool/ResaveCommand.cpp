// corvane-tool resave [--sections] FILE OUT: what a host's load followed by a
// save makes of a document. Bytes after the control (or the section tree)
// are the host's own data and follow the re-saved control unchanged.

#include "Command.h"
#include "FileIo.h"

#include "core/control/Strativ.h"
#include "core/stream/SectionsStream.h"
#include "core/stream/StrativStream.h"

#include <cstddef>

namespace corvane_tool {

int RunResave(const CommandLine& line, std::ostream& /*out*/, std::ostream& /*err*/) {
    const std::vector<uint8_t> bytes = ReadFileBytes(line.Args[0]);
    corvane::TStrativ control;
    std::vector<uint8_t> saved;
    size_t used = 0;
    if (line.Has("--sections")) {
        used = corvane::LoadHeaderColumnsValue(*control.Sections(), bytes);
        control.Loaded();
        saved = corvane::SaveHeaderColumnsValue(*control.Sections());
    } else {
        used = corvane::LoadStrativ(control, bytes);
        saved = corvane::SaveStrativ(control);
    }
    saved.insert(saved.end(), bytes.begin() + static_cast<std::ptrdiff_t>(used), bytes.end());
    WriteFileBytes(line.Args[1], saved);
    return ExitOk;
}

} // namespace corvane_tool

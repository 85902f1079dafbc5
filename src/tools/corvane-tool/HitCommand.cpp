// corvane-tool hit [--sections] FILE WIDTHxHEIGHT X Y: what the control finds
// under client point (X, Y) at that client size: the deepest section there,
// its rectangle and the column under the point, or none and column -1.

#include "Command.h"
#include "LayoutSupport.h"

namespace corvane_tool {

int RunHit(const CommandLine& line, std::ostream& out, std::ostream& err) {
    int width = 0, height = 0, x = 0, y = 0;
    if (!ParseClientSize(line.Args[1], width, height)) {
        err << "corvane-tool: bad client size '" << line.Args[1] << "', expected WIDTHxHEIGHT\n";
        return ExitUsage;
    }
    if (!ParseInt(line.Args[2], x) || !ParseInt(line.Args[3], y)) {
        err << "corvane-tool: bad point '" << line.Args[2] << ' ' << line.Args[3]
            << "', expected two integers\n";
        return ExitUsage;
    }
    corvane::TStrativ control;
    LoadForLayout(control, line);
    control.SetClientSize(width, height);
    const corvane::TSectionHit hit = control.SectionAt(corvane::TPoint{x, y});
    if (hit.Section == nullptr)
        out << "none";
    else
        out << SectionLine(*hit.Section, hit.Rect);
    out << " column " << hit.Column << '\n';
    return ExitOk;
}

} // namespace corvane_tool

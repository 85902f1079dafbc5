// corvane-tool layout [--sections] FILE WIDTHxHEIGHT: where every section of
// a stored control lies at that client size, in pre-order, indented by depth;
// leaves with their column index.

#include "Command.h"
#include "LayoutSupport.h"

#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"

#include <unordered_map>
#include <utility>
#include <vector>

namespace corvane_tool {

int RunLayout(const CommandLine& line, std::ostream& out, std::ostream& err) {
    int width = 0, height = 0;
    if (!ParseClientSize(line.Args[1], width, height)) {
        err << "corvane-tool: bad client size '" << line.Args[1] << "', expected WIDTHxHEIGHT\n";
        return ExitUsage;
    }
    corvane::TStrativ control;
    LoadForLayout(control, line);
    control.SetClientSize(width, height);

    std::unordered_map<const corvane::THeaderColumns*, int> columns;
    for (int i = 0; i < control.Levels().LeafCount(); ++i)
        columns.emplace(control.Levels().Leaf(i), i);

    // Pre-order without recursion: stored trees may be deep.
    std::vector<std::pair<const corvane::THeaderColumns*, int>> pending;
    const auto& top = control.Sections()->Children();
    for (auto it = top.rbegin(); it != top.rend(); ++it)
        pending.emplace_back(*it, 0);
    while (!pending.empty()) {
        const auto [section, depth] = pending.back();
        pending.pop_back();
        out << std::string(static_cast<size_t>(depth) * 2, ' ')
            << SectionLine(*section, control.SectionRect(section));
        const auto column = columns.find(section);
        if (!section->HasChildren() && column != columns.end())
            out << " column " << column->second;
        out << '\n';
        const auto& children = section->Children();
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.emplace_back(*it, depth + 1);
    }
    return ExitOk;
}

} // namespace corvane_tool

#include "core/control/HeaderGrid.h"

#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"

#include <algorithm>

namespace corvane {
namespace {

// Depth below the header's root: 0 for a top-level section, -1 for a
// section of another tree.
int DepthIn(TStrativ& header, const THeaderColumns* section) {
    int depth = -1;
    for (const THeaderColumns* s = section; s != nullptr; s = s->Parent()) {
        if (s == header.Sections())
            return depth;
        ++depth;
    }
    return -1;
}

const THeaderColumns* FirstLeafOf(const THeaderColumns* section) {
    while (section->HasChildren())
        section = section->GetFirstChild();
    return section;
}

int LeafCountOf(const THeaderColumns* section) {
    if (!section->HasChildren())
        return 1;
    // Without recursion: a host may build a tree of any depth.
    int count = 0;
    const THeaderColumns* s = section->GetFirstChild();
    while (s != nullptr && s != section) {
        if (s->HasChildren()) {
            s = s->GetFirstChild();
            continue;
        }
        ++count;
        while (s != section && s->GetNextSibling() == nullptr)
            s = s->Parent();
        if (s != section)
            s = s->GetNextSibling();
    }
    return count;
}

} // namespace

int GridRowCount(TStrativ& Header) {
    return Header.Levels().LevelCount();
}

int GridColumnCount(TStrativ& Header) {
    return Header.Levels().LeafCount();
}

TGridCell GridCellOf(TStrativ& Header, const THeaderColumns* Section) {
    TGridCell cell;
    const int depth = DepthIn(Header, Section);
    if (Section == nullptr || depth < 0)
        return cell;
    const TLevels& levels = Header.Levels();
    const THeaderColumns* first = FirstLeafOf(Section);
    for (int i = 0; i < levels.LeafCount(); ++i) {
        if (levels.Leaf(i) == first) {
            cell.Column = i;
            break;
        }
    }
    if (cell.Column < 0)
        return TGridCell{};
    cell.Row = depth;
    cell.ColumnSpan = LeafCountOf(Section);
    cell.RowSpan = Section->HasChildren() ? 1 : std::max(1, levels.LevelCount() - depth);
    return cell;
}

THeaderColumns* GridItemAt(TStrativ& Header, int Row, int Column) {
    const TLevels& levels = Header.Levels();
    if (Row < 0 || Column < 0 || Row >= levels.LevelCount() || Column >= levels.LeafCount())
        return nullptr;
    // The leaf's chain from the top: the section at the row's depth, or the
    // leaf itself when it ends above that row.
    THeaderColumns* leaf = levels.Leaf(Column);
    int depth = DepthIn(Header, leaf);
    THeaderColumns* s = leaf;
    while (depth > Row) {
        s = s->Parent();
        --depth;
    }
    return s;
}

} // namespace corvane

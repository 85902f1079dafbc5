#pragma once
// The header read as a grid, as UI Automation's grid patterns show it: one
// row per level, one column per leaf. A section sits in the row of its
// depth, from its first leaf's column over as many columns as it has
// leaves; a leaf above the deepest level is drawn down to the bottom, so it
// covers the rows below it too.

namespace corvane {

class THeaderColumns;
class TStrativ;

struct TGridCell {
    int Row = -1; // -1: the section is not in this header
    int Column = -1;
    int RowSpan = 0;
    int ColumnSpan = 0;
};

int GridRowCount(TStrativ& Header);
int GridColumnCount(TStrativ& Header);
TGridCell GridCellOf(TStrativ& Header, const THeaderColumns* Section);
// The section drawn in a cell; nullptr outside the grid.
THeaderColumns* GridItemAt(TStrativ& Header, int Row, int Column);

} // namespace corvane

#pragma once
// What a tree item of the editor carries besides its caption (the item's
// text): the section's other editable values.

#include "core/model/HeaderColumns.h"

namespace corvane::editor {

struct TSectionItemData {
    int Width = THeaderColumns::DefaultWidth;
    int Height = THeaderColumns::DefaultHeight;
    TAlignment Alignment = taLeftJustify;
    bool Wordwrap = false;
    // The host's tag of the section: carried through so that an edit in the
    // dialog does not lose it; a new item has 0.
    int TypeCol = 0;

    bool operator==(const TSectionItemData& o) const {
        return Width == o.Width && Height == o.Height && Alignment == o.Alignment &&
               Wordwrap == o.Wordwrap && TypeCol == o.TypeCol;
    }
    bool operator!=(const TSectionItemData& o) const { return !(*this == o); }
};

} // namespace corvane::editor

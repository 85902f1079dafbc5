#pragma once
// The editor as a host's property page: the two pages of the customizing
// dialog without the dialog around it; the host's frame supplies OK, Cancel
// and Apply. Besides the editor's own changed flag Dirty (set by loading,
// never cleared) the page keeps the state the host sees: whether it holds
// changes not yet applied.

#include "core/editor/HeaderEditor.h"

namespace corvane::editor {

class TGenStrativ : public THeaderEditor {
public:
    // The page's title in the host's frame, and the size it asks for.
    static constexpr const char* Caption = "Customizing...";
    static constexpr int FormWidth = 469, FormHeight = 349;

    TGenStrativ();

    // Unapplied changes: any edit, check box or radio group changed its value
    // after the page was loaded. The tree view counts only through the
    // property controls it reloads; font and colour choices do not count.
    bool Modified() const { return modified_; }
    // Runs when the page turns from unmodified to modified.
    THandler OnModified;

    // Activation: the header (null: nothing to load) becomes HeaderControl
    // and is loaded; the page ends unmodified whatever the load changed.
    void LoadPage(TStrativ* header);
    // The host applies: when Dirty and a header is set, the tree and then the
    // properties are written back and the page ends unmodified. Raises at a
    // number field that does not convert; the page then stays modified.
    void ApplyPage();

private:
    bool modified_ = false;
    bool loading_ = false;
};

} // namespace corvane::editor

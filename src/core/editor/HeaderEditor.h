#pragma once
// The editor both forms share: the two pages, the changed flag Dirty and the
// header being edited. The customizing dialog (HeadersForm.h) puts OK,
// Cancel and Apply around it; a host's property page puts the host's frame
// around it. Nothing here assumes either.

#include "core/editor/GeneralPage.h"
#include "core/editor/SectionsPage.h"

namespace corvane {
class TStrativ;
}

namespace corvane::editor {

class THeaderEditor {
public:
    enum TPage : int { GeneralPageIndex = 0, SectionsPageIndex = 1 };

    THeaderEditor();
    THeaderEditor(const THeaderEditor&) = delete;
    THeaderEditor& operator=(const THeaderEditor&) = delete;

    bool Dirty = false;
    TStrativ* HeaderControl = nullptr; // not owned

    TPageControlModel PropertyPage;
    TGeneralPage General{Dirty};
    TSectionsPage Sections{Dirty};

    // The form was created: the General page is shown and the property
    // controls start empty.
    void FormCreate();
    // CopyPropsFromHeader, then CopySectionsToTree for the header's sections.
    void LoadFromHeader(TStrativ& header);
    // CopyTreeToSections, then CopyPropsToHeader (which may raise at a
    // number field that does not convert).
    void WriteToHeader(TStrativ& header);

    // Runs observer after every change of value of any edit, check box or
    // radio group on either page (a host page marks itself changed).
    void SetValueChangedObserver(const THandler& observer);
};

} // namespace corvane::editor

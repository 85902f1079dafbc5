#include "core/editor/HeaderEditor.h"

#include "core/control/Strativ.h"

namespace corvane::editor {

THeaderEditor::THeaderEditor() {
    General.NumberKeyFilter = [this](char& key) { Sections.widthEditKeyPress(key); };
    // The layout names "Sections Property" as the page shown; FormCreate
    // overrides it.
    PropertyPage.SetActivePage(SectionsPageIndex);
}

void THeaderEditor::FormCreate() {
    PropertyPage.SetActivePage(GeneralPageIndex);
    Sections.HeadersClick();
}

void THeaderEditor::LoadFromHeader(TStrativ& header) {
    General.CopyPropsFromHeader(header);
    Sections.NewItemHeight = header.Sections()->NewSectionHeight();
    Sections.CopySectionsToTree(*header.Sections());
}

void THeaderEditor::WriteToHeader(TStrativ& header) {
    Sections.CopyTreeToSections(*header.Sections());
    General.CopyPropsToHeader(header);
}

void THeaderEditor::SetValueChangedObserver(const THandler& observer) {
    const auto install = [&observer](TWidget& widget) { widget.OnValueChanged = observer; };
    General.ForEachValueControl(install);
    Sections.ForEachValueControl(install);
}

} // namespace corvane::editor

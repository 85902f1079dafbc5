#pragma once
// The "General" page: the header's options, look, hint, font and colours.
// Like the sections page it knows no window around it; the chosen font and
// colours live in its controls (the panel previews colour and font, the
// hot-track colour is the caption colour of its button).

#include "core/editor/Widgets.h"

namespace corvane {
class TStrativ;
}

namespace corvane::editor {

// The platform's standard font and colour dialogs: each is pre-set with the
// value, run, and reports whether the user confirmed (the value then holds
// the choice).
class TStandardDialogs {
public:
    virtual ~TStandardDialogs() = default;
    virtual bool ExecuteFontDialog(TFont& font) = 0;
    virtual bool ExecuteColorDialog(TColor& color) = 0;
};

class TGeneralPage {
public:
    explicit TGeneralPage(bool& dirty);
    TGeneralPage(const TGeneralPage&) = delete;
    TGeneralPage& operator=(const TGeneralPage&) = delete;

    // --- Controls -------------------------------------------------------------
    TCheckBoxModel VisibleCheck, ShowhintCheck, Customizecheck, HotTrack, VResizeCheck,
        HresizeCheckBox, HintSections, MoveSections, ShowAbout, SectionClick;
    TRadioGroupModel HeadersStyle{{"Auto", "Win31", "New"}, 3};
    TRadioGroupModel BevelInner{{"None", "Lower", "Raise"}, 3};
    TRadioGroupModel BevelOuter{{"None", "Lower", "Raise"}, 3};
    TRadioGroupModel BorderStyle{{"None", "Single"}, 2};
    TRadioGroupModel Align{{"None", "Top", "Bottom", "Left", "Right", "Client"}, 3};
    TEditModel Hint;
    TEditModel BorderWidth{"0"}, BevelWidth{"0"};
    TButtonModel Font, Color, HotTrackButton;
    TPanelModel ColorPanel;

    // The option check boxes with the option bit each stands for, in the
    // order they are loaded.
    struct TOptionBox {
        TCheckBoxModel TGeneralPage::*Box;
        uint8_t Option;
    };
    static const TOptionBox OptionBoxes[8];

    void SetDialogs(TStandardDialogs* dialogs) { dialogs_ = dialogs; }
    // The character filter of BorderWidth and BevelWidth (the sections page's).
    std::function<void(char& key)> NumberKeyFilter;

    // --- Copies ---------------------------------------------------------------
    void CopyPropsFromHeader(const TStrativ& header);
    // Raises "'%s' is not a valid integer value" at the first number field
    // that does not convert; what came before it stays written.
    void CopyPropsToHeader(TStrativ& header);

    // --- Handlers ---------------------------------------------------------------
    void CustomizecheckClick();
    void HotTrackClick();
    void FontClick();
    void ColorClick();
    void HotTrackButtonClick();

    void ForEachValueControl(const std::function<void(TWidget&)>& visit);

private:
    bool& dirty_;
    TStandardDialogs* dialogs_ = nullptr;
};

} // namespace corvane::editor

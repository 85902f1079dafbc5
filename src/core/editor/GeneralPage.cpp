#include "core/editor/GeneralPage.h"

#include "core/control/Strativ.h"
#include "core/editor/IntegerText.h"

namespace corvane::editor {

const TGeneralPage::TOptionBox TGeneralPage::OptionBoxes[8] = {
    {&TGeneralPage::Customizecheck, hoCustomize}, {&TGeneralPage::HintSections, hoHint},
    {&TGeneralPage::HotTrack, hoHotTrack},        {&TGeneralPage::VResizeCheck, hoVResize},
    {&TGeneralPage::HresizeCheckBox, hoHresize},  {&TGeneralPage::MoveSections, hoDragdrop},
    {&TGeneralPage::ShowAbout, hoAbout},          {&TGeneralPage::SectionClick, hoClick},
};

TGeneralPage::TGeneralPage(bool& dirty) : dirty_(dirty) {
    const THandler customize = [this] { CustomizecheckClick(); };
    for (TCheckBoxModel* box :
         {&VisibleCheck, &ShowhintCheck, &Customizecheck, &VResizeCheck, &HresizeCheckBox,
          &HintSections, &MoveSections, &ShowAbout, &SectionClick})
        box->OnClick = customize;
    HotTrack.OnClick = [this] { HotTrackClick(); };
    for (TRadioGroupModel* group : {&HeadersStyle, &BevelInner, &BevelOuter, &BorderStyle, &Align})
        group->OnClick = customize;
    Hint.OnChange = customize;
    BorderWidth.OnChange = customize;
    BevelWidth.OnChange = customize;
    const auto filter = [this](char& key) {
        if (NumberKeyFilter)
            NumberKeyFilter(key);
    };
    BorderWidth.OnKeyPress = filter;
    BevelWidth.OnKeyPress = filter;
    Font.OnClick = [this] { FontClick(); };
    Color.OnClick = [this] { ColorClick(); };
    HotTrackButton.OnClick = [this] { HotTrackButtonClick(); };
}

void TGeneralPage::ForEachValueControl(const std::function<void(TWidget&)>& visit) {
    for (TCheckBoxModel* box :
         {&VisibleCheck, &ShowhintCheck, &Customizecheck, &HotTrack, &VResizeCheck,
          &HresizeCheckBox, &HintSections, &MoveSections, &ShowAbout, &SectionClick})
        visit(*box);
    for (TRadioGroupModel* group : {&HeadersStyle, &BevelInner, &BevelOuter, &BorderStyle, &Align})
        visit(*group);
    for (TEditModel* edit : {&Hint, &BorderWidth, &BevelWidth})
        visit(*edit);
}

void TGeneralPage::CopyPropsFromHeader(const TStrativ& header) {
    for (const TOptionBox& entry : OptionBoxes)
        (this->*entry.Box).SetChecked((header.Options() & entry.Option) != 0);
    VisibleCheck.SetChecked(header.Visible());
    ShowhintCheck.SetChecked(header.ShowHint());
    HeadersStyle.SetItemIndex(header.Headerstyle());
    BevelInner.SetItemIndex(header.BevelInner());
    BevelOuter.SetItemIndex(header.BevelOuter());
    BorderStyle.SetItemIndex(header.BorderStyle());
    Align.SetItemIndex(header.Align());
    BorderWidth.SetText(std::to_string(header.BorderWidth()));
    BevelWidth.SetText(std::to_string(header.BevelWidth()));
    Hint.SetText(header.Hint());
    ColorPanel.SetFont(header.Font());
    ColorPanel.SetColor(header.Color());
    // Loaded whatever the options say: writing back with HotTrack checked
    // then keeps the control's colour unless the user picked another.
    HotTrackButton.SetCaptionColor(header.HotTrackColor());
}

void TGeneralPage::CopyPropsToHeader(TStrativ& header) {
    THeaderOptions options = 0;
    for (const TOptionBox& entry : OptionBoxes) {
        if ((this->*entry.Box).Checked())
            options |= entry.Option;
    }
    header.SetOptions(options);
    if (header.Visible() != VisibleCheck.Checked())
        header.SetVisible(VisibleCheck.Checked());
    header.SetShowHint(ShowhintCheck.Checked());
    header.SetHeaderstyle(static_cast<TButtonStyle>(HeadersStyle.ItemIndex()));
    header.SetBevelInner(static_cast<TBevelCut>(BevelInner.ItemIndex()));
    header.SetBevelOuter(static_cast<TBevelCut>(BevelOuter.ItemIndex()));
    header.SetBorderStyle(static_cast<TBorderStyle>(BorderStyle.ItemIndex()));
    header.SetAlign(static_cast<TAlign>(Align.ItemIndex()));
    header.SetBorderWidth(StrToInt(BorderWidth.Text()));
    header.SetBevelWidth(StrToInt(BevelWidth.Text()));
    header.SetHint(Hint.Text());
    header.SetFont(ColorPanel.Font());
    header.SetColor(ColorPanel.Color());
    if (options & hoHotTrack)
        header.SetHotTrackColor(HotTrackButton.CaptionColor());
}

void TGeneralPage::CustomizecheckClick() {
    dirty_ = true;
}

void TGeneralPage::HotTrackClick() {
    dirty_ = true;
    HotTrackButton.SetEnabled(HotTrack.Checked());
}

void TGeneralPage::FontClick() {
    if (dialogs_ == nullptr)
        return;
    TFont font = ColorPanel.Font();
    if (dialogs_->ExecuteFontDialog(font)) {
        ColorPanel.SetFont(font);
        dirty_ = true;
    }
}

void TGeneralPage::ColorClick() {
    if (dialogs_ == nullptr)
        return;
    TColor color = ColorPanel.Color();
    if (dialogs_->ExecuteColorDialog(color)) {
        ColorPanel.SetColor(color);
        dirty_ = true;
    }
}

void TGeneralPage::HotTrackButtonClick() {
    if (dialogs_ == nullptr)
        return;
    TColor color = ColorPanel.Color();
    if (dialogs_->ExecuteColorDialog(color)) {
        HotTrackButton.SetCaptionColor(color);
        dirty_ = true;
    }
}

} // namespace corvane::editor

#include "core/control/Strativ.h"

#include "core/control/CustomizeDialog.h"
#include "core/control/CustomizePopupMenu.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"

namespace corvane {

TStrativ::TStrativ(TDpiScale scale) : scale_(scale) {
    AddControlStyle(csDesignInteractive | csOpaque);
    SetBounds(0, 0, 250, 25);
    trackState_ = tsIdle;
    sections_ = std::make_unique<THeaderColumns>();
    sections_->MakeOwnedRoot();
    sections_->SetNewSectionHeight(scale(THeaderColumns::DefaultHeight));
    sections_->Add(DefaultSectionCaption);
    levels_ = std::make_unique<TLevels>(sections_.get());
    bevelWidth_ = 1;
    options_ = AllHeaderOptions;
    borderStyle_ = bsSingle;
    customizeMenu_ = std::make_unique<TCustomizePopupMenu>();
    customizeMenustring_ = DefaultCustomizeMenustring;
    trackLine_ = TPoint{-1, -1};
    pendingSize_ = TPoint{-1, -1};
    pressed_ = false;
    hotTrackColor_ = DefaultHotTrackColor;
    // Still the parent's font (a host's ambient font replaces it).
    ParentFontChanged(scale.Font(Font()));
}

void TStrativ::ChangeScale(TDpiScale scale) {
    if (scale.PixelsPerInch() == scale_.PixelsPerInch())
        return;
    // The font this control chose for itself at the old density: only that
    // one is the control's to rescale (a host's or a stream's stays).
    const TFont own = scale_.Font(TFont());
    scale_ = scale;
    sections_->SetNewSectionHeight(scale_(THeaderColumns::DefaultHeight));
    if (ParentFont() && Font() == own)
        ParentFontChanged(scale_.Font(TFont())); // repaints
    else
        Invalidate(); // shown anew at the new density
}

TStrativ::~TStrativ() {
    levels_.reset();
    sections_->Clear();
    sections_.reset();
    customizeMenu_.reset();
}

void TStrativ::SetBevelInner(TBevelCut value) {
    bevelInner_ = value;
    Invalidate();
}

void TStrativ::SetBevelOuter(TBevelCut value) {
    bevelOuter_ = value;
    Invalidate();
}

void TStrativ::SetBevelWidth(int value) {
    bevelWidth_ = value;
    Invalidate();
}

void TStrativ::SetBorderWidth(int value) {
    borderWidth_ = value;
    Services().Realign();
    Invalidate();
}

void TStrativ::SetHeaderstyle(TButtonStyle value) {
    if (value == headerstyle_)
        return;
    headerstyle_ = value;
    Invalidate();
}

void TStrativ::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    Services().RecreateWnd();
}

void TStrativ::SetOptions(THeaderOptions value) {
    if (value == options_)
        return;
    options_ = value;
    Services().UpdateWindowState(); // whether the window is a tab stop
    Invalidate();
}

void TStrativ::SetSections(const THeaderColumns* value) {
    sections_->Assign(value);
}

void TStrativ::BeforeCustomize() {
    if (OnBeforeCustomize)
        OnBeforeCustomize(this);
}

void TStrativ::AfterCustomize() {
    if (OnAfterCustomize)
        OnAfterCustomize(this);
}

void TStrativ::BeforeApply() {
    if (OnBeforeApply)
        OnBeforeApply(this);
}

void TStrativ::AfterApply() {
    if (OnAfterApply)
        OnAfterApply(this);
}

void TStrativ::Customize() {
    if (!(options_ & hoCustomize))
        return;
    BeforeCustomize();
    if (customizeDialog_ != nullptr)
        customizeDialog_->Execute(*this);
    AfterCustomize();
}

const char* TStrativ::AboutText() {
    return "TStrativ v.2.8\r\n"
           "Description:\r\n"
           " Strativ control with:\r\n"
           "     a) Multi Header\r\n"
           "     b) Multilevel Headers union (union headers) support, with\r\n"
           "        unlimited sub-Headers\r\n"
           "     c) Headers can be sized, changed alignment of captions,\r\n"
           "     d) Ellipsis drawing captions\r\n"
           "     e) With Run-time Customizing\r\n"
           "     f) Events : OnSizing, Onsized Allow to monitor ColumnWidths\r\n"
           "     g) Very easy-to-use customizing, and very effective!!!.";
}

void TStrativ::ShowAbout() {
    constexpr unsigned MB_OK_ICONINFORMATION = 0x40;
    Services().MessageBox(AboutText(), "About TStrativ", MB_OK_ICONINFORMATION);
}

int TStrativ::ColumnCount() const {
    return levels_->LeafCount();
}

void TStrativ::Loaded() {
    TCustomControl::Loaded();
    levels_->Rebuild(sections_.get());
    Repaint();
}

void TStrativ::DoSized(THeaderColumns* Section, int Index, int Width) {
    if (OnSized)
        OnSized(this, Section, Index, Width);
    if (Designing())
        Services().DesignerModified();
}

void TStrativ::DoSizing(THeaderColumns* Section, int Index, int Width) {
    if (OnSizing)
        OnSizing(this, Section, Index, Width);
}

void TStrativ::DoHeightChanging(THeaderColumns* Section, int Height) {
    if (OnHeightChanging)
        OnHeightChanging(this, Section, Height);
}

void TStrativ::DoHeightChanged(THeaderColumns* Section, int Height) {
    if (OnHeightChanged)
        OnHeightChanged(this, Section, Height);
    if (Designing())
        Services().DesignerModified();
}

void TStrativ::DoHeaderClick(THeaderColumns* Section) {
    if (OnHeaderClick)
        OnHeaderClick(this, Section);
}

void TStrativ::DoDropSection(THeaderColumns* Source, THeaderColumns* Dest, bool& AsChild,
                             bool& AllowDrop) {
    if (OnDropSection)
        OnDropSection(this, Source, Dest, AsChild, AllowDrop);
}

void TStrativ::DoHint(THeaderColumns* Section, std::string& Hint) {
    if (OnHint)
        OnHint(this, Section, Hint);
}

} // namespace corvane

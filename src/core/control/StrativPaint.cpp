// Painting: the background, then column by column every section from the
// leaf up, each multi-child section once; a section is a face (bevel frames
// or a button) with its caption inside.

#include "core/control/Strativ.h"

#include "core/control/StrativPaintFace.h"
#include "core/model/HeaderColumns.h"
#include "core/platform/Canvas.h"

namespace corvane {
namespace {

unsigned CaptionFormat(const THeaderColumns& section) {
    unsigned format = DT_LEFT;
    if (section.Alignment() == taRightJustify)
        format = DT_RIGHT;
    else if (section.Alignment() == taCenter)
        format = DT_CENTER;
    if (section.Wordwrap())
        return format | DT_WORDBREAK;
    return format | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
}

// High contrast: the system's colours for the face and the caption, whatever
// the control's own colours are.
TColor HighContrastText(bool down, bool hot) {
    if (down)
        return clHighlightText;
    return hot ? clHotLight : clBtnText;
}

THeaderItemState ItemState(bool down, bool hot) {
    if (down)
        return THeaderItemState::Pressed;
    return hot ? THeaderItemState::Hot : THeaderItemState::Normal;
}

} // namespace

void TStrativ::Paint(TCanvas& Canvas) {
    FocusedSection(); // an edit may have moved the focus to a neighbour
    Canvas.SetFont(Font());
    Canvas.SetBrushColor(Services().PlatformLook().HighContrast ? clBtnFace : Color());
    Canvas.FillRect(ClientRect());
    Canvas.SetBrushStyle(TBrushStyle::Clear);

    TColumnLayout& layout = Layout();
    const int64_t clientWidth = ClientWidth();
    int64_t right = 0;
    for (int i = 0; i < layout.Count(); ++i) {
        right += layout.LeafWidth(i);
        // A column ending within 2 pixels of the edge, or past it, is the
        // last one painted: it reaches the edge.
        if (clientWidth - right < 2 || i == layout.Count() - 1)
            right = clientWidth;
        PaintColumn(Canvas, i);
        if (right == clientWidth)
            break;
    }
}

void TStrativ::PaintColumn(TCanvas& Canvas, int Column) {
    TColumnLayout& layout = Layout();
    if (Column < 0 || Column >= layout.Count())
        return;
    THeaderColumns* leaf = layout.Leaf(Column);
    const THeaderColumns* below = nullptr;
    for (const THeaderColumns* s = leaf; s != nullptr && s->Parent() != nullptr;
         below = s, s = s->Parent()) {
        // A section with several children belongs to the column of its first
        // child; so do all its ancestors, which that column's walk paints.
        if (s != leaf && s->Count() >= 2 && s->Children().front() != below)
            break;
        PaintSection(Canvas, s, SectionRect(s));
    }
}

void TStrativ::PaintSection(TCanvas& Canvas, const THeaderColumns* Section, TRect Rect) {
    if (Section == nullptr)
        return;
    const TPlatformLook look = Services().PlatformLook();
    const bool down = hotSection_ == Section && pressed_;
    const bool hot = (options_ & hoHotTrack) != 0 && hotSection_ == Section;
    const TColor face = look.HighContrast ? clBtnFace : Color();
    const TRect visible = ClientRect();
    TRect64 r = Widen(Rect);
    int64_t inset = 2;
    bool themed = false;
    TColor themeText = clBtnText;
    if (headerstyle_ == bsWin31) {
        TColor top = 0, bottom = 0;
        if (bevelOuter_ != bvNone) {
            BevelColors(bevelOuter_, down, top, bottom);
            DrawFrames(Canvas, r, bevelWidth_, top, bottom, visible);
        }
        DrawFrames(Canvas, r, borderWidth_, face, face, visible);
        if (bevelInner_ != bvNone) {
            BevelColors(bevelInner_, down, top, bottom);
            DrawFrames(Canvas, r, bevelWidth_, top, bottom, visible);
        }
        inset = int64_t{bevelWidth_} + 1;
    } else if (headerstyle_ == bsNew) {
        DrawButtonFace(Canvas, r, down);
    } else if (!look.HighContrast &&
               Canvas.DrawThemedHeaderItem(Narrow(r), ItemState(down, hot), face, themeText)) {
        themed = true; // the visual style's item is the whole face
    } else if (Services().NewStyleControls()) {
        DrawButtonFace(Canvas, r, down);
    } else {
        DrawOldFace(Canvas, r, down, bevelWidth_, visible);
    }
    Shrink(r, inset);

    if (!themed) {
        Canvas.SetBrushColor(look.HighContrast && down ? clHighlight : face);
        Canvas.FillRect(Narrow(r));
    }
    Canvas.SetBrushStyle(TBrushStyle::Clear);
    if (look.HighContrast)
        Canvas.SetFontColor(HighContrastText(down, hot));
    else if (hot)
        Canvas.SetFontColor(hotTrackColor_);
    else
        Canvas.SetFontColor(themed ? themeText : Font().Color);
    // The focus mark runs along the inside of the face; the caption keeps
    // clear of it (drawing clips the caption to its rectangle), so the mark
    // never crosses the text. The caption keeps its place while the keyboard
    // cues hide the mark, so it does not move when they come back.
    const bool focusHere = hasFocus_ && !Designing() && focusedSection_ == Section;
    const bool showMark = focusHere && (look.HighContrast || !look.FocusCuesHidden);
    if (showMark && r.Right > r.Left && r.Bottom > r.Top)
        Canvas.DrawFocusRect(Narrow(r));
    if (Section->Wordwrap()) {
        Shrink(r, 2);
    } else if (focusHere) {
        r.Left += 2;
        r.Right -= 2;
        r.Top += 1;
        r.Bottom -= 1;
    }
    Canvas.DrawTextEx(Section->Caption(), Narrow(r), CaptionFormat(*Section));
}

void TStrativ::RepaintSection(const THeaderColumns* Section, const TRect& Rect) {
    if (TCanvas* canvas = Services().Canvas())
        PaintSection(*canvas, Section, Rect);
}

} // namespace corvane

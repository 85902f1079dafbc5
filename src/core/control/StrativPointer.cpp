// The pointer state machine: the cursor over section edges arms a resize,
// a press starts it (or presses a section, or opens the context menu), moves
// drive it (or a drag, or hot tracking), the release ends it.

#include "core/control/Strativ.h"

#include "core/control/CustomizePopupMenu.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"

#include <cstdlib>

namespace corvane {
namespace {

constexpr int HTCLIENT = 1;

} // namespace

void TStrativ::WMNCHitTest(TPoint Screen) {
    hitPoint_ = Screen;
}

bool TStrativ::WMSetCursor(int HitTestCode) {
    resizeColumn_ = -1;
    hitPoint_ = Services().ScreenToClient(hitPoint_);
    resizeAllowed_ = false;
    // Both grow with the density, as the pointer's precision does not.
    const int64_t reach = ZoneReach();
    const int64_t bottomMargin = ZoneReach();
    TSectionHit hit;
    if (HitTestCode == HTCLIENT)
        hit = SectionAt(hitPoint_);
    if (hit.Section != nullptr) {
        const int64_t offsetX = int64_t{hit.Rect.Right} - (int64_t{hitPoint_.X} + 2);
        const int64_t offsetY = int64_t{hit.Rect.Bottom} - (int64_t{hitPoint_.Y} + 2);
        grabOffset_ = TPoint{SaturateToInt(offsetX), SaturateToInt(offsetY)};
        if (std::llabs(offsetX) < reach) {
            // The cursor is only asked for when the zone may be used: one that
            // cannot be loaded makes the zone unusable.
            grabOffset_.Y = 0;
            resizeColumn_ = hit.Column;
            resizeAllowed_ = ((options_ & hoHresize) != 0 || Designing()) &&
                             Services().SetSizingCursor(TSizingCursor::WestEast);
            trackState_ = tsWidthResize;
        } else if (std::llabs(offsetY) < reach &&
                   std::llabs(int64_t{hit.Rect.Bottom} - ClientHeight()) > bottomMargin) {
            grabOffset_.X = 0;
            resizeAllowed_ = ((options_ & hoVResize) != 0 || Designing()) &&
                             Services().SetSizingCursor(TSizingCursor::NorthSouth);
            trackState_ = tsHeightResize;
        }
    }
    if (resizeAllowed_) {
        resizeSection_ = hit.Section;
        return true;
    }
    resizeSection_.reset();
    if (trackState_ != tsDragging)
        trackState_ = tsIdle;
    return false;
}

void TStrativ::WMMouseMove(TPoint Client) {
    if (!(options_ & hoHint))
        return;
    THeaderColumns* section = SectionAt(Client).Section;
    if (section == nullptr || hotSection_ == section)
        return;
    std::string hint;
    DoHint(section, hint);
    if (hint.empty())
        return;
    Services().CancelHint();
    SetHint(hint);
}

void TStrativ::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    awaitingFreshPress_ = false;
    releaseAfterFit_ = false;
    if (Button == mbLeft || (Button == mbRight && Designing())) {
        if (resizeAllowed_) {
            // Shift on a parent's edge: its leaves share the new width.
            THeaderColumns* section = resizeSection_.get();
            proportional_ = trackState_ == tsWidthResize && (Shift & ssShift) != 0 &&
                            section != nullptr && section->HasChildren();
            Services().SetCapture(); // the armed resize begins
            return;
        }
        const TSectionHit hit = SectionAt(TPoint{X, Y});
        // The section clicked takes the keyboard focus.
        if (Button == mbLeft && hit.Section != nullptr && WantsTabStop())
            SetFocusedSection(hit.Section);
        if (!Designing() && Button == mbLeft && (options_ & hoClick) && hit.Section != nullptr) {
            pressed_ = true;
            RepaintSection(hit.Section, hit.Rect);
        }
    } else if (Button == mbRight && (options_ & hoCustomize)) {
        const TPoint screen = Services().ClientToScreen(TPoint{X, Y});
        customizeMenu_->SetPopupComponent(this);
        customizeMenu_->PopupAt(Services(), screen.X, screen.Y, options_);
    }
}

void TStrativ::MouseMove(TShiftState Shift, int X, int Y) {
    if (Services().HasCapture() && trackState_ != tsIdle) {
        switch (trackState_) {
        case tsDragging: {
            const TSectionHit hit = SectionAt(TPoint{X, Y});
            resizeAllowed_ = false;
            if (hit.Section == nullptr || !dragSection_)
                return;
            DrawDropMark(); // erases the mark at the old point
            dragPoint_ = TPoint{X, Y};
            DrawDropMark();
            break;
        }
        case tsWidthResize:
            if (resizeAllowed_ && resizeSection_) {
                if (proportional_)
                    TrackProportional(X);
                else
                    TrackWidth(X);
            }
            break;
        case tsHeightResize:
            if (resizeSection_)
                TrackHeight(Y);
            break;
        default:
            break;
        }
        return;
    }
    if (!(Shift & ssLeft))
        awaitingFreshPress_ = false;
    if (!dragSection_ && (Shift & ssLeft) && (options_ & hoDragdrop) && !awaitingFreshPress_)
        StartDrag(X, Y);
    else if (!Designing())
        TrackHotSection(X, Y);
}

// No movement threshold: the first move with the button held drags, also
// when the press had started a click.
void TStrativ::StartDrag(int X, int Y) {
    trackState_ = tsDragging;
    dragSection_ = SectionAt(TPoint{X, Y}).Section;
    dragPoint_ = TPoint{X, Y};
    Services().SetCapture();
    resizeAllowed_ = false;
    pressed_ = false;
}

// Repaints happen whatever hoHotTrack says; only the caption colour does not.
void TStrativ::TrackHotSection(int X, int Y) {
    const TSectionHit hit = SectionAt(TPoint{X, Y});
    if (hit.Section == nullptr)
        return;
    THeaderColumns* old = hotSection_.get();
    hotSection_ = hit.Section;
    if (hit.Section == old)
        return;
    RepaintSection(hit.Section, hit.Rect);
    if (old != nullptr)
        RepaintSection(old, SectionRect(old));
}

void TStrativ::MouseUp(TMouseButton /*Button*/, TShiftState /*Shift*/, int X, int Y) {
    if (releaseAfterFit_) {
        // The release of a double click that fitted a width (a cursor
        // message may have armed the zone again since).
        releaseAfterFit_ = false;
        BackToIdle();
        return;
    }
    if (trackState_ != tsIdle) {
        Services().ReleaseCapture();
        EndGesture(X, Y);
        return;
    }
    if (!pressed_)
        return;
    // The click goes to the section under the release point; over nothing,
    // the press stays.
    const TSectionHit hit = SectionAt(TPoint{X, Y});
    if (hit.Section == nullptr)
        return;
    pressed_ = false;
    RepaintSection(hit.Section, hit.Rect);
    DoHeaderClick(hit.Section);
}

// Back to idle and repainted also when an event handler raises: the machine
// is never left half-way through a gesture, and neither is the screen (a
// drop mark left standing, a stored width not shown).
void TStrativ::EndGesture(int X, int Y) {
    struct Ending {
        bool& flag;
        explicit Ending(bool& f) : flag(f) { flag = true; }
        ~Ending() { flag = false; }
    };
    try {
        const Ending ending(endingGesture_);
        switch (trackState_) {
        case tsWidthResize:
            if (resizeSection_) {
                if (proportional_)
                    EndProportionalResize();
                else
                    EndWidthResize();
            }
            break;
        case tsHeightResize:
            if (resizeSection_)
                EndHeightResize();
            break;
        case tsDragging:
            DropSection(SectionAt(TPoint{X, Y}).Section);
            break;
        default:
            break;
        }
    } catch (...) {
        BackToIdle();
        Repaint();
        throw;
    }
    BackToIdle();
    Repaint();
}

void TStrativ::BackToIdle() {
    trackState_ = tsIdle;
    proportional_ = false;
    resizeAllowed_ = false;
    pressed_ = false;
    pendingSize_ = TPoint{-1, -1};
    trackLine_ = TPoint{-1, -1};
}

void TStrativ::CancelGesture() {
    if (endingGesture_)
        return;
    const bool active = trackState_ != tsIdle || pressed_ || dragSection_;
    if (Services().HasCapture())
        Services().ReleaseCapture();
    BackToIdle();
    releaseAfterFit_ = false;
    dragSection_.reset();
    resizeSection_.reset();
    if (!active)
        return;
    awaitingFreshPress_ = true;
    Repaint();
}

void TStrativ::MouseLeave() {
    if (!(options_ & hoHotTrack))
        return;
    THeaderColumns* old = hotSection_.get();
    if (old == nullptr)
        return;
    const TRect rect = SectionRect(old);
    hotSection_.reset();
    RepaintSection(old, rect);
}

} // namespace corvane

// The marks drawn during a resize or a drag: lines in an inverting pen, so
// drawing one twice at the same place erases it.

#include "core/control/Strativ.h"

#include "core/platform/Canvas.h"

namespace corvane {
namespace {

// Puts a dotted inverting pen of the given width on the canvas and the old
// pen back when it goes.
class InvertingPen {
public:
    InvertingPen(TCanvas& canvas, int width) : canvas_(canvas), saved_(canvas.Pen()) {
        TPen pen = saved_;
        pen.Style = TPenStyle::Dot;
        pen.Mode = TPenMode::Not;
        pen.Width = width;
        canvas_.SetPen(pen);
    }
    ~InvertingPen() { canvas_.SetPen(saved_); }
    InvertingPen(const InvertingPen&) = delete;
    InvertingPen& operator=(const InvertingPen&) = delete;

private:
    TCanvas& canvas_;
    TPen saved_;
};

} // namespace

void TStrativ::DrawTrackLine() {
    TCanvas* canvas = Services().Canvas();
    if (canvas == nullptr)
        return;
    InvertingPen pen(*canvas, 1);
    if (trackState_ == tsHeightResize) {
        canvas->MoveTo(0, trackLine_.Y);
        canvas->LineTo(ClientWidth(), trackLine_.Y);
    } else {
        canvas->MoveTo(trackLine_.X, 0);
        canvas->LineTo(trackLine_.X, ClientHeight());
    }
}

// The left edge of the section under the drag point, unless it is the
// dragged section itself.
void TStrativ::DrawDropMark() {
    TCanvas* canvas = Services().Canvas();
    if (canvas == nullptr)
        return;
    InvertingPen pen(*canvas, scale_(5)); // as wide as the density makes 5 pixels
    if (trackState_ != tsDragging)
        return;
    const TSectionHit target = SectionAt(dragPoint_);
    THeaderColumns* dragged = dragSection_.get();
    if (dragged == nullptr || target.Section == nullptr || target.Section == dragged)
        return;
    canvas->MoveTo(target.Rect.Left, target.Rect.Top);
    canvas->LineTo(target.Rect.Left, target.Rect.Bottom);
}

} // namespace corvane

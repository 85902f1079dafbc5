// A resize or drag in a real window that loses its capture or its window
// half-way: another window takes the pointer, the capture is simply
// released, a handler changes the border (the window is re-created), or the
// window is destroyed. Each must leave the control idle with nothing changed
// and nothing on screen, and a later click must be only a click.
#include "HeaderFixture.h"
#include "ModalWatch.h"
#include "PixelMatch.h"

#include <ostream>
#include <stdexcept>

namespace corvane::win32::testing {
namespace {

enum class Gesture { WidthResize, HeightResize, Drag };
enum class Loss { OtherWindowTakesIt, Released, HandlerRecreates, WindowDestroyed };

struct LossCase {
    const char* name;
    Gesture gesture;
    Loss loss;
};

void PrintTo(const LossCase& c, std::ostream* os) {
    *os << c.name;
}

class StrativGestureLoss : public HeaderFixture, public ::testing::WithParamInterface<LossCase> {
protected:
    // The handler that fires on the gesture's next move re-creates the
    // window once, as a host setting BorderStyle from it would.
    void RecreateFromTheNextHandler(Gesture gesture) {
        auto recreate = [this] {
            if (!recreated_) {
                recreated_ = true;
                control->SetBorderStyle(bsNone);
            }
        };
        if (gesture == Gesture::WidthResize) {
            control->OnSizing = [this, recreate, inner = control->OnSizing](
                                    TStrativ* s, THeaderColumns* a, int i, int w) {
                inner(s, a, i, w);
                recreate();
            };
        } else if (gesture == Gesture::HeightResize) {
            control->OnHeightChanging = [recreate, inner = control->OnHeightChanging](
                                            TStrativ* s, THeaderColumns* a, int h) {
                inner(s, a, h);
                recreate();
            };
        } else {
            control->OnHint = [this, recreate](TStrativ*, THeaderColumns*, std::string&) {
                if (control->TrackState() == tsDragging)
                    recreate();
            };
        }
    }

    // Starts the gesture and makes one move of it (the move that fires the
    // re-creating handler, when there is one).
    void StartAndMove(Gesture gesture) {
        switch (gesture) {
        case Gesture::WidthResize:
            ASSERT_NE(PointAt(97, 40), nullptr);
            LeftDown(97, 40);
            MouseMove(130, 40, MK_LBUTTON);
            break;
        case Gesture::HeightResize:
            PointAt(50, 17);
            LeftDown(50, 17);
            MouseMove(50, 10, MK_LBUTTON);
            break;
        case Gesture::Drag:
            MouseMove(300, 30);
            LeftDown(300, 30);
            MouseMove(301, 30, MK_LBUTTON); // C is dragged
            MouseMove(150, 40, MK_LBUTTON); // the mark on B
            break;
        }
    }

    bool recreated_ = false;
};

TEST_P(StrativGestureLoss, LeavesTheControlIdleAndUnchanged) {
    const LossCase& c = GetParam();
    if (c.loss == Loss::HandlerRecreates)
        RecreateFromTheNextHandler(c.gesture);
    const HWND first = hwnd();
    StartAndMove(c.gesture);
    switch (c.loss) {
    case Loss::OtherWindowTakesIt:
        ASSERT_EQ(::GetCapture(), first);
        ::SetCapture(host);
        ::ReleaseCapture();
        break;
    case Loss::Released:
        ASSERT_EQ(::GetCapture(), first);
        ::ReleaseCapture();
        break;
    case Loss::HandlerRecreates:
        ASSERT_TRUE(recreated_);
        EXPECT_NE(hwnd(), first);
        break;
    case Loss::WindowDestroyed:
        ::DestroyWindow(first);
        EXPECT_EQ(hwnd(), nullptr);
        break;
    }

    EXPECT_EQ(control->TrackState(), tsIdle) << c.name;
    EXPECT_EQ(control->DragSection(), nullptr);
    EXPECT_NE(::GetCapture(), hwnd() == nullptr ? first : hwnd());
    EXPECT_EQ(Section("A")->Width(), 100);
    EXPECT_EQ(Section("Group")->Height(), 20);
    for (const std::string& e : events)
        EXPECT_TRUE(e.rfind("Sizing", 0) == 0 || e.rfind("HeightChanging", 0) == 0) << e;

    if (hwnd() == nullptr) {
        // Without a window the release the user makes later reaches nothing;
        // should a host pass it on anyway, nothing drops.
        control->MouseUp(mbLeft, 0, 50, 40);
    } else {
        ::UpdateWindow(hwnd());
        EXPECT_EQ(Differences(*Screenshot(), *Rendering()), 0) << "a line or mark was left";
        // The button still held moves on and comes up: no drag starts, nothing drops.
        MouseMove(60, 40, MK_LBUTTON);
        EXPECT_EQ(control->TrackState(), tsIdle);
        LeftUp(60, 40);
        // A later click is a click.
        events.clear();
        MouseMove(150, 40);
        LeftDown(150, 40);
        LeftUp(150, 40);
        EXPECT_EQ(events, (std::vector<std::string>{"Click B"}));
    }
    EXPECT_EQ(control->TrackState(), tsIdle);
    EXPECT_EQ(Section("Group")->Count(), 2);
    EXPECT_EQ(control->Sections()->Count(), 2);
    EXPECT_EQ(Section("A")->Width(), 100);
}

INSTANTIATE_TEST_SUITE_P(
    Losses, StrativGestureLoss,
    ::testing::Values(
        LossCase{"width resize, other window", Gesture::WidthResize, Loss::OtherWindowTakesIt},
        LossCase{"width resize, released", Gesture::WidthResize, Loss::Released},
        LossCase{"width resize, re-created", Gesture::WidthResize, Loss::HandlerRecreates},
        LossCase{"width resize, destroyed", Gesture::WidthResize, Loss::WindowDestroyed},
        LossCase{"height resize, other window", Gesture::HeightResize, Loss::OtherWindowTakesIt},
        LossCase{"height resize, re-created", Gesture::HeightResize, Loss::HandlerRecreates},
        LossCase{"drag, other window", Gesture::Drag, Loss::OtherWindowTakesIt},
        LossCase{"drag, released", Gesture::Drag, Loss::Released},
        LossCase{"drag, re-created", Gesture::Drag, Loss::HandlerRecreates},
        LossCase{"drag, destroyed", Gesture::Drag, Loss::WindowDestroyed}));

// The error box of a raising OnDropSection handler does not keep the drop
// mark on screen.
TEST_F(HeaderFixture, ARaisingDropHandlerStillTakesTheMarkAway) {
    control->OnDropSection = [](TStrativ*, THeaderColumns*, THeaderColumns*, bool&, bool&) {
        throw std::runtime_error("host");
    };
    MouseMove(300, 30);
    LeftDown(300, 30);
    MouseMove(301, 30, MK_LBUTTON);
    MouseMove(150, 40, MK_LBUTTON);
    {
        const MessageBoxWatch boxes;
        LeftUp(150, 40);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].text, "host");
    }
    EXPECT_EQ(control->TrackState(), tsIdle);
    EXPECT_EQ(Differences(*Screenshot(), *Rendering()), 0) << "the drop mark stayed";
}

} // namespace
} // namespace corvane::win32::testing

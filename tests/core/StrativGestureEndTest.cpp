// Gestures that end without their release: the pointer capture or the
// window goes (from outside, or from an event handler), and gestures whose
// end runs into a raising handler. Each is scripted as the platform would
// deliver it, and what must not happen afterwards is checked too.

#include "support/StrativPointerFixture.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>

using namespace corvane;
using namespace corvane::testing;

namespace {

class GestureEnd : public StrativPointer {
protected:
    // Steps separated by ';': "M x,y" moves, "D x,y" moves with the left
    // button held, "P x,y" presses it, "R x,y" releases it.
    void Run(const std::string& script) {
        std::istringstream in(script);
        std::string step;
        while (std::getline(in, step, ';')) {
            std::istringstream parts(step);
            char op = 0, comma = 0;
            int x = 0, y = 0;
            ASSERT_TRUE(parts >> op >> x >> comma >> y) << step;
            switch (op) {
            case 'M':
                Move(x, y);
                break;
            case 'D':
                DragTo(x, y);
                break;
            case 'P':
                Press(x, y);
                break;
            case 'R':
                Release(x, y);
                break;
            default:
                FAIL() << step;
            }
        }
    }

    void ExpectIdle() {
        EXPECT_EQ(H().TrackState(), tsIdle);
        EXPECT_FALSE(H().Pressed());
        EXPECT_EQ(H().DragSection(), nullptr);
        EXPECT_FALSE(W().HasCapture());
        EXPECT_EQ(H().PendingSize(), (TPoint{-1, -1}));
        EXPECT_EQ(H().TrackLine(), (TPoint{-1, -1}));
    }
};

// --- Cancelled from outside -------------------------------------------------------

struct CancelCase {
    const char* name;
    const char* tree;
    int width, height;
    const char* gesture; // up to the moment the capture or the window goes
    bool captureTaken;   // another window took the pointer (else the window goes holding it)
    Log atCancel;        // what the cancel asks of the window
    const char* after;   // the button still held moves on, then comes up
};

void PrintTo(const CancelCase& c, std::ostream* os) {
    *os << c.name;
}

class CancelledGestures : public GestureEnd, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelledGestures, ChangeNothingFireNothingAndLeaveNothingOnScreen) {
    const CancelCase& c = GetParam();
    Make(c.tree, c.width, c.height);
    Run(c.gesture);
    Take();
    if (c.captureTaken)
        W().LoseCapture();
    H().CancelGesture();
    EXPECT_EQ(Take(), c.atCancel) << c.name;
    ExpectIdle();
    EXPECT_EQ(TreeText(H().Sections()), c.tree);

    // Neither the rest of the gesture nor its release does anything now: no
    // new drag from the held button, no size stored, nothing dropped.
    W().canvas.calls.clear();
    Run(c.after);
    EXPECT_EQ(Take(), Log{}) << c.name;
    EXPECT_EQ(Lines(), Log{});
    ExpectIdle();
    EXPECT_EQ(TreeText(H().Sections()), c.tree);
}

INSTANTIATE_TEST_SUITE_P(Gestures, CancelledGestures,
                         ::testing::Values(CancelCase{"width resize, capture taken",
                                                      "A:100,B:100",
                                                      300,
                                                      25,
                                                      "M 97,10; P 97,10; D 130,10",
                                                      true,
                                                      {"Repaint"},
                                                      "D 140,10; R 140,10"},
                                           CancelCase{"width resize, window gone",
                                                      "A:100,B:100",
                                                      300,
                                                      25,
                                                      "M 97,10; P 97,10; D 130,10",
                                                      false,
                                                      {"ReleaseCapture", "Repaint"},
                                                      "D 140,10; R 140,10"},
                                           CancelCase{"height resize",
                                                      "P/17(a:100,b:100)",
                                                      300,
                                                      40,
                                                      "M 50,14; P 50,14; D 50,30",
                                                      true,
                                                      {"Repaint"},
                                                      "D 50,32; R 50,32"},
                                           CancelCase{"drag showing its mark",
                                                      "A:50,B:50,C:50",
                                                      300,
                                                      25,
                                                      "M 25,10; P 25,10; D 26,10; D 120,10",
                                                      true,
                                                      {"Repaint"},
                                                      "D 125,10; R 125,10"},
                                           CancelCase{"press",
                                                      "A:50,B:50",
                                                      300,
                                                      25,
                                                      "M 25,10; P 25,10",
                                                      false,
                                                      {"Repaint"},
                                                      "M 75,10; R 75,10"}));

TEST_F(GestureEnd, AFreshPressAfterACancelDragsAgain) {
    Make("A:50,B:50,C:50", 300, 25);
    Run("M 25,10; P 25,10; D 26,10");
    H().CancelGesture();
    Take();
    Run("M 25,10; P 25,10; D 26,10; D 120,10; R 120,10");
    EXPECT_EQ(Take(), (Log{"SetCapture", "ReleaseCapture", "OnDropSection A C before allowed",
                           "Repaint", "Repaint"}));
    EXPECT_EQ(DescribeTree(H().Sections()), "B,A,C");
}

// --- Cancelled from inside a handler (the window re-created by it) ---------------

struct HandlerCancelCase {
    const char* name;
    const char* tree;
    int width, height;
    const char* handler; // the event whose handler takes the window away
    const char* script;
    Log log;
    const char* shapeAfter;
};

void PrintTo(const HandlerCancelCase& c, std::ostream* os) {
    *os << c.name;
}

class CancelledByAHandler : public GestureEnd,
                            public ::testing::WithParamInterface<HandlerCancelCase> {
protected:
    void CancelIn(const std::string& handler) {
        TStrativ& h = H();
        if (handler == "OnSizing") {
            h.OnSizing = [this, inner = h.OnSizing](TStrativ* s, THeaderColumns* a, int i, int w) {
                inner(s, a, i, w);
                H().CancelGesture();
            };
        } else if (handler == "OnHeightChanging") {
            h.OnHeightChanging = [this, inner = h.OnHeightChanging](TStrativ* s, THeaderColumns* a,
                                                                    int v) {
                inner(s, a, v);
                H().CancelGesture();
            };
        } else if (handler == "OnHint") {
            h.OnHint = [this](TStrativ*, THeaderColumns* a, std::string&) {
                W().log.push_back("OnHint " + a->Caption());
                if (H().TrackState() == tsDragging)
                    H().CancelGesture();
            };
        } else if (handler == "OnDropSection") {
            dropAnswer = [this](THeaderColumns*, THeaderColumns*, bool&, bool&) {
                H().CancelGesture();
            };
        }
    }
};

TEST_P(CancelledByAHandler, EndsTheGestureUnlessItsReleaseHasArrived) {
    const HandlerCancelCase& c = GetParam();
    Make(c.tree, c.width, c.height);
    CancelIn(c.handler);
    Run(c.script);
    EXPECT_EQ(Take(), c.log) << c.name;
    ExpectIdle();
    EXPECT_EQ(TreeText(H().Sections()), c.shapeAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, CancelledByAHandler,
    ::testing::Values(
        // No tracking line is drawn after the cancel and no OnSized follows.
        HandlerCancelCase{
            "OnSizing",
            "A:100,B:100",
            300,
            25,
            "OnSizing",
            "M 97,10; P 97,10; D 130,10; D 140,10; R 140,10",
            {"Cursor WE", "SetCapture", "OnSizing A 0 129", "ReleaseCapture", "Repaint"},
            "A:100,B:100"},
        HandlerCancelCase{
            "OnHeightChanging",
            "P/17(a:100,b:100)",
            300,
            40,
            "OnHeightChanging",
            "M 50,14; P 50,14; D 50,30; R 50,30",
            {"Cursor NS", "SetCapture", "OnHeightChanging P 29", "ReleaseCapture", "Repaint"},
            "P/17(a:100,b:100)"},
        // The same move must not start a new drag with the button still held.
        HandlerCancelCase{"OnHint during a drag",
                          "A:50,B:50,C:50",
                          300,
                          25,
                          "OnHint",
                          "M 25,10; P 25,10; D 26,10; D 120,10; D 130,10; R 130,10",
                          {"OnHint A", "SetCapture", "OnHint C", "ReleaseCapture", "Repaint"},
                          "A:50,B:50,C:50"},
        // Once the button is up the drop goes through.
        HandlerCancelCase{"OnDropSection",
                          "A:50,B:50,C:50",
                          300,
                          25,
                          "OnDropSection",
                          "M 25,10; P 25,10; D 26,10; D 120,10; R 120,10",
                          {"SetCapture", "ReleaseCapture", "OnDropSection A C before allowed",
                           "Repaint", "Repaint"},
                          "B:50,A:50,C:50"}));

// --- Raising handlers at the end of a gesture ----------------------------------------

struct RaisingCase {
    const char* name;
    const char* tree;
    int width, height;
    const char* handler; // raises after logging
    const char* gesture; // up to the release
    int releaseX, releaseY;
    Log log;
    const char* shapeAfter;
};

void PrintTo(const RaisingCase& c, std::ostream* os) {
    *os << c.name;
}

class RaisingHandlers : public GestureEnd, public ::testing::WithParamInterface<RaisingCase> {
protected:
    void RaiseIn(const std::string& handler) {
        TStrativ& h = H();
        if (handler == "OnSized") {
            h.OnSized = [inner = h.OnSized](TStrativ* s, THeaderColumns* a, int i, int w) {
                inner(s, a, i, w);
                throw std::runtime_error("host");
            };
        } else if (handler == "OnHeightChanged") {
            h.OnHeightChanged = [inner = h.OnHeightChanged](TStrativ* s, THeaderColumns* a, int v) {
                inner(s, a, v);
                throw std::runtime_error("host");
            };
        } else if (handler == "OnDropSection") {
            dropAnswer = [](THeaderColumns*, THeaderColumns*, bool&, bool&) {
                throw std::runtime_error("host");
            };
        }
    }
};

// The error reaches the caller, and the screen is repainted anyway: the drop
// mark goes, a stored size shows.
TEST_P(RaisingHandlers, StillGetTheFinalRepaint) {
    const RaisingCase& c = GetParam();
    Make(c.tree, c.width, c.height);
    RaiseIn(c.handler);
    Run(c.gesture);
    EXPECT_THROW(Release(c.releaseX, c.releaseY), std::runtime_error);
    EXPECT_EQ(Take(), c.log) << c.name;
    ExpectIdle();
    EXPECT_EQ(TreeText(H().Sections()), c.shapeAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, RaisingHandlers,
    ::testing::Values(RaisingCase{"OnSized",
                                  "A:100,B:100",
                                  300,
                                  25,
                                  "OnSized",
                                  "M 97,10; P 97,10; D 130,10",
                                  130,
                                  10,
                                  {"Cursor WE", "SetCapture", "OnSizing A 0 129", "ReleaseCapture",
                                   "OnSized A 0 129", "Repaint"},
                                  "A:129,B:100"},
                      RaisingCase{"OnHeightChanged",
                                  "P/17(a:100,b:100)",
                                  300,
                                  40,
                                  "OnHeightChanged",
                                  "M 50,14; P 50,14; D 50,30",
                                  50,
                                  30,
                                  {"Cursor NS", "SetCapture", "OnHeightChanging P 29",
                                   "ReleaseCapture", "OnHeightChanged P 29", "Repaint"},
                                  "P/29(a:100,b:100)"},
                      RaisingCase{"OnDropSection",
                                  "A:50,B:50,C:50",
                                  300,
                                  25,
                                  "OnDropSection",
                                  "M 25,10; P 25,10; D 26,10; D 120,10",
                                  120,
                                  10,
                                  {"SetCapture", "ReleaseCapture",
                                   "OnDropSection A C before allowed", "Repaint"},
                                  "A:50,B:50,C:50"}));

} // namespace

#pragma once
// The pointer state machine driven message by message, as the platform
// delivers them: one log holds what the control asked of the window and the
// events it fired, so each test states the expected sequence as data.

#include "StrativTestHeader.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvane::testing {

using Log = std::vector<std::string>;

// The lines of `log` that begin with one of `prefixes`, in order.
inline Log LinesStartingWith(const Log& log, const std::vector<std::string>& prefixes) {
    Log out;
    for (const std::string& line : log)
        for (const std::string& prefix : prefixes)
            if (line.rfind(prefix, 0) == 0) {
                out.push_back(line);
                break;
            }
    return out;
}

class StrativPointer : public ::testing::Test {
protected:
    void Make(const std::string& tree, int width, int height) {
        t_ = std::make_unique<TestHeader>(tree, width, height);
        TStrativ& h = t_->header;
        Log& log = t_->window.log;
        h.OnSizing = [&log](TStrativ*, THeaderColumns* s, int i, int w) {
            log.push_back("OnSizing " + s->Caption() + " " + std::to_string(i) + " " +
                          std::to_string(w));
        };
        h.OnSized = [&log](TStrativ*, THeaderColumns* s, int i, int w) {
            log.push_back("OnSized " + s->Caption() + " " + std::to_string(i) + " " +
                          std::to_string(w));
        };
        h.OnHeightChanging = [&log](TStrativ*, THeaderColumns* s, int v) {
            log.push_back("OnHeightChanging " + s->Caption() + " " + std::to_string(v));
        };
        h.OnHeightChanged = [&log](TStrativ*, THeaderColumns* s, int v) {
            log.push_back("OnHeightChanged " + s->Caption() + " " + std::to_string(v));
        };
        h.OnHeaderClick = [&log](TStrativ*, THeaderColumns* s) {
            log.push_back("OnHeaderClick " + s->Caption());
        };
        h.OnDropSection = [this](TStrativ*, THeaderColumns* src, THeaderColumns* dst, bool& asChild,
                                 bool& allow) {
            t_->window.log.push_back("OnDropSection " + src->Caption() + " " + dst->Caption() +
                                     (asChild ? " child" : " before") +
                                     (allow ? " allowed" : " refused"));
            if (dropAnswer) {
                dropAnswer(src, dst, asChild, allow);
            }
        };
    }

    TStrativ& H() { return t_->header; }
    FakeWindowServices& W() { return t_->window; }
    THeaderColumns* S(const std::string& caption) { return (*t_)[caption]; }
    Log Take() { return W().TakeLog(); }

    // A move as the platform delivers it: while the control does not hold the
    // pointer, the hit-test and cursor messages come first.
    void Move(int x, int y, TShiftState shift = 0) {
        if (!W().HasCapture()) {
            H().WMNCHitTest(W().ClientToScreen(TPoint{x, y}));
            H().WMSetCursor(1);
        }
        H().WMMouseMove(TPoint{x, y});
        H().MouseMove(shift, x, y);
    }
    void Press(int x, int y, TMouseButton button = mbLeft) {
        H().MouseDown(button, button == mbLeft ? ssLeft : ssRight, x, y);
    }
    void Release(int x, int y, TMouseButton button = mbLeft) { H().MouseUp(button, 0, x, y); }
    void DragTo(int x, int y) { Move(x, y, ssLeft); }

    // The tracking and drop marks: every line the window canvas got.
    Log Lines() {
        Log out;
        for (const std::string& call : W().canvas.Take())
            if (call.rfind("MoveTo", 0) == 0 || call.rfind("LineTo", 0) == 0)
                out.push_back(call);
        return out;
    }

    std::function<void(THeaderColumns*, THeaderColumns*, bool&, bool&)> dropAnswer;
    std::unique_ptr<TestHeader> t_;
};

} // namespace corvane::testing

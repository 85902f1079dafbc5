#pragma once
// The modal loops a header window runs for its control: the context menu,
// message boxes (the About box, the error box), the customizing dialog. A
// loop ends when its control goes away (the host closes it, takes its site
// away or lets go of it) or when the window goes; once the control has gone
// for good, no loop starts again.

#include "win32/WinApi.h"

#include <functional>
#include <string>
#include <vector>

namespace corvane::win32 {

class ModalLoops {
public:
    ModalLoops() = default;
    ModalLoops(const ModalLoops&) = delete;
    ModalLoops& operator=(const ModalLoops&) = delete;

    // Ends every loop now running, each the way its cancel would.
    void EndAll();
    // The control has gone for good: ends the loops, and none starts again.
    void EndForGood();
    bool Over() const { return over_; }

    // One running loop and how to end it, registered for the life of a scope.
    class Running {
    public:
        Running(ModalLoops& loops, std::function<void()> end);
        ~Running();
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

    private:
        friend class ModalLoops;
        ModalLoops& loops_;
        std::function<void()> end_;
    };

    // MessageBoxA as a loop of these: it ends (with IDCANCEL) when they do.
    // Returns 0 and shows nothing once they are over.
    int MessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned style);

private:
    std::vector<Running*> running_;
    bool over_ = false;
};

} // namespace corvane::win32

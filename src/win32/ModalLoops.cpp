#include "win32/ModalLoops.h"

#include "win32/WideText.h"

#include <algorithm>
#include <cstring>

namespace corvane::win32 {
namespace {

// Where the box now being shown on this thread is caught as the system
// creates it (the innermost box when boxes nest).
thread_local HWND* t_boxSlot = nullptr;

LRESULT CALLBACK CatchBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && t_boxSlot != nullptr && *t_boxSlot == nullptr) {
        const auto window = reinterpret_cast<HWND>(wParam);
        char name[16] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (std::strcmp(name, "#32770") == 0) // the dialog class of message boxes
            *t_boxSlot = window;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Catches the next box this thread creates into `box`, for the life of a scope.
class BoxCatcher {
public:
    explicit BoxCatcher(HWND& box)
        : previous_(t_boxSlot),
          hook_(::SetWindowsHookExA(WH_CBT, &CatchBox, nullptr, ::GetCurrentThreadId())) {
        t_boxSlot = &box;
    }
    ~BoxCatcher() {
        if (hook_ != nullptr)
            ::UnhookWindowsHookEx(hook_);
        t_boxSlot = previous_;
    }
    BoxCatcher(const BoxCatcher&) = delete;
    BoxCatcher& operator=(const BoxCatcher&) = delete;

private:
    HWND* previous_;
    HHOOK hook_;
};

} // namespace

ModalLoops::Running::Running(ModalLoops& loops, std::function<void()> end)
    : loops_(loops), end_(std::move(end)) {
    loops_.running_.push_back(this);
}

ModalLoops::Running::~Running() {
    auto& running = loops_.running_;
    running.erase(std::remove(running.begin(), running.end(), this), running.end());
}

void ModalLoops::EndAll() {
    // Ending a loop only asks it to stop (a posted message, a flag); each
    // returns later, in its own time, and unregisters itself then.
    const std::vector<Running*> running = running_;
    for (Running* loop : running)
        loop->end_();
}

void ModalLoops::EndForGood() {
    over_ = true;
    EndAll();
}

int ModalLoops::MessageBox(HWND owner, const std::string& text, const std::string& caption,
                           unsigned style) {
    if (over_)
        return 0;
    HWND box = nullptr;
    const Running running(*this, [&box] {
        if (box != nullptr)
            ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    });
    const BoxCatcher catcher(box);
    return ::MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(), style);
}

} // namespace corvane::win32

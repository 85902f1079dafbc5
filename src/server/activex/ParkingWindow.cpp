#include "server/activex/ParkingWindow.h"

#include "win32/ErrorBox.h"
#include "win32/StrativWindow.h"
#include "win32/WindowHandles.h"

#include <deque>
#include <memory>
#include <mutex>
#include <utility>

namespace corvane::server {
namespace {

constexpr const char* ParkingClassName = "CorvaneParking";
// "Run what is queued": the message carries nothing. Anyone may post it to
// the window, and then finds only work this module queued, or none.
constexpr UINT RunQueuedMessage = WM_APP + 1;

} // namespace

// The thread's parking window and the work queued for its message loop.
struct TParkingWindowRef::State {
    win32::UniqueWindow Window;
    int Uses = 0; // changed on the window's thread only
    std::mutex Lock;
    std::deque<std::pair<Call, void*>> Queue; // under Lock, from any thread
    bool Posted = false;                      // under Lock: a RunQueuedMessage is on its way
};

namespace {

// Trivially destructible: nothing runs at thread exit, when the runtime may
// have freed the thread's storage already. The state goes with its last use.
thread_local TParkingWindowRef::State* t_parking = nullptr;

void RunQueued() {
    TParkingWindowRef::State* const parking = t_parking;
    if (parking == nullptr)
        return;
    std::deque<std::pair<TParkingWindowRef::Call, void*>> work;
    {
        const std::lock_guard<std::mutex> lock(parking->Lock);
        work.swap(parking->Queue);
        parking->Posted = false;
    }
    // Each piece of work holds the control it is for, and with it the
    // parking window: the state outlives the loop. Work queued meanwhile
    // comes with a message of its own.
    for (const auto& [call, context] : work) {
        try {
            call(context);
        } catch (...) {
            // Each call reports its own errors; none may unwind into the
            // system's message dispatch, nor keep the rest from running.
        }
    }
}

LRESULT CALLBACK ParkingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == RunQueuedMessage) {
        if (t_parking != nullptr && t_parking->Window.get() == hwnd)
            RunQueued();
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterParkingClass() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ParkingProc;
        wc.hInstance = win32::StrativWindowModule();
        wc.lpszClassName = ParkingClassName;
        if (::RegisterClassExA(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            win32::RaiseLastWin32Error("RegisterClassEx");
    });
}

} // namespace

TParkingWindowRef::TParkingWindowRef() {
    if (t_parking == nullptr) {
        RegisterParkingClass();
        auto state = std::make_unique<State>();
        // Message-only: never shown, and far cheaper to make than a hidden
        // top-level window.
        state->Window.reset(::CreateWindowExA(0, ParkingClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                              nullptr, win32::StrativWindowModule(), nullptr));
        if (!state->Window)
            win32::RaiseLastWin32Error("CreateWindowEx(parking)");
        t_parking = state.release();
    }
    ++t_parking->Uses;
    state_ = t_parking;
}

TParkingWindowRef::~TParkingWindowRef() {
    if (--state_->Uses != 0)
        return;
    if (t_parking == state_)
        t_parking = nullptr;
    delete state_; // and the window with it
}

HWND TParkingWindowRef::Handle() const {
    return state_->Window.get();
}

bool TParkingWindowRef::PostCall(Call call, void* context) const {
    // Posted under the lock: the window's thread takes it before it runs
    // anything, so the work (which may free the caller and this state) waits
    // until this call is done with both.
    const std::lock_guard<std::mutex> lock(state_->Lock);
    state_->Queue.emplace_back(call, context);
    if (state_->Posted)
        return true;
    if (::PostMessageA(state_->Window.get(), RunQueuedMessage, 0, 0) == FALSE) {
        // The thread is gone, and its window with it: nothing would run it.
        state_->Queue.pop_back();
        return false;
    }
    state_->Posted = true;
    return true;
}

} // namespace corvane::server

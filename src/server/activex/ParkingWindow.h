#pragma once
// The hidden window each thread parks its controls' windows under while no
// host has activated them in place. It also runs deferred work from the
// thread's message loop: calls out to a host that must not happen from inside
// the control's own code, and calls handed over from other threads (a control
// let go of on another thread is freed here, on its own thread). The work
// waits in a queue of the thread's; the message posted to the window only
// says that there is some, so no message can name code to run.

#include "win32/WinApi.h"

namespace corvane::server {

// One use of the calling thread's parking window; the window exists while
// any use of it does.
class TParkingWindowRef {
public:
    TParkingWindowRef();
    ~TParkingWindowRef();
    TParkingWindowRef(const TParkingWindowRef&) = delete;
    TParkingWindowRef& operator=(const TParkingWindowRef&) = delete;

    HWND Handle() const;
    // Runs call(context) from the window's thread's message loop; callable
    // from any thread. False when it cannot be posted (the thread is gone).
    using Call = void (*)(void* context);
    bool PostCall(Call call, void* context) const;

    struct State; // the thread's window and queue

private:
    State* state_; // shared by the thread's uses, freed with the last one
};

} // namespace corvane::server

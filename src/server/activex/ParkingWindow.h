#pragma once
// The hidden window each thread parks its controls' windows under while no
// host has activated them in place. It also runs deferred work: a reference
// a control must not drop while its own code is on the stack, and calls out
// to a host that must not happen from inside the control's own code, are
// posted here and run from the message loop.

#include "win32/WinApi.h"

#include <unknwn.h>

namespace corvane::server {

// One use of the calling thread's parking window; the window exists while
// any use of it does.
class TParkingWindowRef {
public:
    TParkingWindowRef();
    ~TParkingWindowRef();
    TParkingWindowRef(const TParkingWindowRef&) = delete;
    TParkingWindowRef& operator=(const TParkingWindowRef&) = delete;

    HWND Handle() const { return window_; }
    // Releases `object` once the thread's message loop comes back; false when
    // the message could not be posted (the caller must release it itself).
    bool PostRelease(IUnknown* object) const;
    // Runs call(object) once the thread's message loop comes back, then
    // releases `object` (a reference the caller took for the message); false
    // when the message could not be posted (the caller must release it).
    using DeferredCall = void (*)(IUnknown* object);
    bool PostCall(IUnknown* object, DeferredCall call) const;

private:
    HWND window_ = nullptr;
};

} // namespace corvane::server

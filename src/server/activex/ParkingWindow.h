#pragma once
// The hidden window each thread parks its controls' windows under while no
// host has activated them in place. It also runs deferred releases: a
// reference a control must not drop while its own code is on the stack is
// posted here and dropped from the message loop.

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

private:
    HWND window_ = nullptr;
};

} // namespace corvane::server

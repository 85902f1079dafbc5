#pragma once
// A second audience for what the header announces to assistive technology:
// the window raises its WinEvents and hands each announcement to the
// listener too (the UI Automation provider raises its own events from it),
// so both hear every change, whoever made it.

#include "core/platform/WindowServices.h"

namespace corvane::win32 {

class TAccessibleListener {
public:
    // Some client wants events now; while none does, the window compares
    // nothing on the listener's account.
    virtual bool Listening() const = 0;
    // One announcement, for a section of this header (null: the header).
    virtual void Announce(TAccessibleEvent event, const THeaderColumns* Section) = 0;
    // A message has been handled and its changes announced: the listener
    // may look for what announcements do not carry (new geometry).
    virtual void MessageDone() = 0;

protected:
    ~TAccessibleListener() = default;
};

} // namespace corvane::win32

// Work handed to the message loop by the control's own code (a click asked
// for by assistive technology, which must not run inside the client's call).
#include "server/activex/ActiveXControl.h"

#include "win32/ErrorBox.h"

namespace corvane::server {
namespace {

struct TDeferredWork {
    TActiveXControl* Control;
    std::function<void()> Work;
};

} // namespace

bool TActiveXControl::RunFromMessageLoop(std::function<void()> work) {
    auto deferred = std::make_unique<TDeferredWork>(TDeferredWork{this, std::move(work)});
    static_cast<IOleObject*>(this)->AddRef(); // held by the queued work
    if (!parking_.PostCall(&TActiveXControl::RunDeferred, deferred.get())) {
        static_cast<IOleObject*>(this)->Release();
        return false;
    }
    deferred.release();
    return true;
}

void TActiveXControl::RunDeferred(void* work) {
    const std::unique_ptr<TDeferredWork> deferred(static_cast<TDeferredWork*>(work));
    TActiveXControl* const self = deferred->Control;
    {
        const win32::ControlEntry entry(self);
        // Held by the work alone: the host has let go and wants nothing done.
        if (self->references_ > 1 && !self->GoingAway()) {
            try {
                deferred->Work();
            } catch (...) {
                // As an error reaching the window procedure is shown.
                win32::ShowCurrentException(self->window_->Handle(), self->window_->Loops());
            }
        }
    }
    static_cast<IOleObject*>(self)->Release(); // the reference the work held
}

} // namespace corvane::server

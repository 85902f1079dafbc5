#pragma once
// The registered header control, made through COM by its ProgID, in place in
// a window of the demo, with an events sink connected. Closing it (the
// destructor) disconnects the sink and deactivates the control.

#include "ControlSite.h"
#include "server/automation/Bstr.h"
#include "server/automation/ComPtr.h"
#include "server/automation/Variant.h"

#include <CorvaneC_TLB.h>

namespace corvane::demo {

class HostedControl {
public:
    // Throws, with a message for the user, when the control is not registered
    // or does not activate.
    HostedControl(HWND container, const RECT& position, IDispatch* eventSink);
    ~HostedControl();
    HostedControl(const HostedControl&) = delete;
    HostedControl& operator=(const HostedControl&) = delete;

    ICorvane& Control() const { return *control_.Get(); }
    // The control's own window, a child of the container.
    HWND Window() const;
    void Move(const RECT& position);

private:
    void Open(HWND container, const RECT& position, IDispatch* eventSink);
    void Close();

    ControlSite site_; // first: it outlives every reference the control holds
    server::TComPtr<IOleObject> object_;
    server::TComPtr<IOleInPlaceObject> inPlace_;
    server::TComPtr<ICorvane> control_;
    server::TComPtr<IConnectionPoint> events_;
    DWORD cookie_ = 0;
};

} // namespace corvane::demo

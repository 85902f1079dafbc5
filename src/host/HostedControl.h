#pragma once
// The header control made through COM by its ProgID (so the registry, or an
// application manifest naming the CorvaneC assembly, decides which module),
// given a site, its events connected to a sink, and activated in place.
// Destroying it disconnects the sink and closes the control.
// (Project code includes win32/WinApi.h first.)

#include "com/ComPtr.h"
#include "host/ControlSite.h"

#include <CorvaneC_TLB.h>

namespace corvane::host {

class HostedControl {
public:
    // Places the control at site.Position. `state`, when given, is loaded
    // (IPersistStreamInit::Load) instead of starting new. Throws HostError.
    HostedControl(ControlSite& site, IDispatch* eventSink, IStream* state = nullptr);
    ~HostedControl();
    HostedControl(const HostedControl&) = delete;
    HostedControl& operator=(const HostedControl&) = delete;

    ICorvane& Control() const { return *control_.Get(); }
    IUnknown* Object() const { return object_.Get(); }
    // The control's own window, a child of the site's window.
    HWND Window() const;
    void Move(const RECT& position);

private:
    void Open(IDispatch* eventSink, IStream* state);
    void Close();

    ControlSite& site_;
    com::TComPtr<IOleObject> object_;
    com::TComPtr<IOleInPlaceObject> inPlace_;
    com::TComPtr<ICorvane> control_;
    com::TComPtr<IConnectionPoint> events_;
    DWORD cookie_ = 0;
};

} // namespace corvane::host

#pragma once
// Hears the hosted control's ICorvaneEvents (IDispatch::Invoke by DISPID)
// and hands each event to the demo's event log, writing the log's answers
// back into the by-reference arguments.

#include "win32/WinApi.h"

#include "host/EventSink.h"

namespace corvane::demo {

// The demo's window owns the sink and outlives the connection.
class EventSink : public host::EventSink {
public:
    EventSink();

protected:
    HRESULT Event(DISPID dispid, DISPPARAMS& params) override;
};

} // namespace corvane::demo

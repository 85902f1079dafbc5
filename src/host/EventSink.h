#pragma once
// A sink for a control's event interface (a dispatch interface): each call
// of Invoke goes to Event, by DISPID with its arguments. Nothing a handler
// throws reaches the control. (Project code includes win32/WinApi.h first.)

#include <oaidl.h>

#include <functional>

namespace corvane::host {

class EventSink : public IDispatch {
public:
    // `events`: the event interface this sink answers besides IDispatch.
    explicit EventSink(REFIID events) : events_(events) {}
    EventSink(const EventSink&) = delete;
    EventSink& operator=(const EventSink&) = delete;
    virtual ~EventSink() = default;

    // Called for each event unless Event is overridden; its result is what
    // Invoke answers. The arguments are in DISPPARAMS order (last first).
    std::function<HRESULT(DISPID, DISPPARAMS&)> Handler;
    // The owner holds one reference; the connection point's come and go.
    LONG References = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++References; }
    ULONG STDMETHODCALLTYPE Release() override { return --References; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

protected:
    virtual HRESULT Event(DISPID dispid, DISPPARAMS& params);

private:
    IID events_;
};

} // namespace corvane::host

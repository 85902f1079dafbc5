#pragma once
// Hears the hosted control's ICorvaneEvents (IDispatch::Invoke by DISPID)
// and hands each event to the demo's event log, writing the log's answers
// back into the by-reference arguments.

#include "win32/WinApi.h"

#include <oaidl.h>

namespace corvane::demo {

class EventSink : public IDispatch {
public:
    EventSink() = default;
    EventSink(const EventSink&) = delete;
    EventSink& operator=(const EventSink&) = delete;

    // The connection point holds a reference while connected; the demo's
    // window owns the sink and outlives the connection.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

private:
    ULONG references_ = 0;
};

} // namespace corvane::demo

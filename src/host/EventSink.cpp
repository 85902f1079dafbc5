#include "host/EventSink.h"

namespace corvane::host {

HRESULT STDMETHODCALLTYPE EventSink::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, events_)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE EventSink::GetTypeInfoCount(UINT* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info == nullptr)
        return E_POINTER;
    *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE EventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params,
                                            VARIANT* result, EXCEPINFO*, UINT*) {
    if (params == nullptr)
        return E_POINTER;
    if (result != nullptr)
        ::VariantInit(result);
    try {
        return Event(dispid, *params);
    } catch (...) {
        return E_FAIL; // nothing unwinds into the control
    }
}

HRESULT EventSink::Event(DISPID dispid, DISPPARAMS& params) {
    return Handler ? Handler(dispid, params) : S_OK;
}

} // namespace corvane::host

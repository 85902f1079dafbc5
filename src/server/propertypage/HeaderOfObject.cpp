#include "server/propertypage/HeaderOfObject.h"

#include "server/automation/ComBoundary.h"
#include "server/automation/ComPtr.h"
#include "server/control/HeaderRegistry.h"

#include <oaidl.h>

namespace corvane::server {

uint32_t ReadHeaderToken(IUnknown* object) {
    if (object == nullptr)
        throw EComError(E_POINTER, "No object to edit");
    TComPtr<IDispatch> dispatch;
    ThrowIfFailed(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Put())));
    OLECHAR name[] = L"Header";
    LPOLESTR names[] = {name};
    DISPID dispid = DISPID_UNKNOWN;
    ThrowIfFailed(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid));
    DISPPARAMS none{};
    VARIANT value;
    ::VariantInit(&value);
    const HRESULT hr = dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                        &none, &value, nullptr, nullptr);
    const VARTYPE type = value.vt;
    const LONG token = type == VT_I4 ? value.lVal : 0;
    ::VariantClear(&value);
    ThrowIfFailed(hr);
    if (type != VT_I4)
        throw EComError(DISP_E_TYPEMISMATCH, "The object's Header is not a header control");
    return static_cast<uint32_t>(token);
}

TStrativ& HeaderOfToken(uint32_t token) {
    const TFoundHeader found = token == 0 ? TFoundHeader{} : FindHeader(token);
    // A control of another thread is reached only on that thread.
    if (found.OtherThread)
        throw EComError(RPC_E_WRONG_THREAD);
    TStrativ* header = found.Control;
    if (header == nullptr)
        throw EComError(E_INVALIDARG, "The object's Header is not a live header control");
    return *header;
}

} // namespace corvane::server

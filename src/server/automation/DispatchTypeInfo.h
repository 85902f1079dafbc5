#pragma once
// IDispatch served from a type library's description of one dual interface.
// Used by the automation base and by any object that implements a dual
// interface beside others.

#include "server/automation/ComPtr.h"

#include <oaidl.h>

namespace corvane::server {

// The registered library libid at the given version, locale 0 (EComError
// with the load's result when it cannot be loaded).
TComPtr<ITypeLib> LoadRegisteredTypeLib(REFGUID libid, WORD major, WORD minor);

class TDispatchTypeInfo {
public:
    // Raises EComError when lib has no dual interface iid.
    TDispatchTypeInfo(ITypeLib* lib, REFIID iid);

    const IID& Iid() const { return iid_; }
    // The dispatch description (what GetTypeInfo hands out).
    ITypeInfo* DispatchInfo() const { return dispatchInfo_.Get(); }

    // The IDispatch methods; object is the interface table described by iid.
    HRESULT GetTypeInfoCount(UINT* count) const;
    HRESULT GetTypeInfo(UINT index, ITypeInfo** result) const;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, DISPID* ids) const;
    HRESULT Invoke(void* object, DISPID id, REFIID riid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* exception, UINT* argError) const;

private:
    IID iid_;
    TComPtr<ITypeInfo> dispatchInfo_;
    // The interface-table form of the dual interface: ITypeInfo::Invoke calls
    // through the table with it, where the dispatch form would call back into
    // our own IDispatch::Invoke.
    TComPtr<ITypeInfo> interfaceInfo_;
};

} // namespace corvane::server

#include "server/automation/DispatchTypeInfo.h"

#include "server/automation/ComBoundary.h"

#include <oleauto.h>

namespace corvane::server {

TComPtr<ITypeLib> LoadRegisteredTypeLib(REFGUID libid, WORD major, WORD minor, LCID libraryLocale) {
    TComPtr<ITypeLib> lib;
    // Where registration files it first: each failed look-up costs registry reads.
    if (libraryLocale != 0 &&
        SUCCEEDED(LoadRegTypeLib(libid, major, minor, libraryLocale, lib.Put())))
        return lib;
    ThrowIfFailed(LoadRegTypeLib(libid, major, minor, 0, lib.Put()));
    return lib;
}

TDispatchTypeInfo::TDispatchTypeInfo(ITypeLib* lib, REFIID iid) : iid_(iid) {
    if (!lib)
        throw EComError(E_POINTER);
    ThrowIfFailed(lib->GetTypeInfoOfGuid(iid, dispatchInfo_.Put()));
    TYPEATTR* attr = nullptr;
    ThrowIfFailed(dispatchInfo_->GetTypeAttr(&attr));
    const TYPEKIND kind = attr->typekind;
    const WORD flags = attr->wTypeFlags;
    dispatchInfo_->ReleaseTypeAttr(attr);
    if (kind == TKIND_INTERFACE) {
        interfaceInfo_ = dispatchInfo_;
        return;
    }
    if (kind != TKIND_DISPATCH || !(flags & TYPEFLAG_FDUAL))
        throw EComError(TYPE_E_WRONGTYPEKIND);
    // Index -1 of a dual dispatch description is its interface-table form.
    HREFTYPE ref = 0;
    ThrowIfFailed(dispatchInfo_->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref));
    ThrowIfFailed(dispatchInfo_->GetRefTypeInfo(ref, interfaceInfo_.Put()));
}

HRESULT TDispatchTypeInfo::GetTypeInfoCount(UINT* count) const {
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT TDispatchTypeInfo::GetTypeInfo(UINT index, ITypeInfo** result) const {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    dispatchInfo_.CopyTo(result);
    return S_OK;
}

HRESULT TDispatchTypeInfo::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count,
                                         DISPID* ids) const {
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids)
        return E_POINTER;
    return dispatchInfo_->GetIDsOfNames(names, count, ids);
}

HRESULT TDispatchTypeInfo::Invoke(void* object, DISPID id, REFIID riid, WORD flags,
                                  DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                  UINT* argError) const {
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return interfaceInfo_->Invoke(object, id, flags, params ? params : &none, result, exception,
                                  argError);
}

} // namespace corvane::server

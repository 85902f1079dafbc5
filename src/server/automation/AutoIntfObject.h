#pragma once
// The base of our automation objects: one dual interface Intf over a type
// library's description of it.
//
//   - IUnknown: reference counting; the object deletes itself at the last
//     Release. It answers IUnknown, IDispatch, Intf (the iid given) and
//     ISupportErrorInfo, plus whatever QueryOtherInterface adds.
//   - IDispatch: from the type information (GetIDsOfNames, Invoke through
//     the interface table), its own or one shared by many objects. InvokeFlags lets a class accept
//     other request kinds for a member, e.g. a script's putref for an object-valued put.
//   - ISupportErrorInfo: yes for Intf's iid only; the methods report their
//     errors through ComBoundary with that iid.
//   - Counts itself in the module's object count for its whole life.
//
// Objects are created with a reference count of 0; the creator takes the
// first reference (TComPtr's constructor).

#include "server/ModuleCounts.h"
#include "server/automation/ComBoundary.h"
#include "server/automation/DispatchTypeInfo.h"

#include <memory>
#include <utility>

namespace corvane::server {

// COM interfaces have no virtual destructor by design: objects are freed by
// their own Release, never through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
template <class Intf> class TAutoIntfObject : public Intf, public ISupportErrorInfo {
public:
    TAutoIntfObject(const TAutoIntfObject&) = delete;
    TAutoIntfObject& operator=(const TAutoIntfObject&) = delete;

    // --- IUnknown -----------------------------------------------------------
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** result) override {
        if (!result)
            return E_POINTER;
        *result = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, typeInfo_->Iid()))
            *result = static_cast<Intf*>(this);
        else if (IsEqualIID(riid, IID_ISupportErrorInfo))
            *result = static_cast<ISupportErrorInfo*>(this);
        else
            *result = QueryOtherInterface(riid);
        if (!*result)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&refCount_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG count = InterlockedDecrement(&refCount_);
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }

    // --- IDispatch ----------------------------------------------------------
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        RETURN_HR_IF(RPC_E_WRONG_THREAD, !OnOwnThread());
        return typeInfo_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** result) override {
        RETURN_HR_IF(RPC_E_WRONG_THREAD, !OnOwnThread());
        return typeInfo_->GetTypeInfo(index, result);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        RETURN_HR_IF(RPC_E_WRONG_THREAD, !OnOwnThread());
        return typeInfo_->GetIDsOfNames(riid, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override {
        RETURN_HR_IF(RPC_E_WRONG_THREAD, !OnOwnThread());
        return typeInfo_->Invoke(static_cast<Intf*>(this), id, riid, InvokeFlags(id, flags), params,
                                 result, exception, argError);
    }

    // --- ISupportErrorInfo --------------------------------------------------
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
        RETURN_HR_IF(RPC_E_WRONG_THREAD, !OnOwnThread());
        return IsEqualIID(riid, typeInfo_->Iid()) ? S_OK : S_FALSE;
    }

protected:
    // Raises EComError when lib does not describe iid as a dual interface.
    TAutoIntfObject(ITypeLib* lib, REFIID iid)
        : typeInfo_(std::make_shared<const TDispatchTypeInfo>(lib, iid)) {}
    explicit TAutoIntfObject(std::shared_ptr<const TDispatchTypeInfo> typeInfo)
        : typeInfo_(std::move(typeInfo)) {}
    virtual ~TAutoIntfObject() = default;

    const IID& Iid() const { return typeInfo_->Iid(); }
    // The request kinds passed on to the type information for member id.
    virtual WORD InvokeFlags(DISPID /*id*/, WORD flags) const { return flags; }
    // False on a thread the object refuses: every member but those of
    // IUnknown then answers RPC_E_WRONG_THREAD, as a proxy would.
    virtual bool OnOwnThread() const { return true; }
    // Further interfaces (without a reference added); null for none.
    virtual void* QueryOtherInterface(REFIID /*riid*/) { return nullptr; }

private:
    TModuleObjectCount moduleCount_;
    LONG refCount_ = 0;
    std::shared_ptr<const TDispatchTypeInfo> typeInfo_;
};
#pragma GCC diagnostic pop

} // namespace corvane::server

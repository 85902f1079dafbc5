#include "server/activex/ConnectionPoint.h"

#include "server/activex/ComErrors.h"
#include "server/activex/Enumerators.h"

#include <olectl.h>

namespace corvane::server {

TConnectionPoint::TConnectionPoint(IUnknown& owner, IConnectionPointContainer& container,
                                   win32::TEntryOwner& entries, const IID& iid, size_t limit)
    : owner_(owner), container_(container), entries_(entries), iid_(iid), limit_(limit) {}

TConnectionPoint::~TConnectionPoint() = default;

std::vector<TComPtr<IUnknown>> TConnectionPoint::Sinks() const {
    std::vector<TComPtr<IUnknown>> result;
    for (const auto& sink : sinks_)
        if (sink)
            result.push_back(sink);
    return result;
}

void TConnectionPoint::DisconnectAll() {
    // Moved out first: a sink's Release may call back into the control.
    std::vector<TComPtr<IUnknown>> dropped;
    dropped.swap(sinks_);
}

HRESULT STDMETHODCALLTYPE TConnectionPoint::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TConnectionPoint::AddRef() {
    return owner_.AddRef();
}
ULONG STDMETHODCALLTYPE TConnectionPoint::Release() {
    return owner_.Release();
}

HRESULT STDMETHODCALLTYPE TConnectionPoint::GetConnectionInterface(IID* iid) {
    CONTROL_ENTRY(&entries_);
    if (iid == nullptr)
        return E_POINTER;
    *iid = iid_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE
TConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    CONTROL_ENTRY(&entries_);
    if (container == nullptr)
        return E_POINTER;
    *container = &container_;
    container_.AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    CONTROL_ENTRY(&entries_);
    if (cookie == nullptr)
        return E_POINTER;
    *cookie = 0;
    if (sink == nullptr)
        return E_POINTER;
    return Guarded(IID_IConnectionPoint, L"", [&]() -> HRESULT {
        if (limit_ != 0 && Sinks().size() >= limit_)
            return CONNECT_E_ADVISELIMIT;
        TComPtr<IUnknown> typed;
        const HRESULT hr = sink->QueryInterface(iid_, reinterpret_cast<void**>(typed.Put()));
        if (FAILED(hr) || !typed)
            return FAILED(hr) ? hr : E_UNEXPECTED;
        size_t slot = 0;
        while (slot < sinks_.size() && sinks_[slot])
            ++slot;
        if (slot == sinks_.size())
            sinks_.emplace_back();
        sinks_[slot] = typed;
        *cookie = static_cast<DWORD>(slot + 1);
        if (OnSinkChanged)
            OnSinkChanged(typed.Get());
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TConnectionPoint::Unadvise(DWORD cookie) {
    CONTROL_ENTRY(&entries_);
    if (cookie == 0 || cookie > sinks_.size() || !sinks_[cookie - 1])
        return CONNECT_E_NOCONNECTION;
    return Guarded(IID_IConnectionPoint, L"", [&]() -> HRESULT {
        if (OnSinkChanged)
            OnSinkChanged(nullptr);
        // Released after the slot is free: the sink's Release may re-enter.
        TComPtr<IUnknown> removed = std::move(sinks_[cookie - 1]);
        sinks_[cookie - 1].Reset();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TConnectionPoint::EnumConnections(IEnumConnections** connections) {
    CONTROL_ENTRY(&entries_);
    if (connections == nullptr)
        return E_POINTER;
    std::vector<CONNECTDATA> data;
    for (size_t slot = 0; slot < sinks_.size(); ++slot)
        if (sinks_[slot])
            data.push_back(CONNECTDATA{sinks_[slot].Get(), static_cast<DWORD>(slot + 1)});
    return CreateConnectionEnumerator(data, connections);
}

} // namespace corvane::server

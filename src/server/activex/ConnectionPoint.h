#pragma once
// One connection point of the control: a list of host sinks for one outgoing
// interface. It lives inside its control and shares the control's reference
// count, so a host holding the point keeps the control alive.

#include "server/automation/Bstr.h"
#include "server/automation/ComPtr.h"
#include "server/automation/Variant.h"
#include "win32/ControlEntry.h"

#include <ocidl.h>

#include <functional>
#include <vector>

namespace corvane::server {

class TConnectionPoint : public IConnectionPoint {
public:
    // limit: the number of sinks admitted at once (0: any number). Each
    // method is an entry into the control (`entries`).
    TConnectionPoint(IUnknown& owner, IConnectionPointContainer& container,
                     win32::TEntryOwner& entries, const IID& iid, size_t limit);
    TConnectionPoint(const TConnectionPoint&) = delete;
    TConnectionPoint& operator=(const TConnectionPoint&) = delete;
    ~TConnectionPoint();

    // Called with the sink (viewed as the point's interface) after an Advise
    // and with nullptr before an Unadvise removes it.
    std::function<void(IUnknown* sink)> OnSinkChanged;

    const IID& Iid() const { return iid_; }
    // The connected sinks, each viewed as the point's interface.
    std::vector<TComPtr<IUnknown>> Sinks() const;
    // Drops every sink (the control is going away).
    void DisconnectAll();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IConnectionPoint
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE
    GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

private:
    IUnknown& owner_;
    IConnectionPointContainer& container_;
    win32::TEntryOwner& entries_;
    IID iid_;
    size_t limit_;
    // Slot n holds the sink of cookie n + 1; a freed slot is empty.
    std::vector<TComPtr<IUnknown>> sinks_;
};

} // namespace corvane::server

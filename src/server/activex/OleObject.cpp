// IOleObject: the client site, verbs, extent and advise holder.
#include "server/activex/ActiveXControl.h"

#include "server/activex/ComErrors.h"
#include "server/activex/Enumerators.h"
#include "server/activex/Himetric.h"

#include <olectl.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace corvane::server {
namespace {

// What the registry answers when the class key, or the part asked for, is
// not there: the object was made from a manifest (registration-free).
bool ClassNotRegistered(HRESULT hr) {
    return hr == REGDB_E_CLASSNOTREG || hr == REGDB_E_KEYMISSING || hr == REGDB_E_READREGDB;
}

} // namespace

HRESULT STDMETHODCALLTYPE TActiveXControl::SetClientSite(IOleClientSite* site) {
    CONTROL_ENTRY(this);
    HostTurned(false);
    return Guarded(IID_IOleObject, class_.ProgId, [&]() -> HRESULT {
        // Without a site no host is left to show the menu, dialog or boxes for.
        if (site == nullptr && window_)
            window_->Loops().EndAll();
        if (site == nullptr && inPlaceActive_)
            DeactivateInPlace();
        clientSite_ = TComPtr<IOleClientSite>(site);
        if (site != nullptr)
            ReadAmbient(DISPID_UNKNOWN);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetClientSite(IOleClientSite** site) {
    CONTROL_ENTRY(this);
    if (site == nullptr)
        return E_POINTER;
    *site = TComPtr<IOleClientSite>(clientSite_).Detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::SetHostNames(LPCOLESTR, LPCOLESTR) {
    CONTROL_ENTRY(this);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::Close(DWORD saveOption) {
    CONTROL_ENTRY(this);
    HostTurned(false);
    return Guarded(IID_IOleObject, class_.ProgId, [&]() -> HRESULT {
        if (window_)
            window_->Loops().EndAll();
        if (inPlaceActive_)
            DeactivateInPlace();
        const bool save = saveOption == OLECLOSE_SAVEIFDIRTY ||
                          (saveOption == OLECLOSE_PROMPTSAVE && IsDirty() == S_OK);
        if (save && clientSite_ && IsDirty() == S_OK)
            clientSite_->SaveObject();
        if (adviseHolder_)
            adviseHolder_->SendOnClose();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::SetMoniker(DWORD, IMoniker*) {
    CONTROL_ENTRY(this);
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    CONTROL_ENTRY(this);
    if (moniker == nullptr)
        return E_POINTER;
    *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::InitFromData(IDataObject*, BOOL, DWORD) {
    CONTROL_ENTRY(this);
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetClipboardData(DWORD, IDataObject** data) {
    CONTROL_ENTRY(this);
    if (data == nullptr)
        return E_POINTER;
    *data = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite,
                                                  LONG, HWND, LPCRECT) {
    CONTROL_ENTRY(this);
    return Guarded(IID_IOleObject, class_.ProgId, [&]() -> HRESULT {
        if (activeSite != nullptr && !clientSite_)
            clientSite_ = TComPtr<IOleClientSite>(activeSite);
        switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_PROPERTIES: {
            // The page list is empty: a frame only when the host shows one.
            auto controlSite =
                TComPtr<IOleControlSite>::From(clientSite_.Get(), IID_IOleControlSite);
            if (controlSite)
                controlSite->ShowPropertyFrame();
            return S_OK;
        }
        case OLEIVERB_INPLACEACTIVATE:
            return ActivateInPlace(false);
        case OLEIVERB_UIACTIVATE:
        case OLEIVERB_SHOW:
            return ActivateInPlace(true);
        case OLEIVERB_HIDE:
            DeactivateUI();
            if (window_)
                window_->SetHiddenByHost(true);
            return S_OK;
        case OLEIVERB_DISCARDUNDOSTATE:
            return S_OK;
        default:
            break;
        }
        if (std::none_of(class_.Verbs.begin(), class_.Verbs.end(),
                         [verb](const TClassVerb& v) { return v.Number == verb; }))
            return OLEOBJ_S_INVALIDVERB;
        RunVerb(verb);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::EnumVerbs(IEnumOLEVERB** verbs) {
    CONTROL_ENTRY(this);
    if (verbs == nullptr)
        return E_POINTER;
    *verbs = nullptr;
    const HRESULT hr = ::OleRegEnumVerbs(class_.Clsid, verbs);
    if (!ClassNotRegistered(hr))
        return hr;
    // Made from a manifest, with no class key: the verbs registration would
    // have written, on host menus.
    std::vector<OLEVERB> own;
    for (const TClassVerb& verb : class_.Verbs)
        own.push_back(OLEVERB{verb.Number, const_cast<LPOLESTR>(verb.Name), 0,
                              OLEVERBATTRIB_ONCONTAINERMENU});
    return CreateVerbEnumerator(own, verbs);
}

HRESULT STDMETHODCALLTYPE TActiveXControl::Update() {
    CONTROL_ENTRY(this);
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TActiveXControl::IsUpToDate() {
    CONTROL_ENTRY(this);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetUserClassID(CLSID* clsid) {
    CONTROL_ENTRY(this);
    if (clsid == nullptr)
        return E_POINTER;
    *clsid = class_.Clsid;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetUserType(DWORD form, LPOLESTR* userType) {
    CONTROL_ENTRY(this);
    if (userType == nullptr)
        return E_POINTER;
    *userType = nullptr;
    const HRESULT hr = ::OleRegGetUserType(class_.Clsid, form, userType);
    if (!ClassNotRegistered(hr))
        return hr;
    // No class key, or no name of this form: the class's description from
    // the type library, which registration writes as its name.
    TBstr description;
    if (FAILED(classInfo_->GetDocumentation(MEMBERID_NIL, nullptr, description.Put(), nullptr,
                                            nullptr)) ||
        description.Get() == nullptr)
        return hr;
    const size_t bytes = (description.Length() + 1) * sizeof(wchar_t);
    *userType = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
    if (*userType == nullptr)
        return E_OUTOFMEMORY;
    std::memcpy(*userType, description.Get(), bytes);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::SetExtent(DWORD aspect, SIZEL* size) {
    CONTROL_ENTRY(this);
    if (size == nullptr)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (size->cx < 0 || size->cy < 0)
        return E_INVALIDARG;
    return Guarded(IID_IOleObject, class_.ProgId, [&]() -> HRESULT {
        const int dpi = control_->Scale().PixelsPerInch(); // its window's
        const int width = HimetricToPixels(size->cx, dpi), height = HimetricToPixels(size->cy, dpi);
        if (!inPlaceActive_) {
            control_->SetBounds(control_->Left(), control_->Top(), width, height);
            return S_OK;
        }
        // In place the host owns the window's place: it is asked, and moves
        // the window itself (SetObjectRects) if it agrees.
        const TComPtr<IOleInPlaceSite> site = inPlaceSite_;
        const RECT wanted{control_->Left(), control_->Top(), control_->Left() + width,
                          control_->Top() + height};
        if (site)
            site->OnPosRectChange(&wanted);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetExtent(DWORD aspect, SIZEL* size) {
    CONTROL_ENTRY(this);
    if (size == nullptr)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    const int dpi = control_->Scale().PixelsPerInch(); // its window's
    size->cx = PixelsToHimetric(control_->Width(), dpi);
    size->cy = PixelsToHimetric(control_->Height(), dpi);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::Advise(IAdviseSink* sink, DWORD* connection) {
    CONTROL_ENTRY(this);
    if (connection == nullptr)
        return E_POINTER;
    *connection = 0;
    if (sink == nullptr)
        return E_INVALIDARG;
    if (!adviseHolder_) {
        const HRESULT hr = ::CreateOleAdviseHolder(adviseHolder_.Put());
        if (FAILED(hr))
            return hr;
    }
    return adviseHolder_->Advise(sink, connection);
}

HRESULT STDMETHODCALLTYPE TActiveXControl::Unadvise(DWORD connection) {
    CONTROL_ENTRY(this);
    if (!adviseHolder_)
        return OLE_E_NOCONNECTION;
    return adviseHolder_->Unadvise(connection);
}

HRESULT STDMETHODCALLTYPE TActiveXControl::EnumAdvise(IEnumSTATDATA** advise) {
    CONTROL_ENTRY(this);
    if (advise == nullptr)
        return E_POINTER;
    *advise = nullptr;
    if (!adviseHolder_)
        return S_OK; // no connections: no enumerator, as the interface allows
    return adviseHolder_->EnumAdvise(advise);
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetMiscStatus(DWORD, DWORD* status) {
    CONTROL_ENTRY(this);
    if (status == nullptr)
        return E_POINTER;
    *status = class_.MiscStatus;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::SetColorScheme(LOGPALETTE*) {
    CONTROL_ENTRY(this);
    return E_NOTIMPL;
}

} // namespace corvane::server

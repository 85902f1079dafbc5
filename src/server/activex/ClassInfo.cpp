// Class information, property pages and browsing, quick activation and
// object safety.
#include "server/activex/ActiveXControl.h"

#include "server/activex/ComErrors.h"

#include <olectl.h>

namespace corvane::server {

// --- IProvideClassInfo2 -----------------------------------------------------------

HRESULT STDMETHODCALLTYPE TActiveXControl::GetClassInfo(ITypeInfo** info) {
    CONTROL_ENTRY(this);
    if (info == nullptr)
        return E_POINTER;
    *info = TComPtr<ITypeInfo>(classInfo_).Detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetGUID(DWORD kind, GUID* guid) {
    CONTROL_ENTRY(this);
    if (guid == nullptr)
        return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = class_.EventsIid;
    return S_OK;
}

// --- ISpecifyPropertyPages: the class offers no pages ------------------------------

HRESULT STDMETHODCALLTYPE TActiveXControl::GetPages(CAUUID* pages) {
    CONTROL_ENTRY(this);
    if (pages == nullptr)
        return E_POINTER;
    pages->cElems = 0;
    pages->pElems = nullptr;
    return S_OK;
}

// --- IPerPropertyBrowsing: no display strings, pages or predefined values ---------

HRESULT STDMETHODCALLTYPE TActiveXControl::GetDisplayString(DISPID, BSTR* text) {
    CONTROL_ENTRY(this);
    if (text == nullptr)
        return E_POINTER;
    *text = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::MapPropertyToPage(DISPID, CLSID* page) {
    CONTROL_ENTRY(this);
    if (page == nullptr)
        return E_POINTER;
    *page = CLSID_NULL;
    return PERPROP_E_NOPAGEAVAILABLE;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetPredefinedStrings(DISPID, CALPOLESTR* strings,
                                                                CADWORD* cookies) {
    CONTROL_ENTRY(this);
    if (strings == nullptr || cookies == nullptr)
        return E_POINTER;
    strings->cElems = 0;
    strings->pElems = nullptr;
    cookies->cElems = 0;
    cookies->pElems = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetPredefinedValue(DISPID, DWORD, VARIANT* value) {
    CONTROL_ENTRY(this);
    if (value == nullptr)
        return E_POINTER;
    return E_NOTIMPL;
}

// --- IQuickActivate ---------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TActiveXControl::QuickActivate(QACONTAINER* container,
                                                         QACONTROL* control) {
    CONTROL_ENTRY(this);
    if (container == nullptr || control == nullptr)
        return E_POINTER;
    if (container->cbSize < sizeof(QACONTAINER) || control->cbSize < sizeof(QACONTROL))
        return E_INVALIDARG;
    return Guarded(IID_IQuickActivate, class_.ProgId, [&]() -> HRESULT {
        const ULONG controlSize = control->cbSize;
        *control = QACONTROL{};
        control->cbSize = controlSize;
        Check(SetClientSite(container->pClientSite));
        if (container->pAdviseSink != nullptr)
            SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
        if (container->pUnkEventSink != nullptr)
            eventsPoint_.Advise(container->pUnkEventSink, &control->dwEventCookie);
        if (container->pPropertyNotifySink != nullptr)
            notifyPoint_.Advise(container->pPropertyNotifySink, &control->dwPropNotifyCookie);
        control_->SetDesigning((container->dwAmbientFlags & QACONTAINER_USERMODE) == 0);
        if (container->pFont != nullptr) {
            auto font = TComPtr<IFont>::From(container->pFont, IID_IFont);
            if (font)
                control_->ParentFontChanged(FontFromOle(*font.Get(), control_->Font()));
        }
        control_->ParentColorChanged(static_cast<TColor>(container->colorBack));
        control->dwMiscStatus = class_.MiscStatus;
        control->dwViewStatus = 0;
        control->dwPointerActivationPolicy = 0;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::SetContentExtent(LPSIZEL size) {
    CONTROL_ENTRY(this);
    return SetExtent(DVASPECT_CONTENT, size);
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetContentExtent(LPSIZEL size) {
    CONTROL_ENTRY(this);
    return GetExtent(DVASPECT_CONTENT, size);
}

// --- IObjectSafety: one setting for the whole object ------------------------------

namespace {
constexpr DWORD SupportedSafety =
    INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetInterfaceSafetyOptions(REFIID riid, DWORD* supported,
                                                                     DWORD* enabled) {
    CONTROL_ENTRY(this);
    if (supported == nullptr || enabled == nullptr)
        return E_POINTER;
    TComPtr<IUnknown> probe;
    const HRESULT hr = QueryInterface(riid, reinterpret_cast<void**>(probe.Put()));
    if (FAILED(hr)) {
        *supported = 0;
        *enabled = 0;
        return hr;
    }
    *supported = SupportedSafety;
    *enabled = safetyOptions_ & SupportedSafety;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::SetInterfaceSafetyOptions(REFIID riid, DWORD mask,
                                                                     DWORD enabled) {
    CONTROL_ENTRY(this);
    TComPtr<IUnknown> probe;
    const HRESULT hr = QueryInterface(riid, reinterpret_cast<void**>(probe.Put()));
    if (FAILED(hr))
        return hr;
    // A host asking for an option we do not honour must not believe it is on.
    if ((mask & ~SupportedSafety) != 0)
        return E_FAIL;
    safetyOptions_ = enabled & mask;
    return S_OK;
}

} // namespace corvane::server

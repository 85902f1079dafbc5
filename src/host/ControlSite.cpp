#include "host/ControlSite.h"

namespace corvane::host {

HRESULT STDMETHODCALLTYPE ControlSite::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    void* found = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        found = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceSite) || IsEqualIID(riid, IID_IOleWindow))
        found = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceFrame) || IsEqualIID(riid, IID_IOleInPlaceUIWindow))
        found = static_cast<IOleInPlaceFrame*>(this);
    else if (IsEqualIID(riid, IID_IOleControlSite))
        found = static_cast<IOleControlSite*>(this);
    else if (IsEqualIID(riid, IID_IDispatch))
        found = static_cast<IDispatch*>(this);
    *object = found;
    if (found == nullptr)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker == nullptr)
        return E_POINTER;
    *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ControlSite::GetContainer(IOleContainer** container) {
    if (container == nullptr)
        return E_POINTER;
    *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE ControlSite::GetWindow(HWND* window) {
    if (window == nullptr)
        return E_POINTER;
    *window = container_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlSite::OnInPlaceActivate() {
    ++InPlaceActivations;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlSite::OnUIActivate() {
    ++UIActivations;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlSite::GetWindowContext(IOleInPlaceFrame** frame,
                                                        IOleInPlaceUIWindow** doc, LPRECT position,
                                                        LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (frame == nullptr || doc == nullptr || position == nullptr || clip == nullptr ||
        info == nullptr)
        return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr; // the frame is the only window level
    *position = Position;
    *clip = Position;
    info->fMDIApp = FALSE;
    info->hwndFrame = container_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlSite::OnInPlaceDeactivate() {
    ++InPlaceDeactivations;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlSite::OnPosRectChange(LPCRECT position) {
    if (position == nullptr)
        return E_POINTER;
    // The owner lays the control out; a size the control asks for lasts
    // until the owner next moves it.
    Position = *position;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlSite::SetBorderSpace(LPCBORDERWIDTHS widths) {
    // No tools of the control's own: "none" is the only space there is.
    return widths == nullptr ? S_OK : INPLACE_E_NOTOOLSPACE;
}

HRESULT STDMETHODCALLTYPE ControlSite::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
    ActiveObject = com::TComPtr<IOleInPlaceActiveObject>(object);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) {
    if (widths == nullptr)
        return E_POINTER;
    // The container's groups are empty: it has no menu bar.
    widths->width[0] = widths->width[2] = widths->width[4] = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlSite::GetExtendedControl(IDispatch** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ControlSite::OnFocus(BOOL) {
    ++FocusChanges;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlSite::GetTypeInfoCount(UINT* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info == nullptr)
        return E_POINTER;
    *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE ControlSite::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*,
                                              VARIANT* result, EXCEPINFO*, UINT*) {
    if (result == nullptr)
        return E_POINTER;
    ::VariantInit(result);
    switch (dispid) {
    case DISPID_AMBIENT_USERMODE:
        result->vt = VT_BOOL;
        result->boolVal = UserMode ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    case DISPID_AMBIENT_FONT:
        if (!AmbientFont)
            return DISP_E_MEMBERNOTFOUND;
        result->vt = VT_DISPATCH;
        result->pdispVal = com::TComPtr<IFontDisp>(AmbientFont).Detach();
        return S_OK;
    case DISPID_AMBIENT_DISPLAYNAME:
        if (DisplayName.empty())
            return DISP_E_MEMBERNOTFOUND;
        result->vt = VT_BSTR;
        result->bstrVal =
            ::SysAllocStringLen(DisplayName.data(), static_cast<UINT>(DisplayName.size()));
        return result->bstrVal != nullptr ? S_OK : E_OUTOFMEMORY;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

} // namespace corvane::host

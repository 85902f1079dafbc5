// IOleControl: the container's ambient properties, which the control follows
// as a child window follows its parent, and frozen events.
#include "server/activex/ActiveXControl.h"

#include "server/activex/ComErrors.h"
#include "win32/WideText.h"

#include <olectl.h>

namespace corvane::server {

bool TActiveXControl::AmbientProperty(DISPID dispid, VARIANT& value) const {
    auto ambient = TComPtr<IDispatch>::From(clientSite_.Get(), IID_IDispatch);
    if (!ambient)
        return false;
    DISPPARAMS none{};
    return SUCCEEDED(ambient->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                     &none, &value, nullptr, nullptr));
}

std::string TActiveXControl::AccessibleName() const {
    const HWND window = window_->Handle();
    const int length = window != nullptr ? ::GetWindowTextLengthW(window) : 0;
    if (length > 0) {
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        text.resize(static_cast<size_t>(::GetWindowTextW(window, &text[0], length + 1)));
        if (!text.empty())
            return win32::Utf8FromWide(text);
    }
    TVariant label;
    if (AmbientProperty(DISPID_AMBIENT_DISPLAYNAME, *&label) && label.vt == VT_BSTR &&
        SysStringLen(label.bstrVal) > 0)
        return BstrToText(label.bstrVal);
    return control_->Name();
}

void TActiveXControl::ReadAmbient(DISPID dispid) {
    const bool all = dispid == DISPID_UNKNOWN;
    if (all || dispid == DISPID_AMBIENT_USERMODE) {
        TVariant mode;
        if (AmbientProperty(DISPID_AMBIENT_USERMODE, *&mode) &&
            SUCCEEDED(::VariantChangeType(&mode, &mode, 0, VT_BOOL)))
            control_->SetDesigning(mode.boolVal == VARIANT_FALSE);
    }
    if (all || dispid == DISPID_AMBIENT_FONT) {
        TVariant font;
        if (AmbientProperty(DISPID_AMBIENT_FONT, *&font) &&
            (font.vt == VT_DISPATCH || font.vt == VT_UNKNOWN)) {
            auto ole = TComPtr<IFont>::From(font.punkVal, IID_IFont);
            if (ole)
                control_->ParentFontChanged(FontFromOle(*ole.Get(), control_->Font()));
        }
    }
    if (all || dispid == DISPID_AMBIENT_BACKCOLOR) {
        TVariant colour;
        if (AmbientProperty(DISPID_AMBIENT_BACKCOLOR, *&colour) &&
            SUCCEEDED(::VariantChangeType(&colour, &colour, 0, VT_I4)))
            control_->ParentColorChanged(static_cast<TColor>(colour.lVal));
    }
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetControlInfo(CONTROLINFO* info) {
    CONTROL_ENTRY(this);
    if (info == nullptr)
        return E_POINTER;
    info->cb = sizeof *info;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::OnMnemonic(MSG* msg) {
    CONTROL_ENTRY(this);
    return msg == nullptr ? E_INVALIDARG : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::OnAmbientPropertyChange(DISPID dispid) {
    CONTROL_ENTRY(this);
    return Guarded(IID_IOleControl, class_.ProgId, [&]() -> HRESULT {
        ReadAmbient(dispid);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::FreezeEvents(BOOL freeze) {
    CONTROL_ENTRY(this);
    if (freeze)
        ++freezeCount_;
    else if (freezeCount_ > 0)
        --freezeCount_;
    return S_OK;
}

} // namespace corvane::server

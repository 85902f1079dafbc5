// TCorvane: creation, the class's description, IDispatch, verbs.
#include "server/control/Corvane.h"

#include "server/activex/ComErrors.h"
#include "server/automation/ComBoundary.h"
#include "server/control/CorvaneCreate.h"
#include "server/control/CorvaneVerbs.h"
#include "server/control/HeaderRegistry.h"

#include <new>

namespace corvane::server {

const TControlClass& TCorvane::Class() {
    static const TControlClass Corvane{
        CLSID_Corvane,
        IID_ICorvane,
        DIID_ICorvaneEvents,
        ProgId,
        "TCorvane",
        // OLEMISC_RECOMPOSEONRESIZE | CANTLINKINSIDE | INSIDEOUT |
        // ACTIVATEWHENVISIBLE | SETCLIENTSITEFIRST
        0x20191,
        {{CustomizeVerb, CustomizeVerbName}, {AboutVerb, AboutVerbName}},
    };
    return Corvane;
}

TCorvane::TCorvane(ITypeLib& typeLib) : TActiveXControl(Class(), typeLib) {}

TCorvane::~TCorvane() {
    UnregisterHeader(headerToken_);
    hostSink_.Reset();
}

void TCorvane::SinkChanged(IDispatch* sink) {
    hostSink_ = TComPtr<IDispatch>(sink);
}

void TCorvane::HookHeaderEvents() {
    TStrativ& header = HeaderControl();
    header.OnBeforeCustomize = [this](TStrativ*) {
        FireSimple(DISPID_ICorvaneEvents_OnBeforeCustomize);
    };
    header.OnAfterCustomize = [this](TStrativ*) {
        FireSimple(DISPID_ICorvaneEvents_OnAfterCustomize);
    };
    header.OnBeforeApply = [this](TStrativ*) { FireSimple(DISPID_ICorvaneEvents_OnBeforeApply); };
    header.OnAfterApply = [this](TStrativ*) { FireSimple(DISPID_ICorvaneEvents_OnAfterApply); };
    header.OnHeaderClick = [this](TStrativ*, THeaderColumns* section) {
        FireSection(DISPID_ICorvaneEvents_OnHeaderClick, section);
    };
    header.OnSizing = [this](TStrativ*, THeaderColumns* section, int index, int width) {
        FireSizing(DISPID_ICorvaneEvents_OnSizing, section, index, width);
    };
    header.OnSized = [this](TStrativ*, THeaderColumns* section, int index, int width) {
        FireSizing(DISPID_ICorvaneEvents_OnSized, section, index, width);
    };
    header.OnHeightChanged = [this](TStrativ*, THeaderColumns* section, int height) {
        FireHeight(DISPID_ICorvaneEvents_OnHeightChanged, section, height);
    };
    header.OnHeightChanging = [this](TStrativ*, THeaderColumns* section, int height) {
        FireHeight(DISPID_ICorvaneEvents_OnHeightChanging, section, height);
    };
    header.OnHint = [this](TStrativ*, THeaderColumns* section, std::string& hint) {
        FireHint(section, hint);
    };
    header.OnDropSection = [this](TStrativ*, THeaderColumns* source, THeaderColumns* dest,
                                  bool& asChild,
                                  bool& allowDrop) { FireDrop(source, dest, asChild, allowDrop); };
    header.SetColor(InitialColor);
    headerToken_ = RegisterHeader(&header);
}

void TCorvane::RunVerb(LONG verb) {
    if (verb == CustomizeVerb)
        HeaderControl().Customize();
    else if (verb == AboutVerb)
        HeaderControl().ShowAbout();
}

// --- IDispatch ----------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TCorvane::GetTypeInfoCount(UINT* count) {
    CONTROL_ENTRY(this);
    if (count == nullptr)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TCorvane::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    CONTROL_ENTRY(this);
    if (info == nullptr)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    *info = TComPtr<ITypeInfo>(DispatchTypeInfo()).Detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TCorvane::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                                  DISPID* dispids) {
    CONTROL_ENTRY(this);
    if (names == nullptr || dispids == nullptr)
        return E_POINTER;
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (count == 1 && names[0] != nullptr && ::lstrcmpiW(names[0], L"Header") == 0) {
        dispids[0] = DispidHeader;
        return S_OK;
    }
    return ::DispGetIDsOfNames(DispatchTypeInfo(), names, count, dispids);
}

HRESULT STDMETHODCALLTYPE TCorvane::Invoke(DISPID dispid, REFIID riid, LCID, WORD flags,
                                           DISPPARAMS* params, VARIANT* result,
                                           EXCEPINFO* exception, UINT* argError) {
    CONTROL_ENTRY(this);
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (params == nullptr)
        return E_POINTER;
    if (dispid == DispidHeader) {
        if ((flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) == 0)
            return DISP_E_MEMBERNOTFOUND;
        if (params->cArgs != 0)
            return DISP_E_BADPARAMCOUNT;
        if (result != nullptr) {
            ::VariantInit(result);
            result->vt = VT_I4;
            result->lVal = static_cast<LONG>(headerToken_);
        }
        return S_OK;
    }
    // Either accessor of a property answers either assignment request.
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))
        flags |= DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF;
    return ::DispInvoke(static_cast<ICorvane*>(this), DispatchTypeInfo(), dispid, flags, params,
                        result, exception, argError);
}

// --- Creation -------------------------------------------------------------------------

ITypeLib& CorvaneTypeLib() {
    static const TComPtr<ITypeLib> library = [] {
        wchar_t path[MAX_PATH + 1] = {};
        const DWORD length = ::GetModuleFileNameW(win32::StrativWindowModule(), path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            throw EComError(HRESULT_FROM_WIN32(::GetLastError()));
        TComPtr<ITypeLib> loaded;
        const HRESULT hr = ::LoadTypeLibEx(path, REGKIND_NONE, loaded.Put());
        if (FAILED(hr))
            throw EComError(hr); // carries the system's message for the factory's box
        return loaded;
    }();
    return *library.Get();
}

HRESULT CreateCorvane(IUnknown* outer, REFIID riid, void** result) {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    auto* object = new TCorvane(CorvaneTypeLib());
    // Held while it is set up: a failure frees it.
    object->AddRef();
    try {
        object->Initialize();
    } catch (...) {
        object->Release();
        throw;
    }
    const HRESULT hr = object->QueryInterface(riid, result);
    object->Release();
    return hr;
}

} // namespace corvane::server

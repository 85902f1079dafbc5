// IPersistPropertyBag: every read-write property of the dispatch interface,
// by name, through that interface, and the section tree as text under a
// name of its own.
#include "server/activex/ActiveXControl.h"

#include "core/control/Strativ.h"
#include "core/framework/Exceptions.h"
#include "core/model/HeaderColumns.h"
#include "core/stream/SectionTreeText.h"
#include "server/activex/ComErrors.h"
#include "server/automation/Bstr.h"

namespace corvane::server {
namespace {

// In type-library order, each name once.
constexpr const wchar_t* BagProperties[] = {
    L"HotTrackColor", L"CustomizeMenustring", L"BevelInner",   L"BevelOuter",     L"Color",
    L"Headerstyle",   L"BorderStyle",         L"Enabled",      L"Font",           L"ParentFont",
    L"Visible",       L"DoubleBuffered",      L"BiDiMode",     L"Cursor",         L"AllowClick",
    L"AllowHint",     L"AllowVResize",        L"AllowHResize", L"AllowCustomize", L"AllowAbout",
    L"AllowDragDrop", L"AllowHotTrack",
};

// Not a property of the dispatch interface (Sections is read-only there):
// the name the stored control stream gives the tree.
constexpr const wchar_t* TreeEntry = L"HeaderColumns";

bool DispidOf(ITypeInfo& info, const wchar_t* name, DISPID& dispid) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return SUCCEEDED(info.GetIDsOfNames(names, 1, &dispid));
}

} // namespace

void TActiveXControl::LoadTree(IPropertyBag& bag, IErrorLog* log) {
    // A bag saved before the tree was stored has no entry: the control keeps
    // its tree. A browser hands every value back as text, and a damaged
    // entry is skipped like a property that fails.
    TVariant value;
    if (FAILED(bag.Read(TreeEntry, &value, log)))
        return;
    if (value.vt != VT_BSTR && FAILED(VariantChangeType(&value, &value, 0, VT_BSTR)))
        return;
    try {
        ReadSectionTreeText(BstrToText(value.bstrVal), *HeaderControl().Sections());
    } catch (const Exception&) {
        return;
    }
    HeaderControl().Sections()->Changed(true);
    HeaderControl().Invalidate();
}

HRESULT STDMETHODCALLTYPE TActiveXControl::Load(IPropertyBag* bag, IErrorLog* log) {
    CONTROL_ENTRY(this);
    if (bag == nullptr)
        return E_POINTER;
    return Guarded(IID_IPersistPropertyBag, class_.ProgId, [&]() -> HRESULT {
        IDispatch* self = DispatchInterface();
        for (const wchar_t* name : BagProperties) {
            DISPID dispid = 0;
            if (!DispidOf(*dispatchInfo_.Get(), name, dispid))
                continue;
            TVariant value;
            if (FAILED(bag->Read(name, &value, log)))
                continue;
            // A value the bag cannot give or the property refuses is skipped.
            DISPID named = DISPID_PROPERTYPUT;
            DISPPARAMS params{&value, &named, 1, 1};
            const WORD flags = (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN)
                                   ? DISPATCH_PROPERTYPUTREF
                                   : DISPATCH_PROPERTYPUT;
            self->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, nullptr, nullptr,
                         nullptr);
        }
        LoadTree(*bag, log);
        // What was loaded is the document's state, as after a stream load.
        MarkClean(SaveState());
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    CONTROL_ENTRY(this);
    if (bag == nullptr)
        return E_POINTER;
    return Guarded(IID_IPersistPropertyBag, class_.ProgId, [&]() -> HRESULT {
        IDispatch* self = DispatchInterface();
        for (const wchar_t* name : BagProperties) {
            DISPID dispid = 0;
            if (!DispidOf(*dispatchInfo_.Get(), name, dispid))
                continue;
            TVariant value;
            DISPPARAMS none{};
            Check(self->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                               &value, nullptr, nullptr));
            Check(bag->Write(name, &value));
        }
        TVariant tree;
        tree.vt = VT_BSTR;
        tree.bstrVal = TextToBstr(SectionTreeText(*HeaderControl().Sections())).Detach();
        Check(bag->Write(TreeEntry, &tree));
        if (clearDirty)
            MarkClean(SaveState());
        return S_OK;
    });
}

} // namespace corvane::server

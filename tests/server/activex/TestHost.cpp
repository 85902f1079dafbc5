#include "TestHost.h"

#include "server/ModuleCounts.h"
#include "server/control/CorvaneCreate.h"

#include <olectl.h>

namespace corvane::server::test {
namespace {

// OLE for the whole run, and the type library registered in the test
// prefix (the sections objects load it by its identifier).
class OleEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_EQ(S_OK, ::OleInitialize(nullptr));
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        TComPtr<ITypeLib> library;
        ASSERT_EQ(S_OK, ::LoadTypeLibEx(path, REGKIND_NONE, library.Put()));
        ASSERT_EQ(S_OK, ::RegisterTypeLib(library.Get(), path, nullptr));
        TComPtr<ITypeLib> registered;
        ASSERT_EQ(S_OK, ::LoadRegTypeLib(LIBID_CorvaneC, CorvaneC_MajorVersion,
                                         CorvaneC_MinorVersion, CorvaneC_Lcid, registered.Put()));
    }
    void TearDown() override { ::OleUninitialize(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

} // namespace

TComPtr<ICorvane> NewControl() {
    TComPtr<ICorvane> control;
    EXPECT_EQ(S_OK, CreateCorvane(nullptr, IID_ICorvane, reinterpret_cast<void**>(control.Put())));
    return control;
}

TCorvane& Object(ICorvane* control) {
    return *static_cast<TCorvane*>(control);
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void ControlTest::TearDown() {
    PumpMessages();
    EXPECT_EQ(0, ObjectCount()) << "objects of the module left alive";
}

// --- EventSink ---------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE EventSink::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, DIID_ICorvaneEvents)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE EventSink::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

std::string CaptionOf(IDispatch* sections) {
    auto typed = Query<ISections>(sections, IID_ISections);
    if (!typed)
        return "<not a section object>";
    TBstr caption;
    if (FAILED(typed->get_Caption(caption.Put())))
        return "<none>";
    return BstrToAnsi(caption.Get());
}

namespace {

std::string Describe(const VARIANT& v) {
    switch (v.vt) {
    case VT_DISPATCH:
        return CaptionOf(v.pdispVal);
    case VT_I4:
        return std::to_string(v.lVal);
    case VT_BSTR | VT_BYREF:
        return "&" + BstrToAnsi(*v.pbstrVal);
    case VT_BOOL | VT_BYREF:
        return "&" + std::to_string(*v.pboolVal);
    default:
        return "vt=" + std::to_string(v.vt);
    }
}

} // namespace

HRESULT STDMETHODCALLTYPE EventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params,
                                            VARIANT*, EXCEPINFO*, UINT*) {
    RecordedEvent event{dispid, {}};
    // Positional arguments arrive last first.
    for (UINT i = params->cArgs; i-- > 0;)
        event.Args.push_back(Describe(params->rgvarg[i]));
    Events.push_back(event);
    return Handler ? Handler(dispid, *params) : S_OK;
}

// --- TestSite ------------------------------------------------------------------------

TestSite::TestSite() {
    window_ = ::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                400, 200, nullptr, nullptr, nullptr, nullptr);
    ::ShowWindow(window_, SW_SHOWNA);
}

TestSite::~TestSite() {
    ActiveObject.Reset();
    AmbientFont.Reset();
    ::DestroyWindow(window_);
}

HRESULT STDMETHODCALLTYPE TestSite::QueryInterface(REFIID riid, void** object) {
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

HRESULT STDMETHODCALLTYPE TestSite::SaveObject() {
    if (OnCall)
        OnCall("SaveObject");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TestSite::GetWindow(HWND* window) {
    *window = window_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TestSite::OnInPlaceActivate() {
    ++InPlaceActivations;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TestSite::OnUIActivate() {
    ++UIActivations;
    if (OnCall)
        OnCall("OnUIActivate");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TestSite::GetWindowContext(IOleInPlaceFrame** frame,
                                                     IOleInPlaceUIWindow** doc, LPRECT pos,
                                                     LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    *pos = Position;
    *clip = Position;
    info->fMDIApp = FALSE;
    info->hwndFrame = window_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TestSite::OnInPlaceDeactivate() {
    ++InPlaceDeactivations;
    if (OnCall)
        OnCall("OnInPlaceDeactivate");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TestSite::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
    ActiveObject = TComPtr<IOleInPlaceActiveObject>(object);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TestSite::OnFocus(BOOL) {
    ++FocusChanges;
    if (OnCall)
        OnCall("OnFocus");
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TestSite::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TestSite::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*,
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
        result->pdispVal = TComPtr<IFontDisp>(AmbientFont).Detach();
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

// --- MemoryBag -----------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE MemoryBag::QueryInterface(REFIID riid, void** object) {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyBag)) {
        *object = static_cast<IPropertyBag*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE MemoryBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    const auto object = Objects.find(name);
    if (object != Objects.end()) {
        value->vt = VT_UNKNOWN;
        value->punkVal = TComPtr<IUnknown>(object->second).Detach();
        return S_OK;
    }
    const auto found = Values.find(name);
    if (found == Values.end())
        return E_INVALIDARG;
    // Given back as text, as a text-based bag would: the control converts.
    value->vt = VT_BSTR;
    value->bstrVal = ::SysAllocString(found->second.c_str());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MemoryBag::Write(LPCOLESTR name, VARIANT* value) {
    Types[name] = value->vt;
    if (value->vt == VT_DISPATCH || value->vt == VT_UNKNOWN) {
        Objects[name] = TComPtr<IUnknown>(value->punkVal);
        return S_OK;
    }
    VARIANT text;
    ::VariantInit(&text);
    const HRESULT hr = ::VariantChangeType(&text, value, 0, VT_BSTR);
    if (FAILED(hr))
        return hr;
    Values[name] = text.bstrVal;
    ::VariantClear(&text);
    return S_OK;
}

// --- Streams ---------------------------------------------------------------------------

std::vector<uint8_t> SaveToBytes(IUnknown* control) {
    auto persist = Query<IPersistStreamInit>(control, IID_IPersistStreamInit);
    TComPtr<IStream> stream;
    EXPECT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()));
    EXPECT_EQ(S_OK, persist->Save(stream.Get(), TRUE));
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<uint8_t> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    return bytes;
}

HRESULT LoadFromBytes(IUnknown* control, const std::vector<uint8_t>& bytes) {
    auto persist = Query<IPersistStreamInit>(control, IID_IPersistStreamInit);
    TComPtr<IStream> stream;
    ::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put());
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return persist->Load(stream.Get());
}

} // namespace corvane::server::test

#include "TestHost.h"

#include "server/ModuleCounts.h"
#include "server/control/CorvaneCreate.h"

#include "host/StreamBytes.h"

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

void ControlTest::TearDown() {
    PumpMessages();
    EXPECT_EQ(0, ObjectCount()) << "objects of the module left alive";
}

// --- EventSink ---------------------------------------------------------------------

void FocusRightThenEditAsHost(ICorvane& control, HWND window) {
    ::SetFocus(window);
    ::SendMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
    TComPtr<ISections> root, order, added;
    ASSERT_EQ(S_OK, control.get_Sections(root.Put()));
    ASSERT_EQ(S_OK, root->get_Items(1, order.Put()));
    const TBstr caption = TextToBstr("Order");
    ASSERT_EQ(S_OK, order->put_Caption(caption.Get()));
    ::SendMessageA(window, WM_NULL, 0, 0);
    const TBstr late = TextToBstr("Late");
    ASSERT_EQ(S_OK, root->Add(late.Get(), added.Put()));
    ASSERT_EQ(S_OK, root->Changed(VARIANT_TRUE));
    ::SendMessageA(window, WM_NULL, 0, 0);
    PumpMessages();
}

std::string CaptionOf(IDispatch* sections) {
    auto typed = Query<ISections>(sections, IID_ISections);
    if (!typed)
        return "<not a section object>";
    TBstr caption;
    if (FAILED(typed->get_Caption(caption.Put())))
        return "<none>";
    return BstrToText(caption.Get());
}

namespace {

std::string Describe(const VARIANT& v) {
    switch (v.vt) {
    case VT_DISPATCH:
        return CaptionOf(v.pdispVal);
    case VT_I4:
        return std::to_string(v.lVal);
    case VT_BSTR | VT_BYREF:
        return "&" + BstrToText(*v.pbstrVal);
    case VT_BOOL | VT_BYREF:
        return "&" + std::to_string(*v.pboolVal);
    default:
        return "vt=" + std::to_string(v.vt);
    }
}

} // namespace

HRESULT EventSink::Event(DISPID dispid, DISPPARAMS& params) {
    RecordedEvent event{dispid, {}};
    // Positional arguments arrive last first.
    for (UINT i = params.cArgs; i-- > 0;)
        event.Args.push_back(Describe(params.rgvarg[i]));
    Events.push_back(event);
    return host::EventSink::Event(dispid, params);
}

// --- TestSite ------------------------------------------------------------------------

namespace {

host::WindowPlacement TestWindowPlacement() {
    host::WindowPlacement placement;
    placement.x = 0;
    placement.y = 0;
    placement.clientWidth = 400;
    placement.clientHeight = 200;
    placement.show = SW_SHOWNA;
    return placement;
}

} // namespace

TestSite::TestSite()
    : ContainerWindow("host", TestWindowPlacement()), ControlSite(ContainerWindow::Handle()) {
    Position = RECT{10, 20, 310, 60};
}

HRESULT STDMETHODCALLTYPE TestSite::GetWindow(HWND* window) {
    const HRESULT hr = ControlSite::GetWindow(window);
    if (SUCCEEDED(hr) && HostWindow != nullptr)
        *window = HostWindow;
    return Called("GetWindow", hr);
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
    return host::SaveToBytes(control);
}

HRESULT LoadFromBytes(IUnknown* control, const std::vector<uint8_t>& bytes) {
    auto persist = Query<IPersistStreamInit>(control, IID_IPersistStreamInit);
    return persist->Load(host::StreamOnBytes(bytes).Get());
}

} // namespace corvane::server::test

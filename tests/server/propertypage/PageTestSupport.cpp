#include "PageTestSupport.h"

#include "BuiltModule.h"
#include "server/automation/Bstr.h"

#include <gtest/gtest.h>

namespace corvane::server::testing {
namespace {

TLoadedModule& Module() {
    // Kept loaded until the process ends: windows of its classes may outlive a test.
    static TLoadedModule* module = new TLoadedModule(BuiltModulePath());
    return *module;
}

// OLE for every test of the program, and the module's type library
// registered (the sections objects of a control load it from the registry).
class OleEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_EQ(::OleInitialize(nullptr), S_OK);
        std::wstring path = BuiltModulePath();
        TComPtr<ITypeLib> library;
        ASSERT_EQ(::LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Put()), S_OK);
        ASSERT_EQ(::RegisterTypeLib(library.Get(), path.data(), nullptr), S_OK);
        // The library's locale is 0x409, under which registration files it;
        // the sections objects ask for locale 0, which Wine looks up only
        // under "0". Register the path there as well.
        const std::wstring key = std::wstring(L"TypeLib\\{FEDE2C2E-B885-11D2-BBE8-E850F2510B74}"
                                              L"\\1.0\\0\\") +
                                 (sizeof(void*) == 8 ? L"win64" : L"win32");
        ASSERT_EQ(::RegSetValueW(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, path.c_str(), 0),
                  ERROR_SUCCESS);
    }
    void TearDown() override { ::OleUninitialize(); }
};
const auto* const g_ole = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

TComPtr<ISections> Section(ICorvane* control, long index) {
    TComPtr<ISections> root, item;
    EXPECT_EQ(control->get_Sections(root.Put()), S_OK);
    if (root) {
        EXPECT_EQ(root->get_Items(index, item.Put()), S_OK);
    }
    return item;
}

} // namespace

TComPtr<IClassFactory> ModuleFactory(REFCLSID classId) {
    TComPtr<IClassFactory> factory;
    EXPECT_EQ(Module().GetClassObject(classId, IID_IClassFactory,
                                      reinterpret_cast<void**>(factory.Put())),
              S_OK);
    return factory;
}

TComPtr<IPropertyPage> NewPage() {
    TComPtr<IPropertyPage> page;
    EXPECT_EQ(
        ModuleFactory(PageClassId)
            ->CreateInstance(nullptr, IID_IPropertyPage, reinterpret_cast<void**>(page.Put())),
        S_OK);
    return page;
}

TComPtr<ICorvane> NewControl() {
    TComPtr<ICorvane> control;
    EXPECT_EQ(ModuleFactory(CLSID_Corvane)
                  ->CreateInstance(nullptr, IID_ICorvane, reinterpret_cast<void**>(control.Put())),
              S_OK);
    return control;
}

LONG HeaderTokenOf(IUnknown* control) {
    TComPtr<IDispatch> dispatch;
    control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Put()));
    OLECHAR name[] = L"Header";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    DISPPARAMS none{};
    VARIANT value;
    ::VariantInit(&value);
    EXPECT_EQ(
        dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr),
        S_OK);
    EXPECT_EQ(value.vt, VT_I4);
    return value.lVal;
}

std::string SectionCaption(ICorvane* control, long index) {
    TBstr caption;
    const TComPtr<ISections> section = Section(control, index);
    if (!section)
        return "<none>";
    EXPECT_EQ(section->get_Caption(caption.Put()), S_OK);
    return BstrToText(caption.Get());
}

long SectionWidth(ICorvane* control, long index) {
    long width = -1;
    const TComPtr<ISections> section = Section(control, index);
    if (section) {
        EXPECT_EQ(section->get_Width(&width), S_OK);
    }
    return width;
}

void SetSectionCaption(ICorvane* control, long index, const std::string& caption) {
    const TBstr text = TextToBstr(caption);
    const TComPtr<ISections> section = Section(control, index);
    if (section) {
        EXPECT_EQ(section->put_Caption(text.Get()), S_OK);
    }
}

// --- FrameWindow ---------------------------------------------------------------------

namespace {

// One window serves every test: Wine waits for a window manager whenever a
// top-level window is destroyed.
HWND SharedFrame() {
    static const HWND window = ::CreateWindowExA(
        WS_EX_CONTROLPARENT, "STATIC", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
        30, 30, 520, 420, nullptr, nullptr, nullptr, nullptr);
    return window;
}

} // namespace

FrameWindow::FrameWindow() : window_(SharedFrame()) {}

FrameWindow::~FrameWindow() = default;

HWND FrameWindow::PageWindow() const {
    return ::FindWindowExA(window_, nullptr, "CorvanePropertyPageForm", nullptr);
}

// --- PageSite, NotifySink --------------------------------------------------------------

HRESULT STDMETHODCALLTYPE PageSite::QueryInterface(REFIID riid, void** object) {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyPageSite)) {
        *object = static_cast<IPropertyPageSite*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE PageSite::GetLocaleID(LCID* locale) {
    *locale = LOCALE_USER_DEFAULT;
    return S_OK;
}

NotifySink::NotifySink(IUnknown* control) {
    TComPtr<IConnectionPointContainer> container;
    EXPECT_EQ(control->QueryInterface(IID_IConnectionPointContainer,
                                      reinterpret_cast<void**>(container.Put())),
              S_OK);
    EXPECT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, point_.Put()), S_OK);
    EXPECT_EQ(point_->Advise(static_cast<IPropertyNotifySink*>(this), &cookie_), S_OK);
}

NotifySink::~NotifySink() {
    Unadvise();
}

void NotifySink::Unadvise() {
    if (point_) {
        EXPECT_EQ(point_->Unadvise(cookie_), S_OK);
    }
    point_.Reset();
}

HRESULT STDMETHODCALLTYPE NotifySink::QueryInterface(REFIID riid, void** object) {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyNotifySink)) {
        *object = static_cast<IPropertyNotifySink*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// --- ForeignObject ---------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE ForeignObject::QueryInterface(REFIID riid, void** object) {
    if (IsEqualIID(riid, IID_IUnknown) ||
        (kind_ != Kind::NoDispatch && IsEqualIID(riid, IID_IDispatch))) {
        *object = static_cast<IDispatch*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE ForeignObject::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ForeignObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                                       DISPID* ids) {
    if (kind_ == Kind::NoHeader || count != 1 || ::lstrcmpiW(names[0], L"Header") != 0) {
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    ids[0] = 7;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ForeignObject::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*,
                                                VARIANT* result, EXCEPINFO*, UINT*) {
    if (id != 7)
        return DISP_E_MEMBERNOTFOUND;
    if (kind_ == Kind::HeaderFails)
        return E_ACCESSDENIED;
    ::VariantInit(result);
    if (kind_ == Kind::HeaderAsText) {
        result->vt = VT_BSTR;
        result->bstrVal = ::SysAllocString(L"1");
    } else {
        result->vt = VT_I4;
        result->lVal = number_;
    }
    return S_OK;
}

// --- Helpers -----------------------------------------------------------------------------

void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

std::string LastErrorDescription() {
    TComPtr<IErrorInfo> error;
    if (::GetErrorInfo(0, error.Put()) != S_OK || !error)
        return {};
    TBstr text;
    error->GetDescription(text.Put());
    return BstrToText(text.Get());
}

} // namespace corvane::server::testing

// What a host may ask of the control object's interfaces, including the
// answers to NULL and unsupported arguments.
#include "TestHost.h"

#include "core/framework/Exceptions.h"
#include "server/control/CorvaneCreate.h"

#include <objsafe.h>
#include <olectl.h>

namespace corvane::server::test {
namespace {

using InterfacesTest = ControlTest;

TEST_F(InterfacesTest, OffersTheEmbeddingInterfacesAndRefusesSimpleFrame) {
    const struct {
        const char* Name;
        IID Iid;
        HRESULT Expected;
    } cases[] = {
        {"IUnknown", IID_IUnknown, S_OK},
        {"IDispatch", IID_IDispatch, S_OK},
        {"ICorvane", IID_ICorvane, S_OK},
        {"IOleObject", IID_IOleObject, S_OK},
        {"IOleControl", IID_IOleControl, S_OK},
        {"IOleInPlaceObject", IID_IOleInPlaceObject, S_OK},
        {"IOleInPlaceActiveObject", IID_IOleInPlaceActiveObject, S_OK},
        {"IViewObject", IID_IViewObject, S_OK},
        {"IViewObject2", IID_IViewObject2, S_OK},
        {"IDataObject", IID_IDataObject, S_OK},
        {"IProvideClassInfo", IID_IProvideClassInfo, S_OK},
        {"IProvideClassInfo2", IID_IProvideClassInfo2, S_OK},
        {"ISpecifyPropertyPages", IID_ISpecifyPropertyPages, S_OK},
        {"IPerPropertyBrowsing", IID_IPerPropertyBrowsing, S_OK},
        {"IQuickActivate", IID_IQuickActivate, S_OK},
        {"IObjectSafety", IID_IObjectSafety, S_OK},
        {"ISupportErrorInfo", IID_ISupportErrorInfo, S_OK},
        {"IPersistStreamInit", IID_IPersistStreamInit, S_OK},
        {"IPersistStorage", IID_IPersistStorage, S_OK},
        {"IPersistPropertyBag", IID_IPersistPropertyBag, S_OK},
        {"IConnectionPointContainer", IID_IConnectionPointContainer, S_OK},
        {"ISimpleFrameSite", IID_ISimpleFrameSite, E_NOINTERFACE},
        {"IPersistFile", IID_IPersistFile, E_NOINTERFACE},
        {"ISections", IID_ISections, E_NOINTERFACE},
    };
    auto control = NewControl();
    for (const auto& c : cases) {
        TComPtr<IUnknown> found;
        EXPECT_EQ(c.Expected, control->QueryInterface(c.Iid, reinterpret_cast<void**>(found.Put())))
            << c.Name;
        EXPECT_EQ(c.Expected == S_OK, static_cast<bool>(found)) << c.Name;
    }
    // Every interface leads back to one identity.
    auto viaView =
        Query<IUnknown>(Query<IViewObject2>(control.Get(), IID_IViewObject2).Get(), IID_IUnknown);
    auto viaDispatch = Query<IUnknown>(control.Get(), IID_IUnknown);
    EXPECT_EQ(viaView.Get(), viaDispatch.Get());
}

TEST_F(InterfacesTest, NullOutPointersAreRefused) {
    auto control = NewControl();
    IUnknown* u = control.Get();
    auto ole = Query<IOleObject>(u, IID_IOleObject);
    auto inPlace = Query<IOleInPlaceObject>(u, IID_IOleInPlaceObject);
    auto view = Query<IViewObject2>(u, IID_IViewObject2);
    auto data = Query<IDataObject>(u, IID_IDataObject);
    auto info = Query<IProvideClassInfo2>(u, IID_IProvideClassInfo2);
    auto pages = Query<ISpecifyPropertyPages>(u, IID_ISpecifyPropertyPages);
    auto browse = Query<IPerPropertyBrowsing>(u, IID_IPerPropertyBrowsing);
    auto quick = Query<IQuickActivate>(u, IID_IQuickActivate);
    auto safety = Query<IObjectSafety>(u, IID_IObjectSafety);
    auto stream = Query<IPersistStreamInit>(u, IID_IPersistStreamInit);
    auto storage = Query<IPersistStorage>(u, IID_IPersistStorage);
    auto bag = Query<IPersistPropertyBag>(u, IID_IPersistPropertyBag);
    auto points = Query<IConnectionPointContainer>(u, IID_IConnectionPointContainer);
    auto oleControl = Query<IOleControl>(u, IID_IOleControl);
    DWORD dw = 0;
    const struct {
        const char* Call;
        std::function<HRESULT()> Run;
        HRESULT Expected;
    } cases[] = {
        {"QueryInterface", [&] { return u->QueryInterface(IID_IUnknown, nullptr); }, E_POINTER},
        {"GetClientSite", [&] { return ole->GetClientSite(nullptr); }, E_POINTER},
        {"EnumVerbs", [&] { return ole->EnumVerbs(nullptr); }, E_POINTER},
        {"GetUserClassID", [&] { return ole->GetUserClassID(nullptr); }, E_POINTER},
        {"GetExtent", [&] { return ole->GetExtent(DVASPECT_CONTENT, nullptr); }, E_POINTER},
        {"SetExtent", [&] { return ole->SetExtent(DVASPECT_CONTENT, nullptr); }, E_POINTER},
        {"GetMiscStatus", [&] { return ole->GetMiscStatus(DVASPECT_CONTENT, nullptr); }, E_POINTER},
        {"Advise", [&] { return ole->Advise(nullptr, nullptr); }, E_POINTER},
        {"GetWindow", [&] { return inPlace->GetWindow(nullptr); }, E_POINTER},
        {"SetObjectRects", [&] { return inPlace->SetObjectRects(nullptr, nullptr); }, E_POINTER},
        {"Draw without DC",
         [&] {
             RECTL r{0, 0, 10, 10};
             return view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, nullptr, &r,
                               nullptr, nullptr, 0);
         },
         E_INVALIDARG},
        {"Draw icon aspect",
         [&] {
             return view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, 0);
         },
         DV_E_DVASPECT},
        {"View GetExtent", [&] { return view->GetExtent(DVASPECT_CONTENT, -1, nullptr, nullptr); },
         E_POINTER},
        {"GetData", [&] { return data->GetData(nullptr, nullptr); }, E_INVALIDARG},
        {"EnumFormatEtc", [&] { return data->EnumFormatEtc(DATADIR_GET, nullptr); }, E_POINTER},
        {"DAdvise", [&] { return data->DAdvise(nullptr, 0, nullptr, &dw); },
         OLE_E_ADVISENOTSUPPORTED},
        {"GetClassInfo", [&] { return info->GetClassInfo(nullptr); }, E_POINTER},
        {"GetGUID", [&] { return info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, nullptr); },
         E_POINTER},
        {"GetPages", [&] { return pages->GetPages(nullptr); }, E_POINTER},
        {"MapPropertyToPage", [&] { return browse->MapPropertyToPage(-501, nullptr); }, E_POINTER},
        {"QuickActivate", [&] { return quick->QuickActivate(nullptr, nullptr); }, E_POINTER},
        {"GetInterfaceSafetyOptions",
         [&] { return safety->GetInterfaceSafetyOptions(IID_IDispatch, nullptr, &dw); }, E_POINTER},
        {"GetClassID", [&] { return stream->GetClassID(nullptr); }, E_POINTER},
        {"Stream Load", [&] { return stream->Load(static_cast<IStream*>(nullptr)); }, E_POINTER},
        {"Stream Save", [&] { return stream->Save(static_cast<IStream*>(nullptr), TRUE); },
         E_POINTER},
        {"GetSizeMax", [&] { return stream->GetSizeMax(nullptr); }, E_POINTER},
        {"Storage Load", [&] { return storage->Load(static_cast<IStorage*>(nullptr)); }, E_POINTER},
        {"Bag Load", [&] { return bag->Load(static_cast<IPropertyBag*>(nullptr), nullptr); },
         E_POINTER},
        {"FindConnectionPoint", [&] { return points->FindConnectionPoint(IID_IDispatch, nullptr); },
         E_POINTER},
        {"GetControlInfo", [&] { return oleControl->GetControlInfo(nullptr); }, E_POINTER},
        {"GetTypeInfoCount", [&] { return control->GetTypeInfoCount(nullptr); }, E_POINTER},
        {"get_Color", [&] { return control->get_Color(nullptr); }, E_POINTER},
        {"get_Font", [&] { return control->get_Font(nullptr); }, E_POINTER},
        {"get_Sections", [&] { return control->get_Sections(nullptr); }, E_POINTER},
        {"ClassNameIs", [&] { return control->ClassNameIs(nullptr, nullptr); }, E_POINTER},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Expected, c.Run()) << c.Call;
}

TEST_F(InterfacesTest, UnneededServicesAreHonestlyRefused) {
    auto control = NewControl();
    auto ole = Query<IOleObject>(control.Get(), IID_IOleObject);
    auto data = Query<IDataObject>(control.Get(), IID_IDataObject);
    auto points = Query<IConnectionPointContainer>(control.Get(), IID_IConnectionPointContainer);
    FORMATETC format{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    TComPtr<IConnectionPoint> point;
    EXPECT_EQ(E_NOTIMPL, ole->SetMoniker(OLEWHICHMK_OBJREL, nullptr));
    EXPECT_EQ(DV_E_FORMATETC, data->QueryGetData(&format));
    EXPECT_EQ(DV_E_FORMATETC, data->GetData(&format, &medium));
    EXPECT_EQ(E_NOTIMPL, data->SetData(&format, &medium, FALSE));
    EXPECT_EQ(CONNECT_E_NOCONNECTION, points->FindConnectionPoint(IID_IDispatch, point.Put()));
    EXPECT_FALSE(point);
}

TEST_F(InterfacesTest, ClassInformationNamesTheEventInterface) {
    auto control = NewControl();
    auto info = Query<IProvideClassInfo2>(control.Get(), IID_IProvideClassInfo2);
    GUID events{};
    EXPECT_EQ(S_OK, info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events));
    EXPECT_TRUE(IsEqualGUID(DIID_ICorvaneEvents, events));
    EXPECT_EQ(E_INVALIDARG, info->GetGUID(12345, &events));
    TComPtr<ITypeInfo> classInfo;
    ASSERT_EQ(S_OK, info->GetClassInfo(classInfo.Put()));
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(S_OK, classInfo->GetTypeAttr(&attr));
    EXPECT_EQ(TKIND_COCLASS, attr->typekind);
    EXPECT_TRUE(IsEqualGUID(CLSID_Corvane, attr->guid));
    classInfo->ReleaseTypeAttr(attr);

    auto pages = Query<ISpecifyPropertyPages>(control.Get(), IID_ISpecifyPropertyPages);
    CAUUID list{7, reinterpret_cast<GUID*>(1)};
    EXPECT_EQ(S_OK, pages->GetPages(&list));
    EXPECT_EQ(0u, list.cElems);
    EXPECT_EQ(nullptr, list.pElems);

    auto ole = Query<IOleObject>(control.Get(), IID_IOleObject);
    DWORD status = 0;
    EXPECT_EQ(S_OK, ole->GetMiscStatus(DVASPECT_CONTENT, &status));
    EXPECT_EQ(0x20191u, status);
}

TEST_F(InterfacesTest, ObjectSafetyHoldsOneMaskedSettingForSupportedInterfaces) {
    auto control = NewControl();
    auto safety = Query<IObjectSafety>(control.Get(), IID_IObjectSafety);
    DWORD supported = 99, enabled = 99;
    EXPECT_EQ(S_OK, safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled));
    EXPECT_EQ(3u, supported);
    EXPECT_EQ(0u, enabled);

    const struct {
        DWORD Mask, Enabled;
        HRESULT Result;
        DWORD Expected;
    } settings[] = {
        {3, 3, S_OK, 3},         // both on
        {1, 3, S_OK, 1},         // the host's mask limits what is stored
        {3, 0xF2, S_OK, 2},      // enabled bits outside the mask are not looked at
        {0xFF, 0xF3, E_FAIL, 2}, // options we do not support: refused, nothing stored
        {INTERFACE_USES_DISPEX, INTERFACE_USES_DISPEX, E_FAIL, 2},
        {INTERFACE_USES_SECURITY_MANAGER | 1, 0, E_FAIL, 2},
        {3, 0, S_OK, 0},
    };
    for (const auto& s : settings) {
        // Set through one interface, read through another: one value per object.
        EXPECT_EQ(s.Result,
                  safety->SetInterfaceSafetyOptions(IID_IPersistPropertyBag, s.Mask, s.Enabled))
            << "mask " << s.Mask << " enabled " << s.Enabled;
        EXPECT_EQ(S_OK, safety->GetInterfaceSafetyOptions(IID_ICorvane, &supported, &enabled));
        EXPECT_EQ(s.Expected, enabled) << "mask " << s.Mask << " enabled " << s.Enabled;
    }
    // An interface the object lacks: both words 0, the query's failure.
    EXPECT_EQ(E_NOINTERFACE,
              safety->GetInterfaceSafetyOptions(IID_IPersistFile, &supported, &enabled));
    EXPECT_EQ(0u, supported);
    EXPECT_EQ(0u, enabled);
    EXPECT_EQ(E_NOINTERFACE, safety->SetInterfaceSafetyOptions(IID_IPersistFile, 3, 3));
}

TEST_F(InterfacesTest, ATypeLibraryWithoutTheClassStopsCreationWithItsMessage) {
    TComPtr<ITypeLib> foreign; // the OLE standard types: no Corvane in it
    ASSERT_EQ(S_OK, ::LoadRegTypeLib(IID_StdOle, 2, 0, 0, foreign.Put()));
    try {
        delete new TCorvane(*foreign.Get());
        ADD_FAILURE() << "created without type information";
    } catch (const corvane::Exception& e) {
        EXPECT_STREQ("Type information missing for class TCorvane", e.what());
    }
}

TEST_F(InterfacesTest, CreationRefusesAggregation) {
    TComPtr<IUnknown> outer(NewControl().Get());
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_NOAGGREGATION, CreateCorvane(outer.Get(), IID_IUnknown, &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(E_POINTER, CreateCorvane(nullptr, IID_IUnknown, nullptr));
    EXPECT_EQ(E_NOINTERFACE, CreateCorvane(nullptr, IID_IPersistFile, &object));
}

} // namespace
} // namespace corvane::server::test

// Calls from a thread other than the control's own: every interface of the
// control object answers RPC_E_WRONG_THREAD, as a proxy would, and changes
// nothing; a last release there hands the control back to its own thread,
// which frees it.
#include "TestHost.h"

#include "core/model/HeaderColumns.h"
#include "server/ModuleCounts.h"

#include <olectl.h>

#include <thread>

namespace corvane::server::test {
namespace {

// What a host holds of one control, all taken on the control's thread.
struct Interfaces {
    TComPtr<ICorvane> Corvane;
    TComPtr<IOleObject> Ole;
    TComPtr<IOleInPlaceObject> InPlace;
    TComPtr<IOleInPlaceActiveObject> Active;
    TComPtr<IOleControl> Control;
    TComPtr<IViewObject2> View;
    TComPtr<IDataObject> Data;
    TComPtr<IProvideClassInfo2> ClassInfo;
    TComPtr<ISpecifyPropertyPages> Pages;
    TComPtr<IPerPropertyBrowsing> Browsing;
    TComPtr<IQuickActivate> Quick;
    TComPtr<IObjectSafety> Safety;
    TComPtr<ISupportErrorInfo> ErrorInfo;
    TComPtr<IPersistStreamInit> Stream;
    TComPtr<IPersistStorage> Storage;
    TComPtr<IPersistPropertyBag> Bag;
    TComPtr<IConnectionPointContainer> Points;
    TComPtr<IConnectionPoint> Events;
    // A document of another control (another tree, another colour).
    TComPtr<IStream> Document;
    MemoryBag Values;
    EventSink OtherSink;
};

struct ThreadCall {
    Interfaces* Target;
    HRESULT (*Call)(Interfaces& i);
    HRESULT Result = E_FAIL;
};

DWORD WINAPI RunThreadCall(void* context) {
    auto* call = static_cast<ThreadCall*>(context);
    call->Result = call->Call(*call->Target);
    return 0;
}

// Runs the call on a new thread while this one pumps its messages, as a
// host's user-interface thread would. A call that has not returned after
// ten seconds fails the test; WM_QUIT then ends any loop it is stuck in.
HRESULT OnOtherThread(HRESULT (*call)(Interfaces& i), Interfaces& target) {
    ThreadCall work{&target, call};
    DWORD id = 0;
    const HANDLE thread = ::CreateThread(nullptr, 0, &RunThreadCall, &work, 0, &id);
    const DWORD deadline = ::GetTickCount() + 10000;
    for (;;) {
        const DWORD now = ::GetTickCount();
        const DWORD wait = now < deadline ? deadline - now : 0;
        if (::MsgWaitForMultipleObjects(1, &thread, FALSE, wait, QS_ALLINPUT) != WAIT_OBJECT_0 + 1)
            break;
        PumpMessages();
    }
    if (::WaitForSingleObject(thread, 0) == WAIT_TIMEOUT) {
        ADD_FAILURE() << "the call did not return";
        ::PostThreadMessageA(id, WM_QUIT, 0, 0);
        ::WaitForSingleObject(thread, 5000);
    }
    ::CloseHandle(thread);
    return work.Result;
}

struct ForeignCall {
    const char* Name;
    HRESULT (*Call)(Interfaces& i);
};

const ForeignCall ForeignCalls[] = {
    {"ICorvane_put_Color", [](Interfaces& i) { return i.Corvane->put_Color(0x123456); }},
    {"ICorvane_get_Sections",
     [](Interfaces& i) {
         TComPtr<ISections> sections;
         return i.Corvane->get_Sections(sections.Put());
     }},
    {"ICorvane_Customize", [](Interfaces& i) { return i.Corvane->Customize(); }},
    {"IDispatch_Invoke",
     [](Interfaces& i) {
         TVariant value;
         DISPPARAMS none{};
         return i.Corvane->Invoke(DISPID_BACKCOLOR, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                  &value, nullptr, nullptr);
     }},
    {"IOleObject_SetClientSite", [](Interfaces& i) { return i.Ole->SetClientSite(nullptr); }},
    {"IOleObject_DoVerb",
     [](Interfaces& i) {
         return i.Ole->DoVerb(OLEIVERB_HIDE, nullptr, nullptr, 0, nullptr, nullptr);
     }},
    {"IOleObject_Close", [](Interfaces& i) { return i.Ole->Close(OLECLOSE_NOSAVE); }},
    {"IOleObject_SetExtent",
     [](Interfaces& i) {
         SIZEL size{5000, 2000};
         return i.Ole->SetExtent(DVASPECT_CONTENT, &size);
     }},
    {"IOleInPlaceObject_SetObjectRects",
     [](Interfaces& i) {
         const RECT r{1, 2, 301, 42};
         return i.InPlace->SetObjectRects(&r, &r);
     }},
    {"IOleInPlaceActiveObject_OnFrameWindowActivate",
     [](Interfaces& i) { return i.Active->OnFrameWindowActivate(TRUE); }},
    {"IOleControl_FreezeEvents", [](Interfaces& i) { return i.Control->FreezeEvents(TRUE); }},
    {"IViewObject2_SetAdvise",
     [](Interfaces& i) { return i.View->SetAdvise(DVASPECT_CONTENT, 0, nullptr); }},
    {"IDataObject_QueryGetData",
     [](Interfaces& i) {
         FORMATETC format{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
         return i.Data->QueryGetData(&format);
     }},
    {"IProvideClassInfo2_GetGUID",
     [](Interfaces& i) {
         GUID guid{};
         return i.ClassInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &guid);
     }},
    {"ISpecifyPropertyPages_GetPages",
     [](Interfaces& i) {
         CAUUID pages{};
         return i.Pages->GetPages(&pages);
     }},
    {"IPerPropertyBrowsing_MapPropertyToPage",
     [](Interfaces& i) {
         CLSID page{};
         return i.Browsing->MapPropertyToPage(DISPID_BACKCOLOR, &page);
     }},
    {"IQuickActivate_SetContentExtent",
     [](Interfaces& i) {
         SIZEL size{5000, 2000};
         return i.Quick->SetContentExtent(&size);
     }},
    {"IObjectSafety_SetInterfaceSafetyOptions",
     [](Interfaces& i) { return i.Safety->SetInterfaceSafetyOptions(IID_IDispatch, 3, 3); }},
    {"ISupportErrorInfo_InterfaceSupportsErrorInfo",
     [](Interfaces& i) { return i.ErrorInfo->InterfaceSupportsErrorInfo(IID_ICorvane); }},
    {"IPersistStreamInit_Load", [](Interfaces& i) { return i.Stream->Load(i.Document.Get()); }},
    {"IPersistStreamInit_IsDirty", [](Interfaces& i) { return i.Stream->IsDirty(); }},
    {"IPersistStorage_HandsOffStorage", [](Interfaces& i) { return i.Storage->HandsOffStorage(); }},
    {"IPersistPropertyBag_Load", [](Interfaces& i) { return i.Bag->Load(&i.Values, nullptr); }},
    {"IConnectionPointContainer_FindConnectionPoint",
     [](Interfaces& i) {
         TComPtr<IConnectionPoint> point;
         return i.Points->FindConnectionPoint(DIID_ICorvaneEvents, point.Put());
     }},
    {"IConnectionPoint_Advise",
     [](Interfaces& i) {
         DWORD cookie = 0;
         return i.Events->Advise(&i.OtherSink, &cookie);
     }},
    {"IConnectionPoint_Unadvise", [](Interfaces& i) { return i.Events->Unadvise(1); }},
};

class ForeignThreadTest : public ControlTest, public ::testing::WithParamInterface<ForeignCall> {
protected:
    void SetUp() override {
        i.Corvane = NewControl();
        IUnknown* c = i.Corvane.Get();
        i.Ole = Query<IOleObject>(c, IID_IOleObject);
        i.InPlace = Query<IOleInPlaceObject>(c, IID_IOleInPlaceObject);
        i.Active = Query<IOleInPlaceActiveObject>(c, IID_IOleInPlaceActiveObject);
        i.Control = Query<IOleControl>(c, IID_IOleControl);
        i.View = Query<IViewObject2>(c, IID_IViewObject2);
        i.Data = Query<IDataObject>(c, IID_IDataObject);
        i.ClassInfo = Query<IProvideClassInfo2>(c, IID_IProvideClassInfo2);
        i.Pages = Query<ISpecifyPropertyPages>(c, IID_ISpecifyPropertyPages);
        i.Browsing = Query<IPerPropertyBrowsing>(c, IID_IPerPropertyBrowsing);
        i.Quick = Query<IQuickActivate>(c, IID_IQuickActivate);
        i.Safety = Query<IObjectSafety>(c, IID_IObjectSafety);
        i.ErrorInfo = Query<ISupportErrorInfo>(c, IID_ISupportErrorInfo);
        i.Stream = Query<IPersistStreamInit>(c, IID_IPersistStreamInit);
        i.Storage = Query<IPersistStorage>(c, IID_IPersistStorage);
        i.Bag = Query<IPersistPropertyBag>(c, IID_IPersistPropertyBag);
        i.Points = Query<IConnectionPointContainer>(c, IID_IConnectionPointContainer);
        ASSERT_EQ(S_OK, i.Points->FindConnectionPoint(DIID_ICorvaneEvents, i.Events.Put()));
        ASSERT_EQ(S_OK, i.Events->Advise(&sink, &cookie));
        i.Values.Values[L"Color"] = L"255";

        auto other = NewControl();
        THeaderColumns* root = Object(other.Get()).HeaderControl().Sections();
        for (const char* caption : {"One", "Two", "Three"})
            root->Items(0)->Add(caption);
        root->Add("Four");
        other->put_Color(0x00FF00);
        const std::vector<uint8_t> document = SaveToBytes(other.Get());
        ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, i.Document.Put()));
        i.Document->Write(document.data(), static_cast<ULONG>(document.size()), nullptr);
        const LARGE_INTEGER start{};
        i.Document->Seek(start, STREAM_SEEK_SET, nullptr);
        before = SaveToBytes(i.Corvane.Get());
    }
    void TearDown() override {
        i.Events->Unadvise(cookie);
        i = Interfaces{};
        ControlTest::TearDown();
    }

    Interfaces i;
    EventSink sink;
    DWORD cookie = 0;
    std::vector<uint8_t> before;
};

TEST_P(ForeignThreadTest, IsRefusedAndChangesNothing) {
    EXPECT_EQ(RPC_E_WRONG_THREAD, OnOtherThread(GetParam().Call, i));

    // The control is as it was: its state, its sink, events not frozen,
    // its safety options.
    EXPECT_EQ(before, SaveToBytes(i.Corvane.Get()));
    sink.Events.clear();
    EXPECT_EQ(S_OK, i.Corvane->BeforeApply());
    EXPECT_EQ(1u, sink.Events.size()) << "events still reach the host's sink";
    DWORD supported = 0, enabled = 0;
    EXPECT_EQ(S_OK, i.Safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled));
    EXPECT_EQ(0u, enabled);
    EXPECT_EQ(1, i.OtherSink.References) << "no second sink was connected";
}

INSTANTIATE_TEST_SUITE_P(EveryInterface, ForeignThreadTest, ::testing::ValuesIn(ForeignCalls),
                         [](const ::testing::TestParamInfo<ForeignCall>& param) {
                             return std::string(param.param.Name);
                         });

using ForeignReleaseTest = ControlTest;

TEST_F(ForeignReleaseTest, LastReleaseOnAnotherThreadFreesTheControlOnItsOwnThread) {
    auto control = NewControl();
    THeaderColumns* root = Object(control.Get()).HeaderControl().Sections();
    for (const char* caption : {"One", "Two"})
        root->Items(0)->Add(caption)->Add(caption);
    ICorvane* last = control.Detach();
    std::thread other([last] { last->Release(); });
    other.join();
    EXPECT_EQ(1, ObjectCount()) << "not freed on the other thread";
    PumpMessages();
    EXPECT_EQ(0, ObjectCount()) << "freed by its own thread's message loop";
}

} // namespace
} // namespace corvane::server::test

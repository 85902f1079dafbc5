// Calls from a thread other than the control's own: every interface of the
// control object answers RPC_E_WRONG_THREAD, as a proxy would, and changes
// nothing; a last release there hands the control back to its own thread,
// which frees it.
#include "TestHost.h"

#include "core/model/HeaderColumns.h"
#include "server/ModuleCounts.h"

#include <oleacc.h>
#include <olectl.h>

#include <thread>

namespace corvane::server::test {
namespace {

// What the calls need besides the control (made on the control's thread).
struct Target {
    TComPtr<ICorvane> Control;
    TComPtr<IConnectionPoint> Events; // the host's sink is connected there
    TComPtr<IStream> Document;        // another control's: another tree, another colour
    TComPtr<IAccessible> Accessible;  // the object itself, as WM_GETOBJECT gives it
    TComPtr<ISections> Root, First;   // its sections, and the first one
    MemoryBag Values;
    EventSink OtherSink;
};

template <class T> TComPtr<T> As(Target& t, REFIID iid) {
    return Query<T>(t.Control.Get(), iid); // QueryInterface and AddRef work from any thread
}

using ForeignCall = HRESULT (*)(Target& t);

const std::pair<const char*, ForeignCall> ForeignCalls[] = {
    {"ICorvane_put_Color", [](Target& t) { return t.Control->put_Color(0x123456); }},
    {"ICorvane_get_Sections",
     [](Target& t) {
         TComPtr<ISections> sections;
         return t.Control->get_Sections(sections.Put());
     }},
    {"ICorvane_Customize", [](Target& t) { return t.Control->Customize(); }},
    {"IDispatch_Invoke",
     [](Target& t) {
         TVariant value;
         DISPPARAMS none{};
         return t.Control->Invoke(DISPID_BACKCOLOR, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                  &value, nullptr, nullptr);
     }},
    {"IOleObject_SetClientSite",
     [](Target& t) { return As<IOleObject>(t, IID_IOleObject)->SetClientSite(nullptr); }},
    {"IOleObject_DoVerb",
     [](Target& t) {
         return As<IOleObject>(t, IID_IOleObject)
             ->DoVerb(OLEIVERB_HIDE, nullptr, nullptr, 0, nullptr, nullptr);
     }},
    {"IOleObject_SetExtent",
     [](Target& t) {
         SIZEL size{5000, 2000};
         return As<IOleObject>(t, IID_IOleObject)->SetExtent(DVASPECT_CONTENT, &size);
     }},
    {"IOleInPlaceObject_SetObjectRects",
     [](Target& t) {
         const RECT r{1, 2, 301, 42};
         return As<IOleInPlaceObject>(t, IID_IOleInPlaceObject)->SetObjectRects(&r, &r);
     }},
    {"IOleInPlaceActiveObject_OnFrameWindowActivate",
     [](Target& t) {
         return As<IOleInPlaceActiveObject>(t, IID_IOleInPlaceActiveObject)
             ->OnFrameWindowActivate(TRUE);
     }},
    {"IOleControl_FreezeEvents",
     [](Target& t) { return As<IOleControl>(t, IID_IOleControl)->FreezeEvents(TRUE); }},
    {"IViewObject2_SetAdvise",
     [](Target& t) {
         return As<IViewObject2>(t, IID_IViewObject2)->SetAdvise(DVASPECT_CONTENT, 0, nullptr);
     }},
    {"IDataObject_QueryGetData",
     [](Target& t) {
         FORMATETC format{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
         return As<IDataObject>(t, IID_IDataObject)->QueryGetData(&format);
     }},
    {"IProvideClassInfo2_GetGUID",
     [](Target& t) {
         GUID guid{};
         return As<IProvideClassInfo2>(t, IID_IProvideClassInfo2)
             ->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &guid);
     }},
    {"ISpecifyPropertyPages_GetPages",
     [](Target& t) {
         CAUUID pages{};
         return As<ISpecifyPropertyPages>(t, IID_ISpecifyPropertyPages)->GetPages(&pages);
     }},
    {"IPerPropertyBrowsing_MapPropertyToPage",
     [](Target& t) {
         CLSID page{};
         return As<IPerPropertyBrowsing>(t, IID_IPerPropertyBrowsing)
             ->MapPropertyToPage(DISPID_BACKCOLOR, &page);
     }},
    {"IQuickActivate_SetContentExtent",
     [](Target& t) {
         SIZEL size{5000, 2000};
         return As<IQuickActivate>(t, IID_IQuickActivate)->SetContentExtent(&size);
     }},
    {"IObjectSafety_SetInterfaceSafetyOptions",
     [](Target& t) {
         return As<IObjectSafety>(t, IID_IObjectSafety)
             ->SetInterfaceSafetyOptions(IID_IDispatch, 3, 3);
     }},
    {"ISupportErrorInfo_InterfaceSupportsErrorInfo",
     [](Target& t) {
         return As<ISupportErrorInfo>(t, IID_ISupportErrorInfo)
             ->InterfaceSupportsErrorInfo(IID_ICorvane);
     }},
    {"IPersistStreamInit_Load",
     [](Target& t) {
         return As<IPersistStreamInit>(t, IID_IPersistStreamInit)->Load(t.Document.Get());
     }},
    {"IPersistStorage_HandsOffStorage",
     [](Target& t) { return As<IPersistStorage>(t, IID_IPersistStorage)->HandsOffStorage(); }},
    {"IPersistPropertyBag_Load",
     [](Target& t) {
         return As<IPersistPropertyBag>(t, IID_IPersistPropertyBag)->Load(&t.Values, nullptr);
     }},
    {"IConnectionPointContainer_FindConnectionPoint",
     [](Target& t) {
         TComPtr<IConnectionPoint> point;
         return As<IConnectionPointContainer>(t, IID_IConnectionPointContainer)
             ->FindConnectionPoint(DIID_ICorvaneEvents, point.Put());
     }},
    {"IConnectionPoint_Advise",
     [](Target& t) {
         DWORD cookie = 0;
         return t.Events->Advise(&t.OtherSink, &cookie);
     }},
    {"IConnectionPoint_Unadvise", [](Target& t) { return t.Events->Unadvise(1); }},
    {"IAccessible_get_accChildCount",
     [](Target& t) {
         long count = 0;
         return t.Accessible->get_accChildCount(&count);
     }},
    {"ISections_IsParent",
     [](Target& t) {
         VARIANT_BOOL answer = 0;
         return t.Root->IsParent(t.First.Get(), &answer);
     }},
    {"ISections_DeleteItem", [](Target& t) { return t.Root->DeleteItem(t.First.Get()); }},
    {"ISections_put_Parent", [](Target& t) { return t.First->put_Parent(t.First.Get()); }},
    {"ISections_put_Items", [](Target& t) { return t.Root->put_Items(0, t.First.Get()); }},
    {"ISections_GetIDsOfNames",
     [](Target& t) {
         OLECHAR name[] = L"Caption";
         LPOLESTR names[] = {name};
         DISPID dispid = 0;
         return t.Root->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid);
     }},
};

struct ThreadCall {
    ForeignCall Call;
    Target* On;
    HRESULT Result = E_FAIL;
};

DWORD WINAPI RunThreadCall(void* context) {
    auto* work = static_cast<ThreadCall*>(context);
    work->Result = work->Call(*work->On);
    return 0;
}

// Runs the call on a new thread while this one pumps its messages, as a
// host's user-interface thread would. A call that has not returned after
// ten seconds fails the test; WM_QUIT then ends any loop it is stuck in.
HRESULT OnOtherThread(ForeignCall call, Target& target) {
    ThreadCall work{call, &target};
    DWORD id = 0;
    const HANDLE thread = ::CreateThread(nullptr, 0, &RunThreadCall, &work, 0, &id);
    const DWORD deadline = ::GetTickCount() + 10000;
    for (DWORD now = ::GetTickCount(); now < deadline; now = ::GetTickCount()) {
        if (::MsgWaitForMultipleObjects(1, &thread, FALSE, deadline - now, QS_ALLINPUT) !=
            WAIT_OBJECT_0 + 1)
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

class ForeignThreadTest
    : public ControlTest,
      public ::testing::WithParamInterface<std::pair<const char*, ForeignCall>> {
protected:
    void SetUp() override {
        t.Control = NewControl();
        auto points =
            Query<IConnectionPointContainer>(t.Control.Get(), IID_IConnectionPointContainer);
        ASSERT_EQ(S_OK, points->FindConnectionPoint(DIID_ICorvaneEvents, t.Events.Put()));
        ASSERT_EQ(S_OK, t.Events->Advise(&sink, &cookie));
        t.Values.Values[L"Color"] = L"255";

        auto other = NewControl();
        THeaderColumns* root = Object(other.Get()).HeaderControl().Sections();
        for (const char* caption : {"One", "Two", "Three"})
            root->Items(0)->Add(caption);
        other->put_Color(0x00FF00);
        const std::vector<uint8_t> document = SaveToBytes(other.Get());
        ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, t.Document.Put()));
        t.Document->Write(document.data(), static_cast<ULONG>(document.size()), nullptr);
        t.Document->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
        ASSERT_EQ(S_OK, t.Control->get_Sections(t.Root.Put()));
        ASSERT_EQ(S_OK, t.Root->GetFirstChild(t.First.Put()));
        before = SaveToBytes(t.Control.Get());
        const LRESULT reply = ::SendMessageA(Object(t.Control.Get()).Window().Handle(),
                                             WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
        ASSERT_EQ(S_OK,
                  ::ObjectFromLresult(reply, __uuidof(IAccessible), 0, t.Accessible.PutVoid()));
        // Not a proxy, which would refuse a call from another thread itself.
        ASSERT_FALSE(Query<IMultiQI>(t.Accessible.Get(), IID_IMultiQI));
    }
    void TearDown() override {
        t.Accessible.Reset();
        t.Events->Unadvise(cookie);
        t.Events.Reset();
        t.Root.Reset();
        t.First.Reset();
        t.Control.Reset();
        ControlTest::TearDown();
    }

    Target t;
    EventSink sink;
    DWORD cookie = 0;
    std::vector<uint8_t> before;
};

TEST_P(ForeignThreadTest, IsRefusedAndChangesNothing) {
    EXPECT_EQ(RPC_E_WRONG_THREAD, OnOtherThread(GetParam().second, t));

    // The control is as it was: its state, its sink, events not frozen,
    // its safety options, no second sink.
    EXPECT_EQ(before, SaveToBytes(t.Control.Get()));
    sink.Events.clear();
    EXPECT_EQ(S_OK, t.Control->BeforeApply());
    EXPECT_EQ(1u, sink.Events.size()) << "events still reach the host's sink";
    DWORD supported = 0, enabled = 0;
    EXPECT_EQ(S_OK, As<IObjectSafety>(t, IID_IObjectSafety)
                        ->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled));
    EXPECT_EQ(0u, enabled);
    EXPECT_EQ(1, t.OtherSink.References);
}

INSTANTIATE_TEST_SUITE_P(EveryInterface, ForeignThreadTest, ::testing::ValuesIn(ForeignCalls),
                         [](const auto& param) { return std::string(param.param.first); });

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

// The events connection point and the relay of the header control's events
// to a host's sink.
#include "TestHost.h"

#include "core/model/HeaderColumns.h"
#include "server/sections/Sections.h"

#include <olectl.h>

#include <string>

namespace corvane::server::test {
namespace {

// The customizing dialog the verb opens is modal: a thread timer closes it,
// as its close box would, from inside its loop.
BOOL CALLBACK CloseCustomizeForm(HWND window, LPARAM) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "CorvaneCustomizeForm" && ::IsWindowVisible(window))
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void CALLBACK CloseCustomizeForms(HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &CloseCustomizeForm, 0);
}

class CustomizeFormCloser {
public:
    CustomizeFormCloser() : timer_(::SetTimer(nullptr, 0, 50, &CloseCustomizeForms)) {}
    ~CustomizeFormCloser() { ::KillTimer(nullptr, timer_); }
    CustomizeFormCloser(const CustomizeFormCloser&) = delete;
    CustomizeFormCloser& operator=(const CustomizeFormCloser&) = delete;

private:
    UINT_PTR timer_;
};

class EventsTest : public ControlTest {
protected:
    void SetUp() override {
        control = NewControl();
        header = &Object(control.Get()).HeaderControl();
        auto container =
            Query<IConnectionPointContainer>(control.Get(), IID_IConnectionPointContainer);
        ASSERT_EQ(S_OK, container->FindConnectionPoint(DIID_ICorvaneEvents, point.Put()));
        ASSERT_EQ(S_OK, point->Advise(&sink, &cookie));
    }
    void TearDown() override {
        if (cookie != 0)
            point->Unadvise(cookie);
        point.Reset();
        control.Reset();
        ControlTest::TearDown();
        EXPECT_EQ(1, sink.References) << "the control kept a reference to the sink";
    }
    THeaderColumns* Section(int index) { return header->Sections()->Items(index); }

    EventSink sink;
    TComPtr<ICorvane> control;
    TStrativ* header = nullptr;
    TComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
};

TEST_F(EventsTest, EachHeaderEventReachesTheSinkWithItsArguments) {
    header->Sections()->Items(0)->SetCaption("First");
    header->Sections()->Add("Second");
    bool asChild = true, allowDrop = true;
    std::string hint = "tip";
    const struct {
        const char* Name;
        std::function<void()> Fire;
        DISPID Dispid;
        std::vector<std::string> Args;
    } cases[] = {
        {"BeforeCustomize", [&] { control->BeforeCustomize(); }, 8, {}},
        {"AfterCustomize", [&] { control->AfterCustomize(); }, 9, {}},
        {"BeforeApply", [&] { control->BeforeApply(); }, 10, {}},
        {"AfterApply", [&] { control->AfterApply(); }, 1, {}},
        {"HeaderClick", [&] { header->DoHeaderClick(Section(1)); }, 5, {"Second"}},
        // The header control passes the index first, the host gets the width first.
        {"Sizing", [&] { header->DoSizing(Section(0), 0, 120); }, 6, {"First", "120", "0"}},
        {"Sized", [&] { header->DoSized(Section(1), 1, 90); }, 11, {"Second", "90", "1"}},
        {"HeightChanged", [&] { header->DoHeightChanged(Section(0), 30); }, 12, {"First", "30"}},
        {"HeightChanging", [&] { header->DoHeightChanging(Section(0), 31); }, 13, {"First", "31"}},
        {"Hint", [&] { header->DoHint(Section(1), hint); }, 14, {"Second", "&tip"}},
        {"DropSection",
         [&] { header->DoDropSection(Section(0), Section(1), asChild, allowDrop); },
         15,
         {"First", "Second", "&-1", "&-1"}},
        {"Click on no section", [&] { header->DoHeaderClick(nullptr); }, 5, {"<none>"}},
    };
    for (const auto& c : cases) {
        sink.Events.clear();
        c.Fire();
        ASSERT_EQ(1u, sink.Events.size()) << c.Name;
        EXPECT_EQ(c.Dispid, sink.Events[0].Dispid) << c.Name;
        EXPECT_EQ(c.Args, sink.Events[0].Args) << c.Name;
    }
}

TEST_F(EventsTest, HintWrittenByTheHostBecomesTheHeaderControlsHint) {
    const struct {
        const wchar_t* Replacement; // null: the handler leaves the string alone
        std::string Expected;
    } cases[] = {{L"From the host", "From the host"}, {nullptr, "original"}, {L"", ""}};
    for (const auto& c : cases) {
        sink.Handler = [&](DISPID, DISPPARAMS& params) {
            if (c.Replacement != nullptr) {
                BSTR* slot = params.rgvarg[0].pbstrVal;
                ::SysFreeString(*slot);
                *slot = ::SysAllocString(c.Replacement);
            }
            return S_OK;
        };
        std::string hint = "original";
        header->DoHint(Section(0), hint);
        EXPECT_EQ(c.Expected, hint);
    }
}

TEST_F(EventsTest, DropFlagsAreReadBackByTheirLowByte) {
    const struct {
        VARIANT_BOOL AsChild, AllowDrop; // written by the host
        bool ExpectAsChild, ExpectAllowDrop;
    } cases[] = {
        {VARIANT_TRUE, VARIANT_FALSE, true, false}, // the host cancels the drop
        {1, 1, true, true},                         // 1 counts as true
        {0x100, 0, false, false},                   // only the low byte counts
    };
    for (const auto& c : cases) {
        sink.Handler = [&](DISPID, DISPPARAMS& params) {
            // Positional arguments arrive last first: AllowDrop, AsChild, ...
            *params.rgvarg[1].pboolVal = c.AsChild;
            *params.rgvarg[0].pboolVal = c.AllowDrop;
            return S_OK;
        };
        bool asChild = false, allowDrop = true;
        header->DoDropSection(Section(0), Section(0), asChild, allowDrop);
        EXPECT_EQ(c.ExpectAsChild, asChild);
        EXPECT_EQ(c.ExpectAllowDrop, allowDrop);
    }
}

TEST_F(EventsTest, WithoutASinkHintAndDropFlagsKeepTheirValues) {
    ASSERT_EQ(S_OK, point->Unadvise(cookie));
    cookie = 0;
    std::string hint = "kept";
    header->DoHint(Section(0), hint);
    EXPECT_EQ("kept", hint);
    for (const bool value : {false, true}) {
        bool asChild = value, allowDrop = !value;
        header->DoDropSection(Section(0), Section(0), asChild, allowDrop);
        EXPECT_EQ(value, asChild);
        EXPECT_EQ(!value, allowDrop);
    }
    EXPECT_TRUE(sink.Events.empty());
}

TEST_F(EventsTest, DropDeliversTwoDistinctSectionObjects) {
    header->Sections()->Add("Target");
    std::vector<THeaderColumns*> seen;
    sink.Handler = [&](DISPID, DISPPARAMS& params) {
        for (UINT i : {3u, 2u})
            seen.push_back(SectionOf(reinterpret_cast<ISections*>(params.rgvarg[i].pdispVal)));
        EXPECT_NE(params.rgvarg[3].pdispVal, params.rgvarg[2].pdispVal);
        return S_OK;
    };
    bool asChild = false, allowDrop = true;
    header->DoDropSection(Section(0), Section(1), asChild, allowDrop);
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(Section(0), seen[0]);
    EXPECT_EQ(Section(1), seen[1]);
}

TEST_F(EventsTest, OneSinkAtATimeAndCookiesArePositions) {
    EXPECT_EQ(1u, cookie);
    EventSink second;
    DWORD secondCookie = 0;
    EXPECT_EQ(CONNECT_E_ADVISELIMIT, point->Advise(&second, &secondCookie));
    EXPECT_EQ(0u, secondCookie);
    EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(7));
    EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(0));
    ASSERT_EQ(S_OK, point->Unadvise(cookie));
    cookie = 0;
    EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(1));
    ASSERT_EQ(S_OK, point->Advise(&second, &secondCookie));
    EXPECT_EQ(1u, secondCookie);
    control->BeforeApply();
    EXPECT_TRUE(sink.Events.empty());
    EXPECT_EQ(1u, second.Events.size());
    EXPECT_EQ(S_OK, point->Unadvise(secondCookie));
    EXPECT_EQ(1, second.References);

    // A sink that is not an event sink is refused with its own answer.
    auto notASink = Query<IUnknown>(NewControl().Get(), IID_IUnknown);
    EXPECT_EQ(E_NOINTERFACE, point->Advise(notASink.Get(), &secondCookie));
    EXPECT_EQ(E_POINTER, point->Advise(nullptr, &secondCookie));
    IID iid{};
    EXPECT_EQ(S_OK, point->GetConnectionInterface(&iid));
    EXPECT_TRUE(IsEqualIID(DIID_ICorvaneEvents, iid));
}

TEST_F(EventsTest, PropertyNotificationPointTakesSeveralSinks) {
    struct NotifySink : IPropertyNotifySink {
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
            *object = (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyNotifySink))
                          ? this
                          : nullptr;
            return *object ? S_OK : E_NOINTERFACE;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE OnChanged(DISPID) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }
    } a, b;
    auto container = Query<IConnectionPointContainer>(control.Get(), IID_IConnectionPointContainer);
    TComPtr<IConnectionPoint> notify;
    ASSERT_EQ(S_OK, container->FindConnectionPoint(IID_IPropertyNotifySink, notify.Put()));
    DWORD first = 0, second = 0;
    EXPECT_EQ(S_OK, notify->Advise(&a, &first));
    EXPECT_EQ(S_OK, notify->Advise(&b, &second));
    EXPECT_EQ(1u, first);
    EXPECT_EQ(2u, second);
    EXPECT_EQ(S_OK, notify->Unadvise(first));
    DWORD reused = 0;
    EXPECT_EQ(S_OK, notify->Advise(&a, &reused));
    EXPECT_EQ(1u, reused) << "a freed position is used again";
    TComPtr<IConnectionPointContainer> back;
    EXPECT_EQ(S_OK, notify->GetConnectionPointContainer(back.Put()));
    EXPECT_EQ(container.Get(), back.Get());
    notify->Unadvise(reused);
    notify->Unadvise(second);
}

TEST_F(EventsTest, HandlersThatFailReleaseOrDisconnectLeaveTheControlWorking) {
    header->Sections()->Add("Second");
    // A failing handler: the event completes.
    sink.Handler = [](DISPID, DISPPARAMS&) { return E_FAIL; };
    EXPECT_EQ(S_OK, control->BeforeApply());

    // A handler that disconnects its own sink mid-event.
    sink.Handler = [&](DISPID, DISPPARAMS&) {
        point->Unadvise(cookie);
        return S_OK;
    };
    header->DoSized(Section(0), 0, 80);
    cookie = 0;
    EXPECT_EQ(1, sink.References);
    sink.Events.clear();
    control->BeforeApply();
    EXPECT_TRUE(sink.Events.empty());

    // A handler that drops the host's last reference mid-event: the control
    // finishes the operation that fired the event (here run as an entry of
    // its own, as a window message would be) and goes as that entry closes.
    ASSERT_EQ(S_OK, point->Advise(&sink, &cookie));
    point.Reset();
    ICorvane* raw = control.Detach();
    bool dropped = false;
    sink.Handler = [&](DISPID, DISPPARAMS&) {
        if (!dropped) {
            dropped = true;
            raw->Release();
        }
        return S_OK;
    };
    {
        const win32::ControlEntry operation(&Object(raw));
        bool asChild = false, allowDrop = true;
        header->DoDropSection(Section(0), Section(1), asChild, allowDrop);
        EXPECT_TRUE(dropped);
        EXPECT_TRUE(allowDrop);
        EXPECT_EQ("Second", header->Sections()->Items(1)->Caption());
        EXPECT_GT(ObjectCount(), 0) << "still alive inside the operation";
        sink.Events.clear();
        header->DoHeaderClick(Section(0));
        EXPECT_TRUE(sink.Events.empty()) << "no event reaches a host that let go";
    }
    EXPECT_EQ(0, ObjectCount()) << "gone as the operation ended";
    cookie = 0;
    header = nullptr;
}

TEST_F(EventsTest, VerbsRunTheCustomizingSequenceAndRefuseOthers) {
    // The bracket events are what is relayed here; the dialog between them
    // is the editor's (and modal), so none runs.
    header->SetCustomizeDialog(nullptr);
    auto ole = Query<IOleObject>(control.Get(), IID_IOleObject);
    const CustomizeFormCloser closer;
    EXPECT_EQ(S_OK, ole->DoVerb(1, nullptr, nullptr, 0, nullptr, nullptr));
    ASSERT_EQ(2u, sink.Events.size());
    EXPECT_EQ(8, sink.Events[0].Dispid);
    EXPECT_EQ(9, sink.Events[1].Dispid);
    EXPECT_EQ(OLEOBJ_S_INVALIDVERB, ole->DoVerb(3, nullptr, nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(OLEOBJ_S_INVALIDVERB, ole->DoVerb(-100, nullptr, nullptr, 0, nullptr, nullptr));

    // Without hoCustomize: neither events nor a dialog.
    sink.Events.clear();
    ASSERT_EQ(S_OK, control->put_AllowCustomize(VARIANT_FALSE));
    EXPECT_EQ(S_OK, ole->DoVerb(1, nullptr, nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(S_OK, control->Customize());
    EXPECT_TRUE(sink.Events.empty());
}

TEST_F(EventsTest, PointsAndConnectionsCanBeEnumerated) {
    auto container = Query<IConnectionPointContainer>(control.Get(), IID_IConnectionPointContainer);
    TComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(S_OK, container->EnumConnectionPoints(points.Put()));
    std::vector<IID> iids;
    IConnectionPoint* found[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(S_FALSE, points->Next(3, found, &fetched));
    ASSERT_EQ(2u, fetched);
    for (ULONG i = 0; i < fetched; ++i) {
        IID iid{};
        found[i]->GetConnectionInterface(&iid);
        iids.push_back(iid);
        found[i]->Release();
    }
    EXPECT_TRUE(IsEqualIID(DIID_ICorvaneEvents, iids[0]));
    EXPECT_TRUE(IsEqualIID(IID_IPropertyNotifySink, iids[1]));
    TComPtr<IEnumConnectionPoints> clone;
    ASSERT_EQ(S_OK, points->Clone(clone.Put()));
    EXPECT_EQ(S_FALSE, clone->Skip(1)) << "the clone starts where the original stands";
    EXPECT_EQ(S_OK, points->Reset());
    EXPECT_EQ(S_OK, points->Skip(2));

    TComPtr<IEnumConnections> connections;
    ASSERT_EQ(S_OK, point->EnumConnections(connections.Put()));
    CONNECTDATA data{};
    ASSERT_EQ(S_OK, connections->Next(1, &data, nullptr));
    EXPECT_EQ(cookie, data.dwCookie);
    EXPECT_EQ(static_cast<IUnknown*>(static_cast<IDispatch*>(&sink)), data.pUnk);
    data.pUnk->Release();
    EXPECT_EQ(S_FALSE, connections->Next(1, &data, nullptr));
}

TEST_F(EventsTest, FrozenEventsAreNotFired) {
    auto oleControl = Query<IOleControl>(control.Get(), IID_IOleControl);
    oleControl->FreezeEvents(TRUE);
    control->BeforeApply();
    EXPECT_TRUE(sink.Events.empty());
    oleControl->FreezeEvents(FALSE);
    control->BeforeApply();
    EXPECT_EQ(1u, sink.Events.size());
}

} // namespace
} // namespace corvane::server::test

// What a host notices of the control's contract: the window after the hide
// verb, the host's clip rectangle, the view advise sink, error texts.
#include "TestHost.h"

#include "server/activex/Himetric.h"
#include "server/automation/ComBoundary.h"

#include <olectl.h>

#include <cstring>
#include <optional>

namespace corvane::server::test {
namespace {

using HostContractTest = ControlTest;

// The control in place in a TestSite, torn down again at the end.
class InPlaceControl {
public:
    explicit InPlaceControl(TestSite& site) : site_(site), control_(NewControl()) {
        ole_ = Query<IOleObject>(control_.Get(), IID_IOleObject);
        EXPECT_EQ(S_OK, ole_->SetClientSite(&site));
        EXPECT_EQ(S_OK, Verb(OLEIVERB_INPLACEACTIVATE));
        Query<IOleInPlaceObject>(control_.Get(), IID_IOleInPlaceObject)->GetWindow(&window_);
    }
    ~InPlaceControl() {
        ole_->Close(OLECLOSE_NOSAVE);
        ole_->SetClientSite(nullptr);
    }
    InPlaceControl(const InPlaceControl&) = delete;
    InPlaceControl& operator=(const InPlaceControl&) = delete;

    HRESULT Verb(LONG verb) {
        return ole_->DoVerb(verb, nullptr, &site_, 0, site_.Window(), nullptr);
    }
    ICorvane* Control() const { return control_.Get(); }
    HWND Window() const { return window_; }

private:
    TestSite& site_;
    TComPtr<ICorvane> control_;
    TComPtr<IOleObject> ole_;
    HWND window_ = nullptr;
};

TEST_F(HostContractTest, ShowingVerbsShowTheWindowAgainAfterTheHideVerb) {
    const LONG showing[] = {OLEIVERB_INPLACEACTIVATE, OLEIVERB_UIACTIVATE, OLEIVERB_SHOW};
    TestSite site;
    for (const LONG verb : showing) {
        InPlaceControl control(site);
        ASSERT_TRUE(::IsWindowVisible(control.Window()));
        ASSERT_EQ(S_OK, control.Verb(OLEIVERB_HIDE));
        EXPECT_FALSE(::IsWindowVisible(control.Window())) << "verb " << verb;
        ASSERT_EQ(S_OK, control.Verb(verb));
        EXPECT_TRUE(::IsWindowVisible(control.Window())) << "verb " << verb;

        // Moving a hidden control does not show it behind the host's back.
        ASSERT_EQ(S_OK, control.Verb(OLEIVERB_HIDE));
        RECT moved{5, 5, 205, 35};
        Query<IOleInPlaceObject>(control.Control(), IID_IOleInPlaceObject)
            ->SetObjectRects(&moved, &moved);
        EXPECT_FALSE(::IsWindowVisible(control.Window())) << "verb " << verb;
        ASSERT_EQ(S_OK, control.Verb(verb));
        EXPECT_TRUE(::IsWindowVisible(control.Window())) << "verb " << verb;
        VARIANT_BOOL visible = 0;
        ASSERT_EQ(S_OK, control.Control()->get_Visible(&visible));
        EXPECT_EQ(VARIANT_TRUE, visible);
    }
    PumpMessages();
}

TEST_F(HostContractTest, AnInvisibleControlStaysHiddenWhateverTheVerb) {
    TestSite site;
    InPlaceControl control(site);
    ASSERT_EQ(S_OK, control.Control()->put_Visible(VARIANT_FALSE));
    EXPECT_FALSE(::IsWindowVisible(control.Window()));
    ASSERT_EQ(S_OK, control.Verb(OLEIVERB_HIDE));
    ASSERT_EQ(S_OK, control.Verb(OLEIVERB_SHOW));
    EXPECT_FALSE(::IsWindowVisible(control.Window()));
    ASSERT_EQ(S_OK, control.Control()->put_Visible(VARIANT_TRUE));
    EXPECT_TRUE(::IsWindowVisible(control.Window()));
}

// The window's region as a box in window coordinates; nullopt without one.
std::optional<RECT> RegionBox(HWND window) {
    const HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    std::optional<RECT> box;
    if (::GetWindowRgn(window, region) != ERROR) {
        RECT r{};
        ::GetRgnBox(region, &r);
        box = r;
    }
    ::DeleteObject(region);
    return box;
}

std::string Describe(const std::optional<RECT>& box) {
    if (!box)
        return "none";
    return std::to_string(box->left) + "," + std::to_string(box->top) + "-" +
           std::to_string(box->right) + "," + std::to_string(box->bottom);
}

TEST_F(HostContractTest, TheHostsClipRectangleBoundsWhatTheWindowShows) {
    TestSite site;
    InPlaceControl control(site);
    auto inPlace = Query<IOleInPlaceObject>(control.Control(), IID_IOleInPlaceObject);
    const RECT pos = site.Position; // 10,20 - 310,60
    const struct {
        const char* Name;
        RECT Clip;
        std::optional<RECT> Shown; // window coordinates
    } cases[] = {
        {"inside the clip", {0, 0, 400, 200}, std::nullopt},
        {"scrolled out at the top left", {50, 30, 400, 200}, RECT{40, 10, 300, 40}},
        {"cut at the right", {0, 0, 110, 200}, RECT{0, 0, 100, 40}},
        {"outside the clip altogether", {400, 0, 500, 10}, RECT{0, 0, 0, 0}},
        {"inside again", pos, std::nullopt},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(S_OK, inPlace->SetObjectRects(&pos, &c.Clip)) << c.Name;
        EXPECT_EQ(Describe(c.Shown), Describe(RegionBox(control.Window()))) << c.Name;
    }

    // What lies outside the clip is never painted, also after the window is
    // made anew (a border style change).
    const RECT clip{50, 30, 400, 200};
    ASSERT_EQ(S_OK, inPlace->SetObjectRects(&pos, &clip));
    control.Control()->put_Color(0x0000FF00);
    control.Control()->put_BorderStyle(::bsNone);
    HWND window = nullptr;
    ASSERT_EQ(S_OK, inPlace->GetWindow(&window));
    EXPECT_NE(control.Window(), window) << "made anew";
    EXPECT_EQ("40,10-300,40", Describe(RegionBox(window)));
    const COLORREF magenta = RGB(255, 0, 255);
    {
        const HDC dc = ::GetDC(site.Window());
        const RECT all{0, 0, 400, 200};
        const HBRUSH brush = ::CreateSolidBrush(magenta);
        ::FillRect(dc, &all, brush);
        ::DeleteObject(brush);
        ::ReleaseDC(site.Window(), dc);
    }
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const HDC dc = ::GetDC(site.Window());
    const COLORREF clipped = ::GetPixel(dc, 20, 25);  // in the control, outside the clip
    const COLORREF visible = ::GetPixel(dc, 200, 50); // in both
    ::ReleaseDC(site.Window(), dc);
    EXPECT_EQ(magenta, clipped);
    EXPECT_NE(magenta, visible);
}

// A view sink that records what it is told and counts its references.
class ViewSink : public IAdviseSink {
public:
    std::vector<std::pair<DWORD, LONG>> ViewChanges; // aspect, index
    LONG References = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        *object = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IAdviseSink)
                      ? static_cast<IAdviseSink*>(this)
                      : nullptr;
        if (*object == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++References); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--References); }
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    void STDMETHODCALLTYPE OnViewChange(DWORD aspect, LONG index) override {
        ViewChanges.emplace_back(aspect, index);
    }
    void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
    void STDMETHODCALLTYPE OnSave() override {}
    void STDMETHODCALLTYPE OnClose() override {}
};

TComPtr<IFontDisp> NewFont(const wchar_t* name, LONGLONG size) {
    FONTDESC desc{sizeof desc, const_cast<LPOLESTR>(name), {}, FW_NORMAL, 0, FALSE, FALSE, FALSE};
    desc.cySize.int64 = size;
    TComPtr<IFontDisp> font;
    ::OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(font.Put()));
    return font;
}

TComPtr<ISections> FirstSection(ICorvane* control) {
    TComPtr<ISections> root, first;
    EXPECT_EQ(S_OK, control->get_Sections(root.Put()));
    EXPECT_EQ(S_OK, root->GetFirstChild(first.Put()));
    return first;
}

TEST_F(HostContractTest, TheViewSinkHearsOnceOfEachChangeOfTheLook) {
    const struct {
        const char* Name;
        std::function<void(ICorvane*)> Change;
        size_t Heard;
    } changes[] = {
        {"colour", [](ICorvane* c) { c->put_Color(0x00123456); }, 1},
        {"option", [](ICorvane* c) { c->put_AllowHotTrack(VARIANT_FALSE); }, 1},
        {"border (the window is made anew)", [](ICorvane* c) { c->put_BorderStyle(::bsNone); }, 1},
        {"font", [](ICorvane* c) { c->put_Font(NewFont(L"Courier New", 200000).Get()); }, 1},
        {"sections",
         [](ICorvane* c) {
             TComPtr<ISections> added;
             FirstSection(c)->Add(TBstr::FromWide(L"Below", 5).Get(), added.Put());
         },
         1},
        {"several changes in one go",
         [](ICorvane* c) {
             c->put_BevelInner(::bvRaised);
             c->put_Headerstyle(::bsWin31);
             c->put_Color(0x00654321);
         },
         1},
        {"reads only",
         [](ICorvane* c) {
             OLE_COLOR colour = 0;
             c->get_Color(&colour);
             FirstSection(c);
         },
         0},
    };
    for (const auto& c : changes) {
        ViewSink sink;
        {
            auto control = NewControl();
            auto view = Query<IViewObject2>(control.Get(), IID_IViewObject2);
            PumpMessages();
            ASSERT_EQ(S_OK, view->SetAdvise(DVASPECT_CONTENT, 0, &sink));
            c.Change(control.Get());
            EXPECT_TRUE(sink.ViewChanges.empty()) << "never from inside the call: " << c.Name;
            PumpMessages();
            ASSERT_EQ(c.Heard, sink.ViewChanges.size()) << c.Name;
            if (c.Heard > 0) {
                EXPECT_EQ(static_cast<DWORD>(DVASPECT_CONTENT), sink.ViewChanges[0].first);
                EXPECT_EQ(-1, sink.ViewChanges[0].second);
            }
        }
        PumpMessages();
        EXPECT_EQ(1, sink.References) << "let go with the control: " << c.Name;
    }
}

TEST_F(HostContractTest, ViewAdviseFlagsPrimeAndLimitTheNotifications) {
    const struct {
        const char* Name;
        DWORD Aspects, Flags;
        size_t AtSetAdvise, AfterTwoChanges;
        bool KeptAfterwards;
    } cases[] = {
        {"plain", DVASPECT_CONTENT, 0, 0, 2, true},
        {"prime first", DVASPECT_CONTENT, ADVF_PRIMEFIRST, 1, 3, true},
        {"only once", DVASPECT_CONTENT, ADVF_ONLYONCE, 0, 1, false},
        {"prime first, only once", DVASPECT_CONTENT, ADVF_PRIMEFIRST | ADVF_ONLYONCE, 1, 1, false},
        {"an aspect the control never draws", DVASPECT_ICON, ADVF_PRIMEFIRST, 0, 0, true},
    };
    for (const auto& c : cases) {
        ViewSink sink;
        {
            auto control = NewControl();
            auto view = Query<IViewObject2>(control.Get(), IID_IViewObject2);
            PumpMessages();
            ASSERT_EQ(S_OK, view->SetAdvise(c.Aspects, c.Flags, &sink));
            EXPECT_EQ(c.AtSetAdvise, sink.ViewChanges.size()) << c.Name;
            control->put_Color(0x00111111);
            PumpMessages();
            control->put_Color(0x00222222);
            PumpMessages();
            EXPECT_EQ(c.AfterTwoChanges, sink.ViewChanges.size()) << c.Name;
            TComPtr<IAdviseSink> kept;
            DWORD aspects = 0, flags = 0;
            ASSERT_EQ(S_OK, view->GetAdvise(&aspects, &flags, kept.Put()));
            EXPECT_EQ(c.KeptAfterwards, kept.Get() == &sink) << c.Name;
            kept.Reset();
            // Taken away, the sink hears nothing more and is let go.
            ASSERT_EQ(S_OK, view->SetAdvise(DVASPECT_CONTENT, 0, nullptr));
            const size_t before = sink.ViewChanges.size();
            control->put_Color(0x00333333);
            PumpMessages();
            EXPECT_EQ(before, sink.ViewChanges.size()) << c.Name;
            EXPECT_EQ(1, sink.References) << c.Name;
        }
        PumpMessages();
    }
}

TEST_F(HostContractTest, AControlLetGoWithAChangePendingTellsNobody) {
    ViewSink sink;
    {
        auto control = NewControl();
        PumpMessages();
        ASSERT_EQ(S_OK, Query<IViewObject2>(control.Get(), IID_IViewObject2)
                            ->SetAdvise(DVASPECT_CONTENT, 0, &sink));
        control->put_Color(0x00444444);
    }
    PumpMessages();
    EXPECT_TRUE(sink.ViewChanges.empty());
    EXPECT_EQ(1, sink.References);
}

TEST_F(HostContractTest, AControlInPlaceStaysWhereTheHostPutIt) {
    TestSite site;
    InPlaceControl control(site);
    const auto placeOf = [&] {
        RECT r{};
        ::GetWindowRect(control.Window(), &r);
        ::MapWindowPoints(nullptr, site.Window(), reinterpret_cast<POINT*>(&r), 2);
        return Describe(r);
    };
    ASSERT_EQ("10,20-310,60", placeOf());
    auto other = NewControl();
    Object(other.Get()).HeaderControl().SetBounds(5, 5, 100, 30);
    EXPECT_EQ(S_OK, LoadFromBytes(control.Control(), SaveToBytes(other.Get())));
    EXPECT_EQ("10,20-310,60", placeOf()) << "moved by the stream's bounds";
    SIZEL extent{5000, 2000};
    auto ole = Query<IOleObject>(control.Control(), IID_IOleObject);
    EXPECT_EQ(S_OK, ole->SetExtent(DVASPECT_CONTENT, &extent));
    EXPECT_EQ("10,20-310,60", placeOf()) << "resized without the host";
    const RECT asked{10, 20, 10 + HimetricToPixelsX(5000), 20 + HimetricToPixelsY(2000)};
    EXPECT_EQ(Describe(asked), Describe(site.Position));
}

// Inside each call the control makes to its site, the host closes,
// deactivates, drops, releases it or destroys its window; the control ends in
// a state the host can live with.
TEST_F(HostContractTest, AHostThatTurnsInsideASiteCallFindsAConsistentControl) {
    const std::vector<const char*> inPlace = {"CanInPlaceActivate", "OnInPlaceActivate",
                                              "GetWindow", "GetWindowContext"};
    std::vector<const char*> withUI = inPlace;
    withUI.insert(withUI.end(), {"OnUIActivate", "OnFocus", "SetActiveObject", "SetBorderSpace"});
    const std::pair<LONG, std::vector<const char*>> operations[] = {
        {OLEIVERB_SHOW, withUI},
        {OLEIVERB_UIACTIVATE, withUI},
        {OLEIVERB_INPLACEACTIVATE, inPlace},
        {0, {"SetActiveObject", "OnUIDeactivate"}}, // UIDeactivate of a UI-active control
    };
    const char* const turns[] = {"Close",    "InPlaceDeactivate", "UIDeactivate",
                                 "DropSite", "Release",           "DestroyWindow"};
    TestSite site;
    for (const auto& [verb, calls] : operations)
        for (const char* call : calls)
            for (const std::string turn : turns) {
                const std::string row = std::to_string(verb) + " / " + call + " / " + turn;
                // The host's window: a child of the site's, cheap to destroy.
                const HWND host = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0,
                                                    400, 200, site.Window(), 0, 0, 0);
                site.HostWindow = host;
                site.InPlaceActivations = site.InPlaceDeactivations = site.UIActivations = 0;
                site.UIDeactivations = 0;
                TComPtr<ICorvane> control = NewControl();
                // Plain pointers: on Release the host's reference is the last.
                ICorvane* raw = control.Get();
                IOleObject* ole = Query<IOleObject>(raw, IID_IOleObject).Get();
                IOleInPlaceObject* object =
                    Query<IOleInPlaceObject>(raw, IID_IOleInPlaceObject).Get();
                ole->SetClientSite(&site);
                if (verb == 0)
                    ole->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site, 0, host, nullptr);
                bool turned = false;
                site.OnCall = [&](const char* name) {
                    if (turned || std::strcmp(name, call) != 0)
                        return;
                    turned = true;
                    if (turn == "Close")
                        ole->Close(OLECLOSE_NOSAVE);
                    else if (turn == "InPlaceDeactivate")
                        object->InPlaceDeactivate();
                    else if (turn == "UIDeactivate")
                        object->UIDeactivate();
                    else if (turn == "DropSite")
                        ole->SetClientSite(nullptr);
                    else if (turn == "Release")
                        site.ActiveObject.Reset(), control.Reset();
                    else
                        ::DestroyWindow(host);
                };
                if (verb == 0)
                    object->UIDeactivate();
                else
                    ole->DoVerb(verb, nullptr, &site, 0, host, nullptr);
                site.OnCall = nullptr;
                PumpMessages();
                EXPECT_TRUE(turned) << row;
                EXPECT_EQ(site.UIActivations, site.UIDeactivations) << row;
                EXPECT_FALSE(site.ActiveObject) << row << ": the frame holds the control";
                if (control) {
                    // Only UIDeactivate leaves the control in place, in the host's window.
                    const bool inPlaceLeft = turn == "UIDeactivate";
                    EXPECT_EQ(inPlaceLeft ? 1 : 0,
                              site.InPlaceActivations - site.InPlaceDeactivations)
                        << row;
                    const TCorvane& live = Object(raw);
                    EXPECT_EQ(inPlaceLeft, live.InPlaceActive()) << row;
                    EXPECT_FALSE(live.UIActive()) << row;
                    const HWND window = live.Window().Handle();
                    // Parked, hidden and without the focus, or in the host's window.
                    EXPECT_TRUE(!window ||
                                (inPlaceLeft
                                     ? ::GetParent(window) == host && ::IsWindowVisible(window)
                                     : ::GetParent(window) != host && !::IsWindowVisible(window) &&
                                           ::GetFocus() != window))
                        << row;
                    ole->Close(OLECLOSE_NOSAVE);
                    ole->SetClientSite(nullptr);
                    site.ActiveObject.Reset();
                    control.Reset();
                }
                EXPECT_EQ(0, ObjectCount()) << row << ": freed once the call returned";
                ::DestroyWindow(host);
            }
    site.HostWindow = nullptr;
}

struct ErrorRecord {
    std::string Description, Source;
};

ErrorRecord TakeErrorRecord() {
    ErrorRecord record;
    TComPtr<IErrorInfo> info;
    if (::GetErrorInfo(0, info.Put()) != S_OK || !info)
        return record;
    TBstr text, source;
    info->GetDescription(text.Put());
    info->GetSource(source.Put());
    record.Description = BstrToText(text.Get());
    record.Source = BstrToText(source.Get());
    return record;
}

// A host stream whose every read fails with one code.
using FailingStream = StackStream;

TEST_F(HostContractTest, CarriedErrorCodesReachTheHostAsTextWithTheControlAsSource) {
    auto control = NewControl();
    EventSink notAFont; // a dispatch object without IFont
    FailingStream denied(STG_E_ACCESSDENIED);
    const struct {
        const char* Name;
        std::function<HRESULT()> Call;
        HRESULT Expected;
        std::string Description;
    } cases[] = {
        {"a code of the control's own",
         [&] { return control->put_Font(reinterpret_cast<IFontDisp*>(&notAFont)); },
         CTL_E_INVALIDPROPERTYVALUE, "Invalid property value"},
        {"a host's code the system knows",
         [&] {
             return Query<IPersistStreamInit>(control.Get(), IID_IPersistStreamInit)->Load(&denied);
         },
         STG_E_ACCESSDENIED, SystemMessage(STG_E_ACCESSDENIED)},
        {"a host's code on save",
         [&] {
             return Query<IPersistStreamInit>(control.Get(), IID_IPersistStreamInit)
                 ->Save(&denied, TRUE);
         },
         STG_E_ACCESSDENIED, SystemMessage(STG_E_ACCESSDENIED)},
    };
    for (const auto& c : cases) {
        ::SetErrorInfo(0, nullptr);
        EXPECT_EQ(c.Expected, c.Call()) << c.Name;
        const ErrorRecord error = TakeErrorRecord();
        EXPECT_EQ(c.Description, error.Description) << c.Name;
        EXPECT_EQ(error.Description.find("OLE error"), std::string::npos) << c.Name;
        EXPECT_EQ("CorvaneC.Corvane", error.Source) << c.Name;
    }
}

} // namespace
} // namespace corvane::server::test

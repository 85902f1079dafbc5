// The header as a screen reader sees it: the demo's sample tree in place in a
// site, walked through the system's own client functions (oleacc), and the
// WinEvents the header raises.
#include "TestHost.h"

#include "../../core/HeaderColumnsTestTree.h"

#include "core/model/HeaderColumns.h"
#include "demo/SampleTree.h"
#include "win32/WideText.h"

#include <oleacc.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace corvane::server::test {
namespace {

const IID& AccessibleIid() {
    return __uuidof(IAccessible);
}

VARIANT Child(LONG id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string Narrow(BSTR text) {
    return text != nullptr ? BstrToText(text) : std::string("<null>");
}

class AccessibilityTest : public ControlTest {
protected:
    void SetUp() override {
        control = NewControl();
        ole = Query<IOleObject>(control.Get(), IID_IOleObject);
        // The demo's header: 600 x 72 pixels inside its border.
        site.Position = RECT{10, 20, 10 + 602, 20 + 74};
        ASSERT_EQ(S_OK, ole->SetClientSite(&site));
        ASSERT_EQ(S_OK,
                  ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, site.Window(), nullptr));
        ASSERT_EQ(S_OK, control->put_Headerstyle(::bsNew));
        demo::BuildSampleTree(*control.Get(), TDpiScale());
        header = &Object(control.Get()).HeaderControl();
        window = Object(control.Get()).Window().Handle();
        auto container =
            Query<IConnectionPointContainer>(control.Get(), IID_IConnectionPointContainer);
        ASSERT_EQ(S_OK, container->FindConnectionPoint(DIID_ICorvaneEvents, point.Put()));
        ASSERT_EQ(S_OK, point->Advise(&sink, &cookie));
        ASSERT_EQ(S_OK, ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                                     AccessibleIid(), acc.PutVoid()));
        ASSERT_TRUE(acc);
    }
    void TearDown() override {
        acc.Reset();
        if (cookie != 0)
            point->Unadvise(cookie);
        point.Reset();
        if (ole) {
            ole->Close(OLECLOSE_NOSAVE);
            ole->SetClientSite(nullptr);
        }
        ole.Reset();
        control.Reset();
        ControlTest::TearDown();
    }

    LONG IdOf(const std::string& caption) {
        return header->AccessibleChildId(corvane::testing::Find(header->Sections(), caption));
    }
    LONG State(LONG id) {
        VARIANT state;
        EXPECT_EQ(S_OK, acc->get_accState(Child(id), &state));
        EXPECT_EQ(VT_I4, state.vt);
        return state.lVal;
    }
    // The centre of a section on screen.
    POINT Centre(const std::string& caption) {
        const TRect r = header->SectionRect(corvane::testing::Find(header->Sections(), caption));
        POINT p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
        ::ClientToScreen(window, &p);
        return p;
    }
    void SendToHeader(UINT message, WPARAM wParam, const std::string& caption) {
        POINT p = Centre(caption);
        ::ScreenToClient(window, &p);
        ::SendMessageA(window, message, wParam, MAKELPARAM(p.x, p.y));
    }

    TestSite site;
    TComPtr<ICorvane> control;
    TComPtr<IOleObject> ole;
    TStrativ* header = nullptr;
    HWND window = nullptr;
    EventSink sink;
    TComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
    TComPtr<IAccessible> acc;
};

TEST_F(AccessibilityTest, NamesInAnyScript) {
    const wchar_t* texts[] = {L"\u540D\u524D",   L"\u0418\u043C\u044F", L"\u03A9",
                              L"a\xD83D\xDE00z", L"e\u0301t",           L"\u0627\u0633\u0645 1",
                              L"caf\u00E9"};
    for (const wchar_t* text : texts) {
        header->Sections()->Items(0)->SetCaption(win32::Utf8FromWide(text, wcslen(text)));
        TBstr name;
        ASSERT_EQ(S_OK, acc->get_accName(Child(1), name.Put()));
        EXPECT_EQ(std::wstring(text), std::wstring(name.Get(), SysStringLen(name.Get())));
    }
}

TEST_F(AccessibilityTest, TheSampleTreeWalkedThroughTheSystemsClient) {
    struct Expected {
        const char* name;
        const char* path;
    };
    // The description names the groups a section is in, not itself again.
    const Expected sections[] = {
        {"Customer", "<null>"},
        {"Name", "Customer"},
        {"First name", "Customer, Name"},
        {"Last name", "Customer, Name"},
        {"Contact", "Customer"},
        {"Phone", "Customer, Contact"},
        {"E-mail address of the customer", "Customer, Contact"},
        {"Order details", "<null>"},
        {"Quantity", "Order details"},
        {"Delivery", "Order details"},
        {"Planned delivery date", "Order details, Delivery"},
        {"Notes on shipping and handling", "Order details, Delivery"},
    };
    const LONG count = sizeof sections / sizeof sections[0];

    long childCount = 0;
    ASSERT_EQ(S_OK, acc->get_accChildCount(&childCount));
    ASSERT_EQ(count, childCount);
    std::vector<VARIANT> children(static_cast<size_t>(count) + 2);
    LONG obtained = 0;
    EXPECT_EQ(S_FALSE, ::AccessibleChildren(acc.Get(), 0, count + 2, children.data(), &obtained))
        << "fewer children than asked for";
    EXPECT_EQ(count, obtained);
    ASSERT_EQ(S_OK, ::AccessibleChildren(acc.Get(), 0, count, children.data(), &obtained));
    ASSERT_EQ(count, obtained);

    for (LONG i = 0; i < count; ++i) {
        const Expected& expected = sections[i];
        SCOPED_TRACE(expected.name);
        // Simple children: ids in tree order, no objects of their own.
        ASSERT_EQ(VT_I4, children[static_cast<size_t>(i)].vt);
        const LONG id = children[static_cast<size_t>(i)].lVal;
        EXPECT_EQ(i + 1, id);
        TComPtr<IDispatch> object;
        EXPECT_EQ(S_FALSE, acc->get_accChild(Child(id), object.Put()));
        EXPECT_FALSE(object);

        TBstr name, description, action;
        EXPECT_EQ(S_OK, acc->get_accName(Child(id), name.Put()));
        EXPECT_EQ(expected.name, Narrow(name.Get()));
        const HRESULT described = acc->get_accDescription(Child(id), description.Put());
        EXPECT_EQ(description.Get() == nullptr ? S_FALSE : S_OK, described);
        EXPECT_EQ(expected.path, Narrow(description.Get()));
        VARIANT role;
        EXPECT_EQ(S_OK, acc->get_accRole(Child(id), &role));
        EXPECT_EQ(VT_I4, role.vt);
        EXPECT_EQ(ROLE_SYSTEM_COLUMNHEADER, role.lVal);
        EXPECT_EQ(S_OK, acc->get_accDefaultAction(Child(id), action.Put()));
        EXPECT_EQ("Click", Narrow(action.Get()));
        EXPECT_EQ(STATE_SYSTEM_FOCUSABLE, State(id)) << "shown, not focused, hot or pressed";

        // Where the control itself lays the section out, on screen.
        const TRect r =
            header->SectionRect(corvane::testing::Find(header->Sections(), expected.name));
        POINT origin{r.Left, r.Top};
        ::ClientToScreen(window, &origin);
        long left = 0, top = 0, width = 0, height = 0;
        EXPECT_EQ(S_OK, acc->accLocation(&left, &top, &width, &height, Child(id)));
        EXPECT_EQ(origin.x, left);
        EXPECT_EQ(origin.y, top);
        EXPECT_EQ(r.Right - r.Left, width);
        EXPECT_EQ(r.Bottom - r.Top, height);
    }

    // One rectangle in figures: Quantity is the fifth column (after 85, 85,
    // 70 and 95 pixels), below the 18-pixel band of its group.
    POINT client{0, 0};
    ::ClientToScreen(window, &client);
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(S_OK, acc->accLocation(&left, &top, &width, &height, Child(IdOf("Quantity"))));
    EXPECT_EQ(client.x + 335, left);
    EXPECT_EQ(client.y + 18, top);
    EXPECT_EQ(65, width);
    EXPECT_EQ(72 - 18, height);

    // The header itself is a list of column headers, named by its window's
    // text, else by the host's label, else by the control's name.
    VARIANT role;
    ASSERT_EQ(S_OK, acc->get_accRole(Child(CHILDID_SELF), &role));
    EXPECT_EQ(ROLE_SYSTEM_LIST, role.lVal);
    header->SetName("Strativ1");
    site.DisplayName = L"Orders";
    ::SetWindowTextW(window, L"Header of orders");
    for (const char* expected : {"Header of orders", "Orders", "Strativ1"}) {
        TBstr name;
        EXPECT_EQ(S_OK, acc->get_accName(Child(CHILDID_SELF), name.Put()));
        EXPECT_EQ(expected, Narrow(name.Get()));
        ::GetWindowTextLengthW(window) > 0 ? void(::SetWindowTextW(window, L""))
                                           : site.DisplayName.clear();
    }
    TComPtr<IDispatch> parent;
    EXPECT_EQ(S_OK, acc->get_accParent(parent.Put()));
    EXPECT_TRUE(parent);
}

TEST_F(AccessibilityTest, HitTestAndNavigationFollowTheTree) {
    VARIANT hit;
    const POINT phone = Centre("Phone");
    ASSERT_EQ(S_OK, acc->accHitTest(phone.x, phone.y, &hit));
    EXPECT_EQ(VT_I4, hit.vt);
    EXPECT_EQ(IdOf("Phone"), hit.lVal);
    POINT outside{0, 0};
    ::ClientToScreen(window, &outside);
    EXPECT_EQ(S_FALSE, acc->accHitTest(outside.x - 5, outside.y - 5, &hit));
    EXPECT_EQ(VT_EMPTY, hit.vt);

    // First and last child only from the header (sections are simple
    // children); next and previous in child-id order; the rest as the keys go.
    struct Case {
        const char* from; // nullptr: the header itself
        long direction;
        const char* to; // nullptr: nowhere (S_FALSE, or the failure below)
        HRESULT failure = S_FALSE;
    };
    const Case cases[] = {
        {nullptr, NAVDIR_FIRSTCHILD, "Customer"},
        {nullptr, NAVDIR_LASTCHILD, "Notes on shipping and handling"},
        {"Customer", NAVDIR_FIRSTCHILD, nullptr, E_INVALIDARG},
        {"Delivery", NAVDIR_LASTCHILD, nullptr, E_INVALIDARG},
        {"Phone", NAVDIR_FIRSTCHILD, nullptr, E_INVALIDARG},
        {"Name", NAVDIR_NEXT, "First name"},
        {"Last name", NAVDIR_NEXT, "Contact"},
        {"Contact", NAVDIR_PREVIOUS, "Last name"},
        {"Customer", NAVDIR_PREVIOUS, nullptr},
        {"Notes on shipping and handling", NAVDIR_NEXT, nullptr},
        {"First name", NAVDIR_UP, "Name"},
        {"Customer", NAVDIR_UP, nullptr},
        {"Contact", NAVDIR_DOWN, "Phone"},
        {"Last name", NAVDIR_RIGHT, "Phone"},
        {"Quantity", NAVDIR_LEFT, "E-mail address of the customer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from ? c.from : "header") + " " + std::to_string(c.direction));
        VARIANT end;
        const HRESULT hr =
            acc->accNavigate(c.direction, Child(c.from ? IdOf(c.from) : CHILDID_SELF), &end);
        if (c.to == nullptr) {
            EXPECT_EQ(c.failure, hr);
            EXPECT_EQ(VT_EMPTY, end.vt);
        } else {
            ASSERT_EQ(S_OK, hr);
            EXPECT_EQ(VT_I4, end.vt);
            EXPECT_EQ(IdOf(c.to), end.lVal);
        }
    }

    // A client walking from the first child with NEXT meets every section.
    long count = 0;
    ASSERT_EQ(S_OK, acc->get_accChildCount(&count));
    VARIANT at = Child(CHILDID_SELF);
    std::vector<LONG> walked;
    for (long direction = NAVDIR_FIRSTCHILD; acc->accNavigate(direction, at, &at) == S_OK;
         direction = NAVDIR_NEXT)
        walked.push_back(at.lVal);
    EXPECT_EQ(static_cast<size_t>(count), walked.size());
    for (size_t i = 0; i < walked.size(); ++i)
        EXPECT_EQ(static_cast<LONG>(i) + 1, walked[i]);
}

TEST_F(AccessibilityTest, StatesFollowFocusPointerAndClipping) {
    const LONG customer = IdOf("Customer"), name = IdOf("Name"), phone = IdOf("Phone");
    VARIANT focus;
    EXPECT_EQ(S_FALSE, acc->get_accFocus(&focus)) << "the focus is elsewhere";

    ::SetFocus(window); // as tabbing in does
    EXPECT_EQ(1, site.UIActivations) << "getting the focus activates the control's interface";
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED, State(customer));
    ASSERT_EQ(S_OK, acc->get_accFocus(&focus));
    EXPECT_EQ(customer, focus.lVal);
    ::SendMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE, State(customer));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED, State(name));

    SendToHeader(WM_MOUSEMOVE, 0, "Phone");
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HOTTRACKED, State(phone));
    SendToHeader(WM_LBUTTONDOWN, MK_LBUTTON, "Phone");
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED |
                  STATE_SYSTEM_PRESSED,
              State(phone))
        << "the press also focused it";
    SendToHeader(WM_LBUTTONUP, 0, "Phone");
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED,
              State(phone));

    // A narrower header: painting stops at the column reaching its edge.
    header->SetWidth(300 + 2);
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE, State(IdOf("E-mail address of the customer")))
        << "cut at the edge, still shown";
    for (const char* gone : {"Order details", "Quantity", "Delivery", "Planned delivery date"})
        EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN,
                  State(IdOf(gone)))
            << gone;

    // The last column always ends at the right edge, here left of its start.
    long left = 0, top = 0, width = -1, height = -1;
    ASSERT_EQ(S_OK, acc->accLocation(&left, &top, &width, &height,
                                     Child(IdOf("Notes on shipping and handling"))));
    EXPECT_EQ(0, width);

    ASSERT_EQ(S_OK, control->put_AllowClick(VARIANT_FALSE));
    ASSERT_EQ(S_OK, control->put_AllowHResize(VARIANT_FALSE));
    ASSERT_EQ(S_OK, control->put_AllowVResize(VARIANT_FALSE));
    ASSERT_EQ(S_OK, control->put_AllowDragDrop(VARIANT_FALSE));
    EXPECT_EQ(0, State(customer) & STATE_SYSTEM_FOCUSABLE) << "nothing for keyboard users to do";
}

// The click waits for the message loop, so a host's handler that shows a box
// does not hold up the screen reader; by then the section must still be
// there and clicking still allowed.
TEST_F(AccessibilityTest, TheDefaultActionClicksTheSectionOnceTheLoopRuns) {
    struct Case {
        const char* name;
        void (*meanwhile)(TStrativ& header, ICorvane& control);
        bool clicked;
    };
    const Case cases[] = {
        {"nothing changed", [](TStrativ&, ICorvane&) {}, true},
        {"the section deleted", [](TStrativ& h, ICorvane&) { h.Sections()->Items(1)->Clear(); },
         false},
        {"clicking switched off", [](TStrativ&, ICorvane& c) { c.put_AllowClick(VARIANT_FALSE); },
         false},
        {"the header disabled", [](TStrativ& h, ICorvane&) { h.SetEnabled(false); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        demo::BuildSampleTree(*control.Get(), TDpiScale());
        header->SetEnabled(true);
        ASSERT_EQ(S_OK, control->put_AllowClick(VARIANT_TRUE));
        sink.Events.clear();
        ASSERT_EQ(S_OK, acc->accDoDefaultAction(Child(IdOf("Quantity"))));
        EXPECT_TRUE(sink.Events.empty()) << "not from inside the call";
        c.meanwhile(*header, *control.Get());
        PumpMessages();
        ASSERT_EQ(c.clicked ? 1u : 0u, sink.Events.size());
        if (c.clicked) {
            EXPECT_EQ(5, sink.Events[0].Dispid); // OnHeaderClick
            EXPECT_EQ(std::vector<std::string>{"Quantity"}, sink.Events[0].Args);
        }
    }
    header->SetEnabled(true);
    ASSERT_EQ(S_OK, control->put_AllowClick(VARIANT_FALSE));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, acc->accDoDefaultAction(Child(IdOf("Quantity"))));
    TBstr action;
    EXPECT_EQ(S_FALSE, acc->get_accDefaultAction(Child(IdOf("Quantity")), action.Put()));
    EXPECT_EQ(nullptr, action.Get());
    EXPECT_TRUE(sink.Events.empty());
}

// Disabled: no action, no focus, unavailable, for the header and each section.
TEST_F(AccessibilityTest, ADisabledHeaderOffersNothingToDo) {
    ASSERT_EQ(S_OK, control->put_Enabled(VARIANT_FALSE));
    const LONG quantity = IdOf("Quantity");
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, acc->accDoDefaultAction(Child(quantity)));
    TBstr action;
    EXPECT_EQ(S_FALSE, acc->get_accDefaultAction(Child(quantity), action.Put()));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, acc->accSelect(SELFLAG_TAKEFOCUS, Child(quantity)));
    EXPECT_NE(window, ::GetFocus());
    for (LONG id : {LONG{CHILDID_SELF}, quantity, IdOf("Customer")})
        EXPECT_EQ(STATE_SYSTEM_UNAVAILABLE,
                  State(id) & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE));
    PumpMessages();
    EXPECT_TRUE(sink.Events.empty());
}

TEST_F(AccessibilityTest, SelectingWithTakeFocusFocusesTheSection) {
    ASSERT_EQ(S_OK, acc->accSelect(SELFLAG_TAKEFOCUS, Child(IdOf("Delivery"))));
    EXPECT_EQ(window, ::GetFocus());
    EXPECT_EQ("Delivery", header->FocusedSection()->Caption());
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, acc->accSelect(SELFLAG_TAKESELECTION, Child(1)));
}

TEST_F(AccessibilityTest, BadArgumentsAreRefused) {
    TBstr text;
    VARIANT out;
    EXPECT_EQ(E_INVALIDARG, acc->get_accName(Child(13), text.Put()));
    EXPECT_EQ(E_INVALIDARG, acc->get_accName(Child(-3), text.Put()));
    VARIANT notAnId;
    VariantInit(&notAnId);
    notAnId.vt = VT_R8;
    notAnId.dblVal = 1.0;
    EXPECT_EQ(E_INVALIDARG, acc->get_accRole(notAnId, &out));
    EXPECT_EQ(E_INVALIDARG, acc->accDoDefaultAction(Child(99)));
    EXPECT_EQ(E_POINTER, acc->get_accName(Child(1), nullptr));
    EXPECT_EQ(E_POINTER, acc->get_accChildCount(nullptr));
    EXPECT_EQ(E_POINTER, acc->accLocation(nullptr, nullptr, nullptr, nullptr, Child(1)));
    EXPECT_EQ(E_POINTER, acc->accNavigate(NAVDIR_NEXT, Child(1), nullptr));
    EXPECT_EQ(E_INVALIDARG, acc->accNavigate(0x99, Child(1), &out));
    TComPtr<IDispatch> object;
    EXPECT_EQ(E_INVALIDARG, acc->get_accChild(Child(CHILDID_SELF), object.Put()));
    EXPECT_EQ(E_NOTIMPL, acc->put_accName(Child(1), nullptr));
}

TEST_F(AccessibilityTest, AClientHoldingTheObjectOutlivesTheControl) {
    TComPtr<IAccessible> held = acc;
    acc.Reset();
    point->Unadvise(cookie);
    cookie = 0;
    point.Reset();
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    ole.Reset();
    control.Reset();
    PumpMessages();
    long count = 0;
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, held->get_accChildCount(&count));
    TBstr name;
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, held->get_accName(Child(1), name.Put()));
}

// A screen reader may call the object it holds from any thread while the
// control goes on its own: every such call answers at once, touching nothing.
TEST_F(AccessibilityTest, CallsFromAnotherThreadWhileTheControlGoesTouchNothingOfIt) {
    std::atomic<bool> stop{false};
    std::atomic<int> calls{0}, otherAnswers{0};
    std::thread client([&, held = acc.Get()] {
        for (long count = 0; !stop; ++calls)
            otherAnswers += held->get_accChildCount(&count) != RPC_E_WRONG_THREAD;
    });
    const auto letItCall = [&] {
        for (const int until = calls + 500; calls < until;)
            ::Sleep(0);
    };
    letItCall();
    point->Unadvise(cookie);
    cookie = 0;
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    ole.Reset();
    control.Reset();
    PumpMessages();
    letItCall();
    stop = true;
    client.join();
    EXPECT_EQ(0, otherAnswers.load());
}

// --- WinEvents ----------------------------------------------------------------------

struct HeardEvent {
    DWORD Event;
    LONG Child;
    bool operator==(const HeardEvent& o) const { return Event == o.Event && Child == o.Child; }
};
std::vector<HeardEvent> heard;
HWND heardWindow = nullptr;

void CALLBACK HearEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                        DWORD) {
    // The system announces the window's own focus itself (CHILDID_SELF).
    if (hwnd == heardWindow && object == OBJID_CLIENT &&
        !(event == EVENT_OBJECT_FOCUS && child == CHILDID_SELF))
        heard.push_back(HeardEvent{event, child});
}

std::string Describe(const std::vector<HeardEvent>& events) {
    std::string out;
    for (const HeardEvent& e : events)
        out += std::to_string(e.Event) + ":" + std::to_string(e.Child) + " ";
    return out;
}

TEST_F(AccessibilityTest, FocusNamesAndOrderAreAnnounced) {
    heard.clear();
    heardWindow = window;
    const HWINEVENTHOOK hook =
        ::SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_NAMECHANGE, nullptr, &HearEvent,
                          ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(nullptr, hook);
    ::SendMessageA(window, WM_NULL, 0, 0); // the header takes note of how things are
    FocusRightThenEditAsHost(*control.Get(), window);
    ::UnhookWinEvent(hook);

    const std::vector<HeardEvent> expected = {
        {EVENT_OBJECT_FOCUS, IdOf("Customer")},
        {EVENT_OBJECT_FOCUS, IdOf("Order")},
        {EVENT_OBJECT_NAMECHANGE, IdOf("Order")},
        {EVENT_OBJECT_REORDER, CHILDID_SELF},
    };
    EXPECT_EQ(expected, heard) << Describe(heard);
}

// A hook for these tests' WinEvents; Heard() gives what it heard since the
// last call as text, each section by its caption: " Name:Order Reorder".
class HookedAccessibilityTest : public AccessibilityTest {
protected:
    void SetUp() override {
        AccessibilityTest::SetUp();
        heard.clear();
        heardWindow = window;
        hook = ::SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_DEFACTIONCHANGE, nullptr,
                                 &HearEvent, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(nullptr, hook);
        ::SendMessageA(window, WM_NULL, 0, 0); // the header takes note of how things are
    }
    void TearDown() override {
        ::UnhookWinEvent(hook);
        AccessibilityTest::TearDown();
    }
    std::string Heard() {
        PumpMessages();
        std::string out;
        for (const HeardEvent& e : heard) {
            const char* kind = e.Event == EVENT_OBJECT_FOCUS             ? "Focus"
                               : e.Event == EVENT_OBJECT_NAMECHANGE      ? "Name"
                               : e.Event == EVENT_OBJECT_LOCATIONCHANGE  ? "Location"
                               : e.Event == EVENT_OBJECT_REORDER         ? "Reorder"
                               : e.Event == EVENT_OBJECT_DEFACTIONCHANGE ? "Action"
                                                                         : nullptr;
            if (kind != nullptr)
                out += std::string(" ") + kind +
                       (e.Child != CHILDID_SELF ? ":" + header->AccessibleChild(e.Child)->Caption()
                                                : std::string());
        }
        heard.clear();
        return out;
    }
    HWINEVENTHOOK hook = nullptr;
};

// A host's calls are announced when they return, not at some later message;
// a resize moves rectangles, a switch of AllowClick changes the actions.
TEST_F(HookedAccessibilityTest, HostCallsAreAnnouncedWhenTheyReturn) {
    TComPtr<ISections> root, order, customer;
    ASSERT_EQ(S_OK, control->get_Sections(root.Put()));
    ASSERT_EQ(S_OK, root->get_Items(1, order.Put()));
    ASSERT_EQ(S_OK, root->get_Items(0, customer.Put()));
    const TBstr caption = TextToBstr("Order");
    TComPtr<ISections> quantity, name;
    ASSERT_EQ(S_OK, order->get_Items(0, quantity.Put()));
    ASSERT_EQ(S_OK, customer->get_Items(0, name.Put()));
    struct Step {
        const char* name;
        std::function<HRESULT()> call;
        const char* expected;
    };
    const Step steps[] = {
        {"a rename", [&] { return order->put_Caption(caption.Get()); }, " Name:Order"},
        // The group keeps its extent: its last column reaches the edge.
        {"a width", [&] { return quantity->put_Width(60); },
         " Location:Quantity Location:Delivery Location:Planned delivery date"
         " Location:Notes on shipping and handling"},
        {"an exchange", [&] { return order->Exchange(0, 1); }, " Reorder"},
        {"a resize of the control", [&] { return header->SetWidth(500), S_OK; },
         " Location:Order Location:Delivery Location:Notes on shipping and handling"},
        {"a section deleted", [&] { return customer->DeleteItem(name.Get()); },
         " Location:Customer Location:Contact Location:Phone"
         " Location:E-mail address of the customer Location:Order Location:Delivery"
         " Location:Planned delivery date Location:Notes on shipping and handling"
         " Location:Quantity Reorder"},
    };
    for (const Step& step : steps) {
        ASSERT_EQ(S_OK, step.call()) << step.name;
        EXPECT_EQ(step.expected, Heard()) << step.name;
    }
    ASSERT_EQ(S_OK, control->put_AllowClick(VARIANT_FALSE));
    std::string actions;
    for (int id = 1; id <= header->AccessibleChildCount(); ++id)
        actions += " Action:" + header->AccessibleChild(id)->Caption();
    EXPECT_EQ(actions, Heard());
}

// Selection: one focus event, the new section's, with the focus outside or in.
TEST_F(HookedAccessibilityTest, TakingTheFocusAnnouncesOnlyTheNewSection) {
    for (const char* target : {"Delivery", "Phone"}) {
        ASSERT_EQ(S_OK, acc->accSelect(SELFLAG_TAKEFOCUS, Child(IdOf(target))));
        EXPECT_EQ(std::string(" Focus:") + target, Heard());
    }
}

} // namespace
} // namespace corvane::server::test

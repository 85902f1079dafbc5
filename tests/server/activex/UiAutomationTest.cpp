// The header as a UI Automation client sees it: the demo's sample tree in
// place, walked through the system's own core (uiautomationcore's node
// functions), the patterns called on the providers, and the events raised.
#include "TestHost.h"

#include "../../core/HeaderColumnsTestTree.h"

#include "core/model/HeaderColumns.h"
#include "demo/SampleTree.h"
#include "server/activex/UiaHeader.h"
#include "win32/WideText.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace corvane::server::test {
namespace {

// The client side of uiautomationcore, as the platform SDK declares it.
struct UiaNodeData;
using UiaNode = UiaNodeData*; // HUIANODE
enum UiaTreeScope { UiaScopeElement = 1 };
enum UiaConditionKind { UiaConditionTrue = 0 };
struct UiaConditionData {
    int ConditionType;
};
struct UiaCacheRequestData {
    UiaConditionData* ViewCondition;
    int Scope;
    PROPERTYID* Properties;
    int PropertyCount;
    PATTERNID* Patterns;
    int PatternCount;
    int ElementMode; // AutomationElementMode_Full
};

struct TUiaClient {
    HRESULT(WINAPI* NodeFromHandle)(HWND, UiaNode*) = nullptr;
    BOOL(WINAPI* NodeRelease)(UiaNode) = nullptr;
    HRESULT(WINAPI* GetPropertyValue)(UiaNode, PROPERTYID, VARIANT*) = nullptr;
    HRESULT(WINAPI* GetRuntimeId)(UiaNode, SAFEARRAY**) = nullptr;
    HRESULT(WINAPI* Navigate)
    (UiaNode, int, UiaConditionData*, UiaCacheRequestData*, SAFEARRAY**, BSTR*) = nullptr;
    HRESULT(WINAPI* NodeFromVariant)(VARIANT*, UiaNode*) = nullptr;
};

template <class F> void Load(HMODULE module, const char* name, F& f) {
    f = reinterpret_cast<F>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
    ASSERT_NE(nullptr, f) << name;
}

std::string Narrow(const VARIANT& v) {
    return v.vt == VT_BSTR ? win32::Utf8FromWide(v.bstrVal, SysStringLen(v.bstrVal))
                           : "<vt " + std::to_string(v.vt) + ">";
}

std::vector<int> Ints(SAFEARRAY* array) {
    std::vector<int> out;
    LONG low = 0, high = -1;
    if (array == nullptr)
        return out;
    ::SafeArrayGetLBound(array, 1, &low);
    ::SafeArrayGetUBound(array, 1, &high);
    for (LONG i = low; i <= high; ++i) {
        int v = 0;
        ::SafeArrayGetElement(array, &i, &v);
        out.push_back(v);
    }
    return out;
}

// --- Events, as the control raises them -------------------------------------------

std::vector<std::string> g_raised;

std::string NameOf(IRawElementProviderSimple* element) {
    TVariant name;
    element->GetPropertyValue(UIA_NamePropertyId, &name);
    TVariant type;
    element->GetPropertyValue(UIA_ControlTypePropertyId, &type);
    if (type.vt == VT_I4 && type.lVal == UiaHeaderControlTypeId)
        return "header";
    return Narrow(name);
}

BOOL WINAPI Listening() {
    return TRUE;
}
HRESULT WINAPI RecordEvent(IRawElementProviderSimple* element, int event) {
    g_raised.push_back((event == UiaAutomationFocusChangedEventId ? "focus "
                        : event == UiaInvokeInvokedEventId        ? "invoked "
                                                                  : "event ") +
                       NameOf(element));
    return S_OK;
}
HRESULT WINAPI RecordPropertyChange(IRawElementProviderSimple* element, int property, VARIANT,
                                    VARIANT value) {
    std::string what = property == UIA_NamePropertyId ? "name " + Narrow(value) + " of "
                       : property == UIA_BoundingRectanglePropertyId ? "rect of "
                                                                     : "property of ";
    g_raised.push_back(what + NameOf(element));
    return S_OK;
}
HRESULT WINAPI RecordStructure(IRawElementProviderSimple* element, int change, int*, int) {
    g_raised.push_back("structure " + std::to_string(change) + " " + NameOf(element));
    return S_OK;
}

class UiAutomationTest : public ControlTest {
protected:
    void SetUp() override {
        const HMODULE core = ::LoadLibraryW(L"uiautomationcore.dll");
        ASSERT_NE(nullptr, core);
        Load(core, "UiaNodeFromHandle", uia.NodeFromHandle);
        Load(core, "UiaNodeRelease", uia.NodeRelease);
        Load(core, "UiaGetPropertyValue", uia.GetPropertyValue);
        Load(core, "UiaGetRuntimeId", uia.GetRuntimeId);
        Load(core, "UiaNavigate", uia.Navigate);
        Load(core, "UiaHUiaNodeFromVariant", uia.NodeFromVariant);

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
        root = TComPtr<TUiaHeader>(&Object(control.Get()).AutomationRoot());
        auto container =
            Query<IConnectionPointContainer>(control.Get(), IID_IConnectionPointContainer);
        ASSERT_EQ(S_OK, container->FindConnectionPoint(DIID_ICorvaneEvents, point.Put()));
        ASSERT_EQ(S_OK, point->Advise(&sink, &cookie));
    }
    void TearDown() override {
        SetUiaEventFunctionsForTesting(nullptr);
        root.Reset();
        if (cookie != 0)
            point->Unadvise(cookie);
        point.Reset();
        if (ole) {
            ole->Close(OLECLOSE_NOSAVE);
            ole->SetClientSite(nullptr);
        }
        ole.Reset();
        control.Reset();
        PumpMessages();
        ControlTest::TearDown();
    }

    // The element of a section, found from the root through our Navigate.
    TComPtr<IRawElementProviderFragment> Element(const std::string& caption) {
        const THeaderColumns* wanted = corvane::testing::Find(header->Sections(), caption);
        std::vector<TComPtr<IRawElementProviderFragment>> pending;
        TComPtr<IRawElementProviderFragment> child;
        root->Navigate(NavigateDirection_FirstChild, child.Put());
        while (child) {
            TVariant name;
            auto simple = TComPtr<IRawElementProviderSimple>::From(
                child.Get(), __uuidof(IRawElementProviderSimple));
            simple->GetPropertyValue(UIA_NamePropertyId, &name);
            if (Narrow(name) == wanted->Caption())
                return child;
            TComPtr<IRawElementProviderFragment> next;
            child->Navigate(NavigateDirection_FirstChild, next.Put());
            if (!next) {
                TComPtr<IRawElementProviderFragment> at = child;
                while (at && !next) {
                    at->Navigate(NavigateDirection_NextSibling, next.Put());
                    if (!next) {
                        TComPtr<IRawElementProviderFragment> up;
                        at->Navigate(NavigateDirection_Parent, up.Put());
                        at = up.Get() == static_cast<IRawElementProviderFragment*>(root.Get())
                                 ? TComPtr<IRawElementProviderFragment>()
                                 : up;
                    }
                }
            }
            child = next;
        }
        ADD_FAILURE() << "no element for " << caption;
        return {};
    }
    template <class I> TComPtr<I> Pattern(const std::string& caption) {
        return TComPtr<I>::From(Element(caption).Get(), __uuidof(I));
    }
    // Screen rectangle of a section where it is drawn, as the control computes it.
    RECT Drawn(const std::string& caption) {
        const THeaderColumns* s = corvane::testing::Find(header->Sections(), caption);
        RECT drawn{};
        if (!header->SectionShown(s))
            return drawn;
        const TRect r = header->SectionRect(s);
        RECT client{}, full{r.Left, r.Top, r.Right, r.Bottom};
        ::GetClientRect(window, &client);
        ::IntersectRect(&drawn, &full, &client);
        ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&drawn), 2);
        return drawn;
    }
    void RecordEvents() {
        recorder = UiaCore();
        recorder.ClientsAreListening = &Listening;
        recorder.RaiseAutomationEvent = &RecordEvent;
        recorder.RaiseAutomationPropertyChangedEvent = &RecordPropertyChange;
        recorder.RaiseStructureChangedEvent = &RecordStructure;
        SetUiaEventFunctionsForTesting(&recorder);
        ::SendMessageA(window, WM_NULL, 0, 0); // the header takes note of how things are
        g_raised.clear();
    }

    TUiaClient uia;
    TUiaCore recorder;
    TestSite site;
    TComPtr<ICorvane> control;
    TComPtr<IOleObject> ole;
    TStrativ* header = nullptr;
    HWND window = nullptr;
    TComPtr<TUiaHeader> root;
    EventSink sink;
    TComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
};

// --- Through the system's core ----------------------------------------------------

// What the client saw of one element.
struct SeenElement {
    std::string Name;
    int ControlType = 0;
    std::vector<double> Rect; // left, top, width, height; empty: no value
    bool Offscreen = false;
    std::vector<int> RuntimeId;
};

// Runs a client on a thread of its own, as a screen reader is: calls reach
// the control's providers through this thread's message loop, which runs
// meanwhile.
void RunClient(const std::function<void()>& client) {
    std::atomic<bool> done{false};
    const DWORD self = ::GetCurrentThreadId();
    std::thread worker([&] {
        ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        client();
        ::CoUninitialize();
        done = true;
        ::PostThreadMessageA(self, WM_NULL, 0, 0);
    });
    const DWORD until = ::GetTickCount() + 60000;
    while (!done && ::GetTickCount() < until) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        PumpMessages();
    }
    ASSERT_TRUE(done) << "the client hangs";
    worker.join();
}

TEST_F(UiAutomationTest, TheSampleTreeWalkedThroughTheSystemsCore) {
    std::string tree; // "Customer(Name(First name,...),...),..."
    std::vector<SeenElement> seen;
    int headerType = 0;
    RunClient([&] {
        UiaNode node = nullptr;
        ASSERT_EQ(S_OK, uia.NodeFromHandle(window, &node));
        TVariant type;
        ASSERT_EQ(S_OK, uia.GetPropertyValue(node, UIA_ControlTypePropertyId, &type));
        headerType = type.vt == VT_I4 ? type.lVal : -1;
        UiaConditionData all{UiaConditionTrue};
        UiaCacheRequestData request{&all, UiaScopeElement, nullptr, 0, nullptr, 0, 1};
        // Depth first: each element's first child, then its next sibling.
        std::function<void(UiaNode, int)> walk = [&](UiaNode from, int direction) {
            SAFEARRAY* data = nullptr;
            BSTR structure = nullptr;
            ASSERT_EQ(S_OK, uia.Navigate(from, direction, &all, &request, &data, &structure));
            ::SysFreeString(structure);
            if (data == nullptr)
                return;
            LONG at[2] = {0, 0};
            TVariant v;
            ASSERT_EQ(S_OK, ::SafeArrayGetElement(data, at, &v));
            UiaNode found = nullptr;
            ASSERT_EQ(S_OK, uia.NodeFromVariant(&v, &found));
            SeenElement e;
            TVariant name, itemType, rect, offscreen;
            EXPECT_EQ(S_OK, uia.GetPropertyValue(found, UIA_NamePropertyId, &name));
            EXPECT_EQ(S_OK, uia.GetPropertyValue(found, UIA_ControlTypePropertyId, &itemType));
            // Wine 8's core does not read this property (E_NOTIMPL); the
            // providers' own answer is checked below.
            const HRESULT hr = uia.GetPropertyValue(found, UIA_BoundingRectanglePropertyId, &rect);
            EXPECT_TRUE(hr == S_OK || hr == E_NOTIMPL) << hr;
            EXPECT_EQ(S_OK, uia.GetPropertyValue(found, UIA_IsOffscreenPropertyId, &offscreen));
            e.Name = Narrow(name);
            e.ControlType = itemType.vt == VT_I4 ? itemType.lVal : -1;
            e.Offscreen = offscreen.vt == VT_BOOL && offscreen.boolVal != VARIANT_FALSE;
            if (rect.vt == (VT_R8 | VT_ARRAY)) {
                e.Rect.assign(4, 0.0);
                for (LONG i = 0; i < 4; ++i)
                    ::SafeArrayGetElement(rect.parray, &i, &e.Rect[static_cast<size_t>(i)]);
            }
            SAFEARRAY* id = nullptr;
            EXPECT_EQ(S_OK, uia.GetRuntimeId(found, &id));
            e.RuntimeId = Ints(id);
            ::SafeArrayDestroy(id);
            seen.push_back(e);
            if (direction == NavigateDirection_NextSibling)
                tree += ",";
            tree += e.Name + "(";
            const size_t mark = tree.size();
            walk(found, NavigateDirection_FirstChild);
            if (tree.size() == mark)
                tree.pop_back();
            else
                tree += ")";
            walk(found, NavigateDirection_NextSibling);
            uia.NodeRelease(found);
            ::SafeArrayDestroy(data);
        };
        walk(node, NavigateDirection_FirstChild);
        uia.NodeRelease(node);
    });

    EXPECT_EQ(UiaHeaderControlTypeId, headerType);
    EXPECT_EQ("Customer(Name(First name,Last name),Contact(Phone,E-mail address of the customer)),"
              "Order details(Quantity,Delivery(Planned delivery date,Notes on shipping and "
              "handling))",
              tree);
    std::set<std::vector<int>> ids;
    for (const SeenElement& e : seen) {
        const THeaderColumns* section = corvane::testing::Find(header->Sections(), e.Name);
        ASSERT_NE(nullptr, section) << e.Name;
        EXPECT_EQ(UiaHeaderItemControlTypeId, e.ControlType) << e.Name;
        EXPECT_EQ(!header->SectionShown(section), e.Offscreen) << e.Name;
        const RECT drawn = Drawn(e.Name);
        // The core hands an empty rectangle on as no value at all.
        if (!e.Rect.empty()) {
            EXPECT_EQ((std::vector<double>{double(drawn.left), double(drawn.top),
                                           double(drawn.right - drawn.left),
                                           double(drawn.bottom - drawn.top)}),
                      e.Rect)
                << e.Name;
        }
        // The window's part first, then the section's own.
        EXPECT_GE(e.RuntimeId.size(), 2u) << e.Name;
        ids.insert(e.RuntimeId);
    }
    EXPECT_EQ(12u, seen.size());
    EXPECT_EQ(seen.size(), ids.size()) << "every section has an id of its own";
}

// --- The providers' own answers ----------------------------------------------------

TEST_F(UiAutomationTest, SectionsSayWhatTheyAreAndWhereTheyAre) {
    ::SetFocus(window);
    header->SetFocusedSection(corvane::testing::Find(header->Sections(), "Phone"));
    struct Case {
        const char* section;
        bool focused, offscreen;
    };
    const Case cases[] = {
        {"Customer", false, false},
        {"Phone", true, false},
        {"Quantity", false, false},
        {"Notes on shipping and handling", false, false},
    };
    for (const Case& c : cases) {
        auto simple = TComPtr<IRawElementProviderSimple>::From(Element(c.section).Get(),
                                                               __uuidof(IRawElementProviderSimple));
        TVariant focus, focusable, enabled, offscreen, id;
        ASSERT_EQ(S_OK, simple->GetPropertyValue(UIA_HasKeyboardFocusPropertyId, &focus));
        ASSERT_EQ(S_OK, simple->GetPropertyValue(UIA_IsKeyboardFocusablePropertyId, &focusable));
        ASSERT_EQ(S_OK, simple->GetPropertyValue(UIA_IsEnabledPropertyId, &enabled));
        ASSERT_EQ(S_OK, simple->GetPropertyValue(UIA_IsOffscreenPropertyId, &offscreen));
        ASSERT_EQ(S_OK, simple->GetPropertyValue(UIA_AutomationIdPropertyId, &id));
        EXPECT_EQ(c.focused, focus.boolVal != VARIANT_FALSE) << c.section;
        EXPECT_NE(VARIANT_FALSE, focusable.boolVal) << c.section;
        EXPECT_NE(VARIANT_FALSE, enabled.boolVal) << c.section;
        EXPECT_EQ(c.offscreen, offscreen.boolVal != VARIANT_FALSE) << c.section;
        EXPECT_EQ(VT_BSTR, id.vt) << c.section;
        UiaRect rect{};
        ASSERT_EQ(S_OK, Element(c.section)->get_BoundingRectangle(&rect));
        const RECT drawn = Drawn(c.section);
        EXPECT_EQ(double(drawn.left), rect.left) << c.section;
        EXPECT_EQ(double(drawn.right - drawn.left), rect.width) << c.section;
    }
    // A column pushed past the right edge is not drawn.
    corvane::testing::Find(header->Sections(), "First name")->SetWidth(600);
    TVariant pushed;
    auto notes = TComPtr<IRawElementProviderSimple>::From(
        Element("Notes on shipping and handling").Get(), __uuidof(IRawElementProviderSimple));
    ASSERT_EQ(S_OK, notes->GetPropertyValue(UIA_IsOffscreenPropertyId, &pushed));
    EXPECT_NE(VARIANT_FALSE, pushed.boolVal);
    UiaRect none{};
    ASSERT_EQ(S_OK, Element("Notes on shipping and handling")->get_BoundingRectangle(&none));
    EXPECT_EQ(0.0, none.width);
    corvane::testing::Find(header->Sections(), "First name")->SetWidth(85);

    // The focused section and the one under a point, from the root.
    TComPtr<IRawElementProviderFragment> focused, atPoint;
    ASSERT_EQ(S_OK, root->GetFocus(focused.Put()));
    SAFEARRAY* focusedId = nullptr;
    SAFEARRAY* phoneId = nullptr;
    ASSERT_EQ(S_OK, focused->GetRuntimeId(&focusedId));
    ASSERT_EQ(S_OK, Element("Phone")->GetRuntimeId(&phoneId));
    EXPECT_EQ(Ints(phoneId), Ints(focusedId));
    const RECT quantity = Drawn("Quantity");
    ASSERT_EQ(S_OK, root->ElementProviderFromPoint(quantity.left + 3, quantity.bottom - 3,
                                                   atPoint.Put()));
    SAFEARRAY* atId = nullptr;
    SAFEARRAY* quantityId = nullptr;
    ASSERT_EQ(S_OK, atPoint->GetRuntimeId(&atId));
    ASSERT_EQ(S_OK, Element("Quantity")->GetRuntimeId(&quantityId));
    EXPECT_EQ(Ints(quantityId), Ints(atId));
    for (SAFEARRAY* a : {focusedId, phoneId, atId, quantityId})
        ::SafeArrayDestroy(a);
    ASSERT_EQ(S_OK, root->ElementProviderFromPoint(-5000, -5000, atPoint.Put()));
    EXPECT_FALSE(atPoint);
}

TEST_F(UiAutomationTest, TheGridOfLevelsAndColumns) {
    int rows = 0, columns = 0;
    ASSERT_EQ(S_OK, root->get_RowCount(&rows));
    ASSERT_EQ(S_OK, root->get_ColumnCount(&columns));
    EXPECT_EQ(3, rows);
    EXPECT_EQ(7, columns);
    struct Cell {
        const char* section;
        int row, column, rowSpan, columnSpan;
    };
    const Cell cells[] = {
        {"Customer", 0, 0, 1, 4},  {"Contact", 1, 2, 1, 2},
        {"Last name", 2, 1, 1, 1}, {"Order details", 0, 4, 1, 3},
        {"Quantity", 1, 4, 2, 1},  {"Notes on shipping and handling", 2, 6, 1, 1},
    };
    for (const Cell& c : cells) {
        auto item = Pattern<IGridItemProvider>(c.section);
        ASSERT_TRUE(item) << c.section;
        int row = -1, column = -1, rowSpan = -1, columnSpan = -1;
        ASSERT_EQ(S_OK, item->get_Row(&row));
        ASSERT_EQ(S_OK, item->get_Column(&column));
        ASSERT_EQ(S_OK, item->get_RowSpan(&rowSpan));
        ASSERT_EQ(S_OK, item->get_ColumnSpan(&columnSpan));
        EXPECT_EQ(c.row, row) << c.section;
        EXPECT_EQ(c.column, column) << c.section;
        EXPECT_EQ(c.rowSpan, rowSpan) << c.section;
        EXPECT_EQ(c.columnSpan, columnSpan) << c.section;
        TComPtr<IRawElementProviderSimple> grid, cell;
        ASSERT_EQ(S_OK, item->get_ContainingGrid(grid.Put()));
        EXPECT_EQ(static_cast<IRawElementProviderSimple*>(root.Get()), grid.Get());
        ASSERT_EQ(S_OK, root->GetItem(row + rowSpan - 1, column + columnSpan - 1, cell.Put()));
        EXPECT_EQ(c.section, NameOf(cell.Get()));
    }
    TComPtr<IRawElementProviderSimple> none;
    EXPECT_EQ(E_INVALIDARG, root->GetItem(3, 0, none.Put()));
    EXPECT_EQ(E_INVALIDARG, root->GetItem(0, -1, none.Put()));
    EXPECT_EQ(E_POINTER, root->GetItem(0, 0, nullptr));
}

TEST_F(UiAutomationTest, InvokeClicksFromTheMessageLoopAndTransformResizes) {
    RecordEvents();
    auto invoke = Pattern<IInvokeProvider>("Quantity");
    ASSERT_TRUE(invoke);
    ASSERT_EQ(S_OK, invoke->Invoke());
    EXPECT_TRUE(sink.Events.empty()) << "the click waits for the message loop";
    PumpMessages();
    ASSERT_EQ(1u, sink.Events.size());
    EXPECT_EQ(5, sink.Events[0].Dispid); // OnHeaderClick
    EXPECT_EQ(std::vector<std::string>{"Quantity"}, sink.Events[0].Args);
    EXPECT_EQ(std::vector<std::string>{"invoked Quantity"}, g_raised);

    sink.Events.clear();
    g_raised.clear();
    auto transform = Pattern<ITransformProvider>("Last name");
    BOOL can = FALSE;
    ASSERT_EQ(S_OK, transform->get_CanResize(&can));
    EXPECT_TRUE(can);
    ASSERT_EQ(S_OK, transform->get_CanMove(&can));
    EXPECT_FALSE(can);
    ASSERT_EQ(S_OK, transform->get_CanRotate(&can));
    EXPECT_FALSE(can);
    ASSERT_EQ(S_OK, transform->Resize(123.4, 0));
    ::SendMessageA(window, WM_NULL, 0, 0); // the header notes what changed
    ASSERT_EQ(2u, sink.Events.size());
    EXPECT_EQ(6, sink.Events[0].Dispid); // OnSizing
    EXPECT_EQ((std::vector<std::string>{"Last name", "123", "1"}), sink.Events[0].Args);
    EXPECT_EQ(11, sink.Events[1].Dispid); // OnSized
    EXPECT_EQ(123, corvane::testing::Find(header->Sections(), "Last name")->Width());
    // The resized column and every one drawn right of it moved.
    const std::vector<std::string> moved = {"rect of Customer",
                                            "rect of Name",
                                            "rect of Last name",
                                            "rect of Contact",
                                            "rect of Phone",
                                            "rect of E-mail address of the customer",
                                            "rect of Order details",
                                            "rect of Quantity",
                                            "rect of Delivery",
                                            "rect of Planned delivery date",
                                            "rect of Notes on shipping and handling"};
    EXPECT_EQ(moved, g_raised);
    EXPECT_EQ(UiaInvalidOperation, transform->Move(1, 1));
    EXPECT_EQ(E_INVALIDARG, transform->Resize(-1, 0));

    // Switched off: no click pattern, no resizing.
    ASSERT_EQ(S_OK, control->put_AllowClick(VARIANT_FALSE));
    ASSERT_EQ(S_OK, control->put_AllowHResize(VARIANT_FALSE));
    TComPtr<IUnknown> none;
    auto simple = TComPtr<IRawElementProviderSimple>::From(Element("Quantity").Get(),
                                                           __uuidof(IRawElementProviderSimple));
    ASSERT_EQ(S_OK, simple->GetPatternProvider(UIA_InvokePatternId, none.Put()));
    EXPECT_FALSE(none);
    EXPECT_EQ(UiaElementNotEnabled, invoke->Invoke());
    ASSERT_EQ(S_OK, transform->get_CanResize(&can));
    EXPECT_FALSE(can);
    EXPECT_EQ(UiaInvalidOperation, transform->Resize(200, 0));
    PumpMessages();
    EXPECT_EQ(2u, sink.Events.size());
}

TEST_F(UiAutomationTest, FocusNamesAndStructureAreRaisedWhoeverChangesThem) {
    RecordEvents();
    ::SendMessageA(window, WM_NULL, 0, 0); // the header takes note of how things are
    g_raised.clear();
    FocusRightThenEditAsHost(*control.Get(), window);
    const std::vector<std::string> expected = {"focus Customer", "focus Order details",
                                               "name Order of Order", "structure 2 header"};
    std::vector<std::string> got;
    // Rectangles moved by the new column are not the point here.
    std::copy_if(g_raised.begin(), g_raised.end(), std::back_inserter(got),
                 [](const std::string& e) { return e.rfind("rect", 0) != 0; });
    EXPECT_EQ(expected, got);
}

// --- Lifetime and threads ----------------------------------------------------------

TEST_F(UiAutomationTest, ElementsFollowTheirSectionsAndOutliveTheControl) {
    auto phone = Element("Phone");
    SAFEARRAY* before = nullptr;
    ASSERT_EQ(S_OK, phone->GetRuntimeId(&before));
    // Moved to another parent, and other sections gone: the same element.
    header->Sections()->Items(0)->DeleteItem(header->Sections()->Items(0)->Items(0));
    corvane::testing::Find(header->Sections(), "Phone")
        ->SetParent(corvane::testing::Find(header->Sections(), "Order details"));
    SAFEARRAY* after = nullptr;
    ASSERT_EQ(S_OK, phone->GetRuntimeId(&after));
    EXPECT_EQ(Ints(before), Ints(after));
    ::SafeArrayDestroy(before);
    ::SafeArrayDestroy(after);
    TComPtr<IRawElementProviderFragment> parent;
    ASSERT_EQ(S_OK, phone->Navigate(NavigateDirection_Parent, parent.Put()));
    EXPECT_EQ("Order details", NameOf(TComPtr<IRawElementProviderSimple>::From(
                                          parent.Get(), __uuidof(IRawElementProviderSimple))
                                          .Get()));
    // A section gone: its element is no more.
    auto quantity = Element("Quantity");
    header->Sections()->Items(1)->DeleteItem(
        corvane::testing::Find(header->Sections(), "Quantity"));
    UiaRect rect{};
    EXPECT_EQ(UiaElementNotAvailable, quantity->get_BoundingRectangle(&rect));

    // From another thread: answered on the control's thread.
    UiaRect fromOther{};
    HRESULT other = E_FAIL;
    RunClient([&] { other = phone->get_BoundingRectangle(&fromOther); });
    EXPECT_EQ(S_OK, other);
    EXPECT_EQ(double(Drawn("Phone").left), fromOther.left);

    // The control goes; the client still holds the elements.
    point->Unadvise(cookie);
    cookie = 0;
    point.Reset();
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    ole.Reset();
    control.Reset();
    PumpMessages();
    EXPECT_EQ(UiaElementNotAvailable, phone->get_BoundingRectangle(&rect));
    int count = 0;
    EXPECT_EQ(UiaElementNotAvailable, root->get_RowCount(&count));
    TVariant name;
    EXPECT_EQ(UiaElementNotAvailable, TComPtr<IRawElementProviderSimple>::From(
                                          phone.Get(), __uuidof(IRawElementProviderSimple))
                                          ->GetPropertyValue(UIA_NamePropertyId, &name));
}

} // namespace
} // namespace corvane::server::test

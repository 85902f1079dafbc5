// The property page object as a host drives it: created by the module's
// factory, activated in a frame window with a created control, edited
// through its real controls, applied.

#include "CustomizeDialogWatch.h"
#include "PageTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>

using namespace corvane::server;
using namespace corvane::server::testing;
using namespace corvane::win32::testing;

namespace {

// Control ids of the page's fields (the editor pages').
constexpr int HeadersId = 110, WidthEditId = 111, BorderWidthId = 120, BevelWidthId = 121,
              HintEditId = 122;
constexpr RECT PageBounds{0, 0, 469, 349};

void SetText(HWND page, int id, const char* text) {
    ::SendMessageA(DialogControl(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

TEST(PropertyPageObject, DescribesItselfAndChecksItsArguments) {
    TComPtr<IPropertyPage> page = NewPage();
    ASSERT_TRUE(page);
    PROPPAGEINFO info{};
    ASSERT_EQ(page->GetPageInfo(&info), S_OK);
    EXPECT_EQ(info.cb, sizeof info);
    EXPECT_STREQ(info.pszTitle, L"Customizing...");
    EXPECT_EQ(info.size.cx, 469);
    EXPECT_EQ(info.size.cy, 349);
    ::CoTaskMemFree(info.pszTitle);
    ::CoTaskMemFree(info.pszDocString);
    ::CoTaskMemFree(info.pszHelpFile);

    EXPECT_EQ(page->Help(L"C:\\"), E_NOTIMPL);
    EXPECT_EQ(page->GetPageInfo(nullptr), E_POINTER);
    EXPECT_EQ(page->Activate(nullptr, nullptr, TRUE), E_POINTER);
    EXPECT_EQ(page->Move(nullptr), E_POINTER);
    EXPECT_EQ(page->TranslateAccelerator(nullptr), E_POINTER);
    EXPECT_EQ(page->SetObjects(1, nullptr), E_POINTER);
    // Nothing to show, move or deactivate before an activation.
    EXPECT_EQ(page->Show(SW_SHOW), E_UNEXPECTED);
    EXPECT_EQ(page->Move(&PageBounds), E_UNEXPECTED);
    EXPECT_EQ(page->Deactivate(), E_UNEXPECTED);
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);
    EXPECT_EQ(page->Apply(), S_OK); // nothing loaded, nothing to write

    TComPtr<IUnknown> outer(page.Get());
    void* aggregated = &outer;
    EXPECT_EQ(ModuleFactory(PageClassId)->CreateInstance(outer.Get(), IID_IUnknown, &aggregated),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(aggregated, nullptr);
}

// A page activated in a frame window for one created control.
class ActivePage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(page && control);
        SetSectionCaption(control.Get(), 0, "First");
        ASSERT_EQ(page->SetPageSite(&site), S_OK);
        IUnknown* objects[] = {control.Get()};
        ASSERT_EQ(page->SetObjects(1, objects), S_OK);
        ASSERT_EQ(page->Activate(frame.Handle(), &PageBounds, TRUE), S_OK);
        ASSERT_EQ(page->Show(SW_SHOW), S_OK);
        window = frame.PageWindow();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        if (frame.PageWindow() != nullptr) {
            EXPECT_EQ(page->Deactivate(), S_OK);
        }
        EXPECT_EQ(frame.PageWindow(), nullptr);
        page->SetObjects(0, nullptr);
        page->SetPageSite(nullptr);
    }
    HWND Tree() const { return DialogControl(window, HeadersId); }

    FrameWindow frame;
    PageSite site;
    TComPtr<ICorvane> control = NewControl();
    NotifySink sink{control.Get()};
    TComPtr<IPropertyPage> page = NewPage();
    HWND window = nullptr;
};

TEST_F(ActivePage, LoadsTheControlAndStartsWithNothingToApply) {
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);
    EXPECT_TRUE(site.StatusChanges.empty());
    EXPECT_EQ(TreeOutline(Tree()), "First\n");
    EXPECT_EQ(Text(DialogControl(window, BorderWidthId)), "0");
    EXPECT_TRUE(::IsWindowVisible(window));
    // The page's window is where the host put it, with no OK, Cancel or Apply.
    RECT r{};
    ::GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 469);
    EXPECT_EQ(ButtonWithCaption(window, "&OK"), nullptr);
    EXPECT_EQ(ButtonWithCaption(window, "&Apply"), nullptr);
    const RECT moved{5, 6, 405, 306};
    EXPECT_EQ(page->Move(&moved), S_OK);
    ::GetClientRect(window, &r);
    EXPECT_EQ(r.right, 400);
}

TEST_F(ActivePage, EditsMarkThePageAndApplyWritesTheControlAndTellsItsListeners) {
    VARIANT_BOOL clickBefore = 0;
    control->get_AllowClick(&clickBefore);
    Click(ButtonWithCaption(window, "Section Click"));
    EXPECT_EQ(page->IsPageDirty(), S_OK);
    ASSERT_EQ(site.StatusChanges.size(), 1u);
    EXPECT_TRUE(site.StatusChanges[0] & PROPPAGESTATUS_DIRTY);
    Click(ButtonWithCaption(window, "Win31"));
    const HWND tree = Tree();
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                   reinterpret_cast<LPARAM>(FindItem(tree, "First")));
    SetText(window, WidthEditId, "120");
    EXPECT_EQ(site.StatusChanges.size(), 1u); // reported once until applied
    EXPECT_TRUE(sink.Changed.empty());

    ASSERT_EQ(page->Apply(), S_OK);
    VARIANT_BOOL clickAfter = 0;
    control->get_AllowClick(&clickAfter);
    EXPECT_NE(clickAfter != 0, clickBefore != 0);
    TxButtonStyle style = bsAutoDetect;
    control->get_Headerstyle(&style);
    EXPECT_EQ(style, bsWin31);
    EXPECT_EQ(SectionWidth(control.Get(), 0), 120);
    EXPECT_EQ(sink.Changed, std::vector<DISPID>{DISPID_UNKNOWN});
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);

    // The next edit is reported again.
    SetText(window, BorderWidthId, "4");
    EXPECT_EQ(page->IsPageDirty(), S_OK);
    EXPECT_EQ(site.StatusChanges.size(), 2u);
}

TEST_F(ActivePage, TellingTheListenersLeavesTheirReferencesAsTheyWere) {
    const LONG connected = sink.References;
    EXPECT_GT(connected, 1) << "the connection holds the sink";
    for (const char* width : {"4", "5"}) {
        SetText(window, BorderWidthId, width);
        ASSERT_EQ(page->Apply(), S_OK);
    }
    EXPECT_EQ(sink.Changed.size(), 2u);
    EXPECT_EQ(sink.References, connected);
    sink.Unadvise();
    EXPECT_EQ(sink.References, 1);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Another thread (as another process would) sends and posts the page's
// windows, the tree's tooltip among them, notifications and common-control
// messages whose lParam is a pointer: nothing reads it, and the page works on.
TEST_F(ActivePage, PointerMessagesFromOtherThreadsReachNothing) {
    std::vector<HWND> windows{
        window, reinterpret_cast<HWND>(::SendMessageA(Tree(), TVM_GETTOOLTIPS, 0, 0))};
    ::EnumChildWindows(window, &CollectWindow, reinterpret_cast<LPARAM>(&windows));
    std::atomic<bool> done{false};
    std::thread forger([&] {
        for (const HWND target : windows)
            for (const UINT message : {WM_NOTIFY, TVM_GETITEMW, TCM_GETITEMA, TTM_GETTEXTW}) {
                DWORD_PTR result = 0;
                ::SendMessageTimeoutA(target, message, 0, 0x41414141, SMTO_NORMAL, 5000, &result);
                ::PostMessageA(target, message, 0, 0x41414141);
            }
        done = true;
    });
    while (!done) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
    forger.join();
    PumpMessages();

    const HWND tree = Tree();
    EXPECT_EQ(TreeOutline(tree), "First\n");
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                   reinterpret_cast<LPARAM>(FindItem(tree, "First")));
    SetText(window, WidthEditId, "120");
    ASSERT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(SectionWidth(control.Get(), 0), 120);
}

TEST_F(ActivePage, OpensOnGeneralAndChangingThePageMarksNothing) {
    EXPECT_TRUE(::IsWindowVisible(ButtonWithCaption(window, "Section Click")));
    ChoosePage(window, 1);
    EXPECT_TRUE(::IsWindowVisible(Tree()));
    EXPECT_FALSE(::IsWindowVisible(ButtonWithCaption(window, "Section Click")));
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);
}

TEST_F(ActivePage, ReactivationDiscardsWhatWasNotApplied) {
    SetText(window, BorderWidthId, "9");
    EXPECT_EQ(page->IsPageDirty(), S_OK);
    ASSERT_EQ(page->Deactivate(), S_OK);
    EXPECT_EQ(frame.PageWindow(), nullptr);
    ASSERT_EQ(page->Activate(frame.Handle(), &PageBounds, TRUE), S_OK);
    window = frame.PageWindow();
    EXPECT_EQ(Text(DialogControl(window, BorderWidthId)), "0");
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);
}

// The host deactivates the page from a message its font or colour dialog's
// loop runs (and lets go of it): the dialog ends as by Cancel, writes nothing,
// and the page's window goes once the dialog's call has returned.
struct DialogHost {
    IPropertyPage* Page;
    HRESULT Result = E_FAIL;
    bool Deactivated = false;
} * g_dialogHost;

BOOL CALLBACK MatchOpenDialog(HWND window, LPARAM out) {
    char name[8] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !::IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
}

HWND OpenStandardDialog() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchOpenDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK DeactivateOnceTheDialogShows(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_dialogHost->Deactivated && OpenStandardDialog() != nullptr) {
        g_dialogHost->Deactivated = true;
        g_dialogHost->Result = g_dialogHost->Page->Deactivate();
    }
}

TEST_F(ActivePage, DeactivatedInsideItsOwnDialogEndsItAndGoesAfterIt) {
    for (const char* button : {"Click to Select a Font...", "Click to Select a Color..."}) {
        SCOPED_TRACE(button);
        if (frame.PageWindow() == nullptr) {
            ASSERT_EQ(page->Activate(frame.Handle(), &PageBounds, TRUE), S_OK);
            window = frame.PageWindow();
        }
        DialogHost host{page.Get()};
        g_dialogHost = &host;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &DeactivateOnceTheDialogShows);
        ::PostMessageA(ButtonWithCaption(window, button), BM_CLICK, 0, 0);
        for (int i = 0; i < 300 && (!host.Deactivated || OpenStandardDialog() != nullptr); ++i) {
            PumpMessages();
            ::Sleep(10);
        }
        PumpMessages();
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(host.Result, S_OK);
        if (HWND left = OpenStandardDialog()) {
            ADD_FAILURE() << "the dialog outlived the page's deactivation";
            ::EndDialog(left, IDCANCEL);
            PumpMessages();
        }
        EXPECT_EQ(frame.PageWindow(), nullptr);
        EXPECT_EQ(page->IsPageDirty(), S_FALSE);
    }
}

TEST_F(ActivePage, ReactivationShowsThePageTheUserLeftReloadedFromTheControl) {
    ChoosePage(window, 1);
    SetSectionCaption(control.Get(), 0, "Renamed");
    ASSERT_EQ(page->Deactivate(), S_OK);
    ASSERT_EQ(page->Activate(frame.Handle(), &PageBounds, TRUE), S_OK);
    ASSERT_EQ(page->Show(SW_SHOW), S_OK);
    window = frame.PageWindow();
    EXPECT_TRUE(::IsWindowVisible(Tree()));
    EXPECT_FALSE(::IsWindowVisible(ButtonWithCaption(window, "Section Click")));
    EXPECT_EQ(TreeOutline(Tree()), "Renamed\n");
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);
}

TEST_F(ActivePage, AFailedReloadKeepsTheControlLoadedBefore) {
    Click(ButtonWithCaption(window, "Win31"));
    ASSERT_EQ(page->Deactivate(), S_OK);
    ForeignObject failing(ForeignObject::Kind::HeaderFails);
    IUnknown* objects[] = {static_cast<IDispatch*>(&failing)};
    ASSERT_EQ(page->SetObjects(1, objects), S_OK);
    EXPECT_EQ(page->Activate(frame.Handle(), &PageBounds, TRUE), E_ACCESSDENIED);
    // Nothing was loaded over the edit: an apply writes it to that control.
    EXPECT_EQ(page->Apply(), S_OK);
    TxButtonStyle style = bsAutoDetect;
    control->get_Headerstyle(&style);
    EXPECT_EQ(style, bsWin31);
    if (frame.PageWindow() != nullptr) {
        EXPECT_EQ(page->Deactivate(), S_OK);
    }
    page->SetObjects(0, nullptr); // before the object goes
}

TEST_F(ActivePage, SectionsGroupBoxFillsThePageAtAnySize) {
    ChoosePage(window, 1);
    const HWND box = ButtonWithCaption(window, "ColumnHeaders Collection");
    ASSERT_NE(box, nullptr);
    const auto heights = [box] {
        RECT area{}, own{};
        ::GetClientRect(::GetParent(box), &area);
        ::GetWindowRect(box, &own);
        return std::make_pair(own.bottom - own.top, area.bottom);
    };
    // The frame's page is larger than the layout's page control.
    EXPECT_EQ(heights().first, heights().second);
    const RECT moved{0, 0, 520, 420};
    ASSERT_EQ(page->Move(&moved), S_OK);
    EXPECT_EQ(heights().first, heights().second);
    EXPECT_GT(heights().second, 349);
}

TEST_F(ActivePage, AnInvalidNumberFailsTheApplyAndKeepsThePageMarked) {
    SetText(window, BevelWidthId, "abc"); // pasted: typing lets only digits through
    EXPECT_TRUE(FAILED(page->Apply()));
    EXPECT_EQ(LastErrorDescription(), "'abc' is not a valid integer value");
    EXPECT_EQ(page->IsPageDirty(), S_OK);
    EXPECT_TRUE(sink.Changed.empty());
}

TEST_F(ActivePage, TakesOnlyKeysForItsOwnControls) {
    MSG tab{DialogControl(window, BorderWidthId), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_EQ(page->TranslateAccelerator(&tab), S_OK);
    // An edit keeps Enter (it closes nothing); on a check box it is the frame's.
    MSG enter = tab;
    enter.wParam = VK_RETURN;
    EXPECT_EQ(page->TranslateAccelerator(&enter), S_OK);
    enter.hwnd = ButtonWithCaption(window, "Section Click");
    EXPECT_EQ(page->TranslateAccelerator(&enter), S_FALSE);
    MSG escape = enter;
    escape.wParam = VK_ESCAPE;
    EXPECT_EQ(page->TranslateAccelerator(&escape), S_FALSE);
    // Alt+H: the editor's mnemonic (to the Hint edit), used up.
    ::SetFocus(DialogControl(window, BorderWidthId));
    MSG mnemonic{::GetFocus(), WM_SYSCHAR, 'h', 1 | (1 << 29), 0, {}};
    EXPECT_EQ(page->TranslateAccelerator(&mnemonic), S_OK);
    EXPECT_EQ(::GetFocus(), DialogControl(window, HintEditId));
    mnemonic.wParam = 'q'; // no control has it
    EXPECT_EQ(page->TranslateAccelerator(&mnemonic), S_FALSE);
    MSG elsewhere = tab;
    elsewhere.hwnd = frame.Handle();
    EXPECT_EQ(page->TranslateAccelerator(&elsewhere), S_FALSE);
    MSG mouse = tab;
    mouse.message = WM_LBUTTONDOWN;
    EXPECT_EQ(page->TranslateAccelerator(&mouse), S_FALSE);
}

TEST(PropertyPageObjects, OnlyTheFirstOfSeveralIsLoadedAndWritten) {
    FrameWindow frame;
    TComPtr<ICorvane> first = NewControl(), second = NewControl();
    SetSectionCaption(first.Get(), 0, "First control");
    SetSectionCaption(second.Get(), 0, "Second control");
    NotifySink firstSink(first.Get()), secondSink(second.Get());
    TComPtr<IPropertyPage> page = NewPage();
    IUnknown* objects[] = {first.Get(), second.Get()};
    ASSERT_EQ(page->SetObjects(2, objects), S_OK);
    ASSERT_EQ(page->Activate(frame.Handle(), &PageBounds, TRUE), S_OK);
    const HWND window = frame.PageWindow();
    EXPECT_EQ(TreeOutline(DialogControl(window, HeadersId)), "First control\n");
    const HWND tree = DialogControl(window, HeadersId);
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                   reinterpret_cast<LPARAM>(FindItem(tree, "First control")));
    SetText(window, WidthEditId, "33");
    ASSERT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(SectionWidth(first.Get(), 0), 33);
    EXPECT_NE(SectionWidth(second.Get(), 0), 33);
    EXPECT_EQ(firstSink.Changed.size(), 1u);
    EXPECT_TRUE(secondSink.Changed.empty());
    EXPECT_EQ(page->Deactivate(), S_OK);
    page->SetObjects(0, nullptr);
}

TEST(PropertyPageObjects, AControlOfAnotherThreadIsRefusedAndLeftAsItWas) {
    // Thread B makes the control, hands it over (marshalled, and as a plain
    // pointer) and serves calls until it is told to end.
    const HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD threadB = 0;
    IStream* marshalled = nullptr;
    IUnknown* plain = nullptr;
    std::string captionAfter;
    std::thread b([&] {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        TComPtr<ICorvane> control = NewControl();
        SetSectionCaption(control.Get(), 0, "Made on B");
        ::CoMarshalInterThreadInterfaceInStream(IID_IDispatch, control.Get(), &marshalled);
        plain = control.Get();
        threadB = ::GetCurrentThreadId();
        MSG message;
        ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // the queue, for WM_QUIT
        ::SetEvent(ready);
        while (::GetMessageA(&message, nullptr, 0, 0) > 0)
            ::DispatchMessageA(&message);
        captionAfter = SectionCaption(control.Get(), 0);
        control.Reset();
        ::CoUninitialize();
    });
    ::WaitForSingleObject(ready, INFINITE);
    TComPtr<IUnknown> proxy;
    ::CoGetInterfaceAndReleaseStream(marshalled, IID_IUnknown,
                                     reinterpret_cast<void**>(proxy.Put()));
    FrameWindow frame;
    for (IUnknown* object : {proxy.Get(), plain}) {
        TComPtr<IPropertyPage> page = NewPage();
        ASSERT_EQ(S_OK, page->SetObjects(1, &object));
        EXPECT_EQ(RPC_E_WRONG_THREAD, page->Activate(frame.Handle(), &PageBounds, TRUE));
        EXPECT_EQ(nullptr, frame.PageWindow()) << "shows nothing";
        EXPECT_EQ(RPC_E_WRONG_THREAD, page->Apply());
        page->SetObjects(0, nullptr);
    }
    proxy.Reset();
    ::PostThreadMessageA(threadB, WM_QUIT, 0, 0);
    b.join();
    ::CloseHandle(ready);
    EXPECT_EQ("Made on B", captionAfter) << "changes nothing";
}

// Objects the page cannot load: the activation fails and leaves nothing
// behind (no window, nothing to apply), or, for a header of 0, shows an empty
// page whose apply writes nothing anywhere. Either way the page can be
// activated again for a control.
struct Unloadable {
    const char* name;
    ForeignObject::Kind kind;
    bool staleToken;
    HRESULT expected;
};

class PropertyPageUnloadable : public ::testing::TestWithParam<Unloadable> {};

TEST_P(PropertyPageUnloadable, LeavesThePageEmptyAndTellsTheHost) {
    LONG number = 0;
    if (GetParam().staleToken) {
        TComPtr<ICorvane> gone = NewControl();
        number = HeaderTokenOf(gone.Get());
    } // released: its token is stale now
    ForeignObject object(GetParam().kind, number);
    FrameWindow frame;
    TComPtr<IPropertyPage> page = NewPage();
    IUnknown* objects[] = {static_cast<IDispatch*>(&object)};
    ASSERT_EQ(page->SetObjects(1, objects), S_OK);
    // A header of 0 is no header: an empty page, and nothing to report.
    ASSERT_EQ(page->Activate(frame.Handle(), &PageBounds, TRUE), GetParam().expected);
    if (SUCCEEDED(GetParam().expected)) {
        const HWND empty = frame.PageWindow();
        ASSERT_NE(empty, nullptr);
        EXPECT_EQ(TreeOutline(DialogControl(empty, HeadersId)), "");
        EXPECT_EQ(Text(DialogControl(empty, BorderWidthId)), "0");
        EXPECT_EQ(page->IsPageDirty(), S_FALSE);
        SetText(empty, BorderWidthId, "5");
        EXPECT_EQ(page->Apply(), S_OK);
        EXPECT_EQ(page->Deactivate(), S_OK);
    } else {
        EXPECT_EQ(frame.PageWindow(), nullptr);
        EXPECT_EQ(page->IsPageDirty(), S_FALSE);
        EXPECT_EQ(page->Apply(), S_OK);
        EXPECT_EQ(page->Deactivate(), E_UNEXPECTED) << "nothing is active";
    }

    // The same page, given a control, activates and loads it.
    TComPtr<ICorvane> control = NewControl();
    SetSectionCaption(control.Get(), 0, "Loaded later");
    IUnknown* loadable[] = {control.Get()};
    ASSERT_EQ(page->SetObjects(1, loadable), S_OK);
    ASSERT_EQ(page->Activate(frame.Handle(), &PageBounds, TRUE), S_OK);
    const HWND window = frame.PageWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(TreeOutline(DialogControl(window, HeadersId)), "Loaded later\n");
    SetText(window, BorderWidthId, "5");
    EXPECT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(page->Deactivate(), S_OK);
    page->SetObjects(0, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Objects, PropertyPageUnloadable,
    ::testing::Values(
        Unloadable{"NoDispatch", ForeignObject::Kind::NoDispatch, false, E_NOINTERFACE},
        Unloadable{"NoHeader", ForeignObject::Kind::NoHeader, false, DISP_E_UNKNOWNNAME},
        Unloadable{"ReadFails", ForeignObject::Kind::HeaderFails, false, E_ACCESSDENIED},
        Unloadable{"HeaderNotANumber", ForeignObject::Kind::HeaderAsText, false,
                   DISP_E_TYPEMISMATCH},
        Unloadable{"ZeroToken", ForeignObject::Kind::HeaderAsNumber, false, S_OK},
        Unloadable{"StaleToken", ForeignObject::Kind::HeaderAsNumber, true, E_INVALIDARG}),
    [](const ::testing::TestParamInfo<Unloadable>& caseInfo) {
        return std::string(caseInfo.param.name);
    });

} // namespace

// A host removes the control from inside one of the control's own modal
// loops (the context menu, the customizing dialog, the About box, the error
// box of its window procedure) or from inside a call the control makes to
// its site. Whichever way it lets go (Close, SetClientSite(NULL), its last
// Release), the loop ends by itself, nothing touches the freed control
// (freed blocks are scribbled over in this program, so a use after free
// crashes), and the control is gone once the call that ran the loop returns.
#include "TestHost.h"

#include "core/framework/Exceptions.h"
#include "server/ModuleCounts.h"

#include <cstring>
#include <memory>
#include <tuple>

namespace corvane::server::test {
namespace {

enum class Loop {
    Menu,                    // the context menu, kept open
    AboutFromMenu,           // the menu's About item
    DialogFromMenu,          // the menu's Customize item
    AboutBox,                // ICorvane::ShowAbout
    Dialog,                  // ICorvane::Customize, on a control not in place
    ErrorBox,                // a click whose handler raises
    BeforeCustomizeFromMenu, // the host lets go in OnBeforeCustomize...
    BeforeCustomize,         // ...and so from ICorvane::Customize
    FontDialog,              // the system's font dialog inside the customizing dialog
};
// How the host lets go; each way ends with the release of its reference.
enum class Removal { Close, DropSite, Release, DestroyWindow /* the host's window */ };

constexpr UINT Tick = 30;         // ms between two looks into the running loop
constexpr int EndsWithin = 50;    // ticks a loop may take to end after the removal
constexpr int GivesUpAfter = 150; // ticks until a stuck loop is broken with WM_QUIT

const char* TargetClass(Loop loop) {
    switch (loop) {
    case Loop::Menu:
        return "#32768";
    case Loop::AboutFromMenu:
    case Loop::AboutBox:
    case Loop::ErrorBox:
    case Loop::FontDialog:
        return "#32770";
    default:
        return "CorvaneCustomizeForm";
    }
}

struct Search {
    const char* Name; // the class name or the text looked for
    HWND Found = nullptr;
};

BOOL CALLBACK MatchVisible(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<Search*>(search);
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, s->Name) == 0 && ::IsWindowVisible(window)) {
        s->Found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK MatchText(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<Search*>(search);
    char text[64] = {};
    ::GetWindowTextA(window, text, sizeof text);
    if (std::strcmp(text, s->Name) != 0)
        return TRUE;
    s->Found = window;
    return FALSE;
}

HWND ChildWithText(HWND parent, const char* text) {
    Search search{text};
    ::EnumChildWindows(parent, &MatchText, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND VisibleThreadWindow(const char* className) {
    Search search{className};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchVisible, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// The host: it holds the only reference to the control and lets go of it
// from a thread timer, which fires inside whatever modal loop runs.
struct Host {
    Loop LoopKind;
    Removal How;
    TestSite& Site;
    TComPtr<ICorvane> Control;
    int MenuChoice = -1;         // the menu item to choose (separators not counted)
    bool OpenFontDialog = false; // from the customizing dialog, once it shows
    bool Removed = false, Outlived = false, Hung = false;
    bool OwnerOnScreen = true; // the box or dialog is owned by a window on screen, or none
    int TicksSinceRemoval = 0;

    void Remove() {
        auto ole = Query<IOleObject>(Control.Get(), IID_IOleObject);
        if (How == Removal::Close)
            ole->Close(OLECLOSE_NOSAVE);
        else if (How == Removal::DropSite)
            ole->SetClientSite(nullptr);
        else if (How == Removal::DestroyWindow)
            ::DestroyWindow(Site.Window());
        ole.Reset();
        // All the host holds: a click made the control UI-active, and the
        // site keeps the active object it was handed.
        Site.ActiveObject.Reset();
        Control.Reset();
        Removed = true;
    }
};

Host* g_host = nullptr;

// One host window for the cases that keep it: Wine waits for a window
// manager whenever a top-level window that owned popups goes, which would
// cost each case seconds.
TestSite& SharedSite() {
    static TestSite* const site = new TestSite;
    return *site;
}

void EndLoopWindow(Loop loop, HWND window) {
    if (std::strcmp(TargetClass(loop), "#32768") == 0)
        ::EndMenu();
    else if (std::strcmp(TargetClass(loop), "#32770") == 0)
        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    else
        ::PostMessageA(window, WM_CLOSE, 0, 0);
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    Host& h = *g_host;
    const bool byHandler =
        h.LoopKind == Loop::BeforeCustomize || h.LoopKind == Loop::BeforeCustomizeFromMenu;
    if (h.MenuChoice >= 0) {
        if (HWND menu = VisibleThreadWindow("#32768")) {
            for (int i = 0; i <= h.MenuChoice; ++i)
                ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
            h.MenuChoice = -1;
        }
        return;
    }
    if (h.OpenFontDialog) {
        if (HWND form = VisibleThreadWindow("CorvaneCustomizeForm")) {
            ::PostMessageA(ChildWithText(form, "Click to Select a Font..."), BM_CLICK, 0, 0);
            h.OpenFontDialog = false;
        }
        return;
    }
    const HWND loopWindow = VisibleThreadWindow(TargetClass(h.LoopKind));
    if (!h.Removed) {
        if (loopWindow != nullptr && !byHandler) {
            const HWND owner = ::GetWindow(loopWindow, GW_OWNER);
            h.OwnerOnScreen = h.LoopKind == Loop::Menu || owner == nullptr ||
                              ::GetAncestor(owner, GA_PARENT) == ::GetDesktopWindow();
            h.Remove();
        }
        return;
    }
    ++h.TicksSinceRemoval;
    if (h.TicksSinceRemoval == EndsWithin && loopWindow != nullptr) {
        h.Outlived = true;
        EndLoopWindow(h.LoopKind, loopWindow);
    }
    if (h.TicksSinceRemoval == GivesUpAfter) {
        h.Hung = true;
        ::PostQuitMessage(0);
    }
}

class ModalLoopRemovalTest : public ControlTest,
                             public ::testing::WithParamInterface<std::tuple<Loop, Removal>> {};

TEST_P(ModalLoopRemovalTest, LoopEndsAndTheControlGoesOnceItHasReturned) {
    const auto [loop, how] = GetParam();
    std::unique_ptr<TestSite> ownSite;
    if (how == Removal::DestroyWindow)
        ownSite = std::make_unique<TestSite>();
    TestSite& site = ownSite ? *ownSite : SharedSite();
    EventSink sink;
    Host host{loop, how, site, NewControl()};
    ICorvane* raw = host.Control.Get();
    TCorvane& object = Object(raw);
    const HWND window = object.Window().Handle();

    const bool parked =
        loop == Loop::Dialog || loop == Loop::BeforeCustomize || loop == Loop::FontDialog;
    if (!parked) {
        auto ole = Query<IOleObject>(raw, IID_IOleObject);
        ASSERT_EQ(S_OK, ole->SetClientSite(&site));
        ASSERT_EQ(S_OK,
                  ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, site.Window(), nullptr));
    }
    ::SetForegroundWindow(site.Window()); // owns the boxes and the dialog
    if (loop == Loop::AboutFromMenu)
        host.MenuChoice = 0;
    if (loop == Loop::DialogFromMenu || loop == Loop::BeforeCustomizeFromMenu)
        host.MenuChoice = 1;
    host.OpenFontDialog = loop == Loop::FontDialog;
    if (loop == Loop::ErrorBox)
        object.HeaderControl().OnHeaderClick = [](TStrativ*, THeaderColumns*) {
            throw Exception("Invalid property value");
        };
    if (loop == Loop::BeforeCustomize || loop == Loop::BeforeCustomizeFromMenu) {
        auto points = Query<IConnectionPointContainer>(raw, IID_IConnectionPointContainer);
        TComPtr<IConnectionPoint> point;
        ASSERT_EQ(S_OK, points->FindConnectionPoint(DIID_ICorvaneEvents, point.Put()));
        DWORD cookie = 0;
        ASSERT_EQ(S_OK, point->Advise(&sink, &cookie));
        sink.Handler = [&host](DISPID dispid, DISPPARAMS&) {
            if (dispid == DISPID_ICorvaneEvents_OnBeforeCustomize && !host.Removed)
                host.Remove();
            return S_OK;
        };
    }

    g_host = &host;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, Tick, &OnTick);
    const POINT at{20, 10}; // inside the first section
    switch (loop) {
    case Loop::Menu:
    case Loop::AboutFromMenu:
    case Loop::DialogFromMenu:
    case Loop::BeforeCustomizeFromMenu:
        ::SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        break;
    case Loop::ErrorBox:
        ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        break;
    case Loop::AboutBox:
        raw->ShowAbout();
        break;
    case Loop::Dialog:
    case Loop::BeforeCustomize:
    case Loop::FontDialog:
        raw->Customize();
        break;
    }
    ::KillTimer(nullptr, timer);
    g_host = nullptr;
    MSG quit;
    while (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }

    EXPECT_TRUE(host.Removed) << "the loop ran and the host let go inside it";
    EXPECT_TRUE(host.OwnerOnScreen) << "owned by the hidden parking window";
    EXPECT_FALSE(host.Outlived) << "the loop did not end when its control went";
    EXPECT_FALSE(host.Hung) << "the loop went on until WM_QUIT";
    EXPECT_EQ(0, ObjectCount()) << "the control is gone once the call has returned";
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<Loop, Removal>>& param) {
    static const char* const loops[] = {
        "Menu",     "AboutFromMenu",           "DialogFromMenu",  "AboutBox",  "Dialog",
        "ErrorBox", "BeforeCustomizeFromMenu", "BeforeCustomize", "FontDialog"};
    static const char* const removals[] = {"Close", "DropSite", "Release", "DestroyWindow"};
    return std::string(loops[static_cast<int>(std::get<0>(param.param))]) + "_" +
           removals[static_cast<int>(std::get<1>(param.param))];
}

INSTANTIATE_TEST_SUITE_P(
    EveryLoopAndRemoval, ModalLoopRemovalTest,
    ::testing::Combine(::testing::Values(Loop::Menu, Loop::AboutFromMenu, Loop::DialogFromMenu,
                                         Loop::AboutBox, Loop::Dialog, Loop::ErrorBox,
                                         Loop::BeforeCustomizeFromMenu, Loop::BeforeCustomize,
                                         Loop::FontDialog),
                       ::testing::Values(Removal::Close, Removal::DropSite, Removal::Release,
                                         Removal::DestroyWindow)),
    CaseName);

// The host lets go from inside a call the control makes to its site.
struct SiteCall {
    const char* Name; // the site's method that lets go
    void (*Run)(ICorvane* control, HWND window, HWND hostWindow);
};

const SiteCall SiteCalls[] = {
    {"OnUIActivate",
     [](ICorvane*, HWND window, HWND hostWindow) {
         ::SendMessageA(window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(hostWindow),
                        MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
     }},
    {"OnFocus", [](ICorvane*, HWND window, HWND) { ::SendMessageA(window, WM_SETFOCUS, 0, 0); }},
    {"OnInPlaceDeactivate",
     [](ICorvane* control, HWND, HWND) {
         // A plain pointer: the host's one reference is the one it lets go of.
         IOleObject* ole = Query<IOleObject>(control, IID_IOleObject).Get();
         ole->Close(OLECLOSE_NOSAVE);
     }},
    {"SaveObject",
     [](ICorvane* control, HWND, HWND) {
         control->put_Color(0x00FF00); // dirty
         IOleObject* ole = Query<IOleObject>(control, IID_IOleObject).Get();
         ole->Close(OLECLOSE_SAVEIFDIRTY);
     }},
};

class SiteCallRemovalTest : public ControlTest, public ::testing::WithParamInterface<SiteCall> {};

TEST_P(SiteCallRemovalTest, TheControlGoesOnceTheCallThatCalledOutHasReturned) {
    TestSite& site = SharedSite();
    TComPtr<ICorvane> control = NewControl();
    ICorvane* raw = control.Get();
    {
        auto ole = Query<IOleObject>(raw, IID_IOleObject);
        ASSERT_EQ(S_OK, ole->SetClientSite(&site));
        ASSERT_EQ(S_OK,
                  ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, site.Window(), nullptr));
    }
    site.OnCall = [&](const char* call) {
        if (std::strcmp(call, GetParam().Name) == 0)
            control.Reset();
    };
    GetParam().Run(raw, Object(raw).Window().Handle(), site.Window());
    site.OnCall = nullptr;
    EXPECT_FALSE(control) << "the site's call let go";
    EXPECT_EQ(0, ObjectCount()) << "the control is gone once the call has returned";
}

INSTANTIATE_TEST_SUITE_P(EverySiteCall, SiteCallRemovalTest, ::testing::ValuesIn(SiteCalls),
                         [](const ::testing::TestParamInfo<SiteCall>& param) {
                             return std::string(param.param.Name);
                         });

} // namespace
} // namespace corvane::server::test

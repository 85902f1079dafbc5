// The header's window: its class and styles, re-creation when the border
// changes, bounds in both directions, and the window services the control
// uses, each checked against what Windows itself reports.
#include "HeaderFixture.h"
#include "ModalWatch.h"
#include "PixelMatch.h"
#include "win32/ErrorBox.h"

namespace corvane::win32::testing {
namespace {

RECT RectInParent(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

using StrativWindowClass = HeaderFixture;

TEST_F(StrativWindowClass, IsAVisibleChildWithBorderAtTheControlsBounds) {
    char name[64] = {};
    ::GetClassNameA(hwnd(), name, sizeof name);
    EXPECT_STREQ(name, "CorvaneStrativ");
    EXPECT_EQ(::GetParent(hwnd()), host);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(hwnd(), GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_CLIPSIBLINGS | WS_BORDER | WS_VISIBLE),
              DWORD{WS_CHILD | WS_CLIPSIBLINGS | WS_BORDER | WS_VISIBLE});
    const RECT r = RectInParent(hwnd());
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right - r.left, ClientWidth + 2);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.right, control->ClientWidth());
    EXPECT_EQ(client.bottom, control->ClientHeight());
}

TEST_F(StrativWindowClass, BorderStyleChangeRecreatesTheWindowInPlace) {
    const HWND old = hwnd();
    control->SetBorderStyle(bsNone);
    EXPECT_NE(hwnd(), old);
    EXPECT_FALSE(::IsWindow(old));
    EXPECT_TRUE(::IsWindow(hwnd()));
    EXPECT_EQ(::GetParent(hwnd()), host);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(hwnd(), GWL_STYLE));
    EXPECT_EQ(style & WS_BORDER, 0u);
    EXPECT_NE(style & WS_VISIBLE, 0u);
    const RECT r = RectInParent(hwnd());
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right - r.left, ClientWidth + 2);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.right, ClientWidth + 2); // no border: all of it is client

    // The new window is fully working: it paints and tracks.
    ::UpdateWindow(hwnd());
    EXPECT_EQ(PointAt(97 + 1, 40), ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32644)));

    const HWND second = hwnd();
    control->SetBorderStyle(bsNone); // same value: kept
    EXPECT_EQ(hwnd(), second);
    control->SetBorderStyle(bsSingle);
    EXPECT_NE(hwnd(), second);
    EXPECT_NE(::GetWindowLongPtrA(hwnd(), GWL_STYLE) & WS_BORDER, 0);
}

TEST_F(StrativWindowClass, RecreatedFromInsideItsOwnMessageHandling) {
    control->SetOptions(AllHeaderOptions & ~hoDragdrop);
    control->OnHeaderClick = [this](TStrativ*, THeaderColumns*) {
        control->SetBorderStyle(bsNone); // destroys the window whose message runs
    };
    MessageBoxWatch boxes;
    const HWND old = hwnd();
    MouseMove(300, 30);
    LeftDown(300, 30);
    LeftUp(300, 30);
    PumpMessages();
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_FALSE(::IsWindow(old));
    ASSERT_TRUE(::IsWindow(hwnd()));
    EXPECT_EQ(::GetWindowLongPtrA(hwnd(), GWL_STYLE) & WS_BORDER, 0);
    // The new window takes the pointer as the old one did.
    EXPECT_EQ(PointAt(97, 40), ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32644)));
    ::UpdateWindow(hwnd());
    EXPECT_EQ(Screenshot()->Pixel(0, 40), Sys(COLOR_BTNHIGHLIGHT));
}

TEST_F(StrativWindowClass, WindowAndControlBoundsFollowEachOther) {
    control->SetBounds(5, 6, 300, 40);
    RECT r = RectInParent(hwnd());
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 6);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 40);

    ::MoveWindow(hwnd(), 20, 30, 250, 50, TRUE);
    EXPECT_EQ(control->Left(), 20);
    EXPECT_EQ(control->Top(), 30);
    EXPECT_EQ(control->Width(), 250);
    EXPECT_EQ(control->Height(), 50);
    EXPECT_EQ(control->ClientWidth(), 248);
}

TEST_F(StrativWindowClass, VisibleAndEnabledFollowTheControl) {
    control->SetVisible(false);
    EXPECT_FALSE(::IsWindowVisible(hwnd()));
    control->SetVisible(true);
    EXPECT_TRUE(::IsWindowVisible(hwnd()));
    control->SetEnabled(false);
    EXPECT_FALSE(::IsWindowEnabled(hwnd()));
    control->SetEnabled(true);
    EXPECT_TRUE(::IsWindowEnabled(hwnd()));
}

TEST_F(StrativWindowClass, AlignmentPlacesTheWindowInItsParent) {
    RECT parent{};
    ::GetClientRect(host, &parent);
    control->SetAlign(alTop);
    RECT r = RectInParent(hwnd());
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, parent.right);
    EXPECT_EQ(r.bottom - r.top, ClientHeight + 2);

    control->SetAlign(alBottom);
    r = RectInParent(hwnd());
    EXPECT_EQ(r.bottom, parent.bottom);
    EXPECT_EQ(r.bottom - r.top, ClientHeight + 2);

    // The host grows: it asks the control to realign.
    ::SetWindowPos(host, nullptr, 0, 0, 900, 400, SWP_NOMOVE | SWP_NOZORDER);
    ::GetClientRect(host, &parent);
    window->Realign();
    r = RectInParent(hwnd());
    EXPECT_EQ(r.right, parent.right);
    EXPECT_EQ(r.bottom, parent.bottom);
}

TEST_F(StrativWindowClass, EraseBackgroundLeavesThePixelsToThePaint) {
    DibSurface s(ClientWidth, ClientHeight);
    s.Fill(RGB(1, 2, 3));
    EXPECT_EQ(Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(s.dc()), 0), 1);
    EXPECT_EQ(s.Count(RECT{0, 0, ClientWidth, ClientHeight}, IsNot(RGB(1, 2, 3))), 0);
}

TEST_F(StrativWindowClass, WindowDestroyedWithItsParentIsForgotten) {
    auto ownHost = std::make_unique<HostWindow>();
    window = std::make_unique<StrativWindow>(*control, ownHost->get());
    ASSERT_EQ(::GetParent(hwnd()), ownHost->get());
    ownHost.reset();
    EXPECT_EQ(window->Handle(), nullptr);
    // No window left: the services do nothing, and nothing crashes.
    control->Invalidate();
    control->Repaint();
    control->SetBorderStyle(bsNone);
    EXPECT_EQ(window->Canvas(), nullptr);
    window.reset();
}

TEST_F(StrativWindowClass, DestroyingTheWindowObjectDetachesTheControl) {
    const HWND old = hwnd();
    window.reset();
    EXPECT_FALSE(::IsWindow(old));
    // The control is back on its headless services.
    control->Repaint();
    control->SetBorderStyle(bsNone);
    EXPECT_EQ(control->Services().Canvas(), nullptr);
}

using StrativWindowServices = HeaderFixture;

TEST_F(StrativWindowServices, CoordinatesConvertLikeTheSystem) {
    POINT expected{17, 23};
    ::ClientToScreen(hwnd(), &expected);
    const TPoint screen = window->ClientToScreen(TPoint{17, 23});
    EXPECT_EQ(screen.X, expected.x);
    EXPECT_EQ(screen.Y, expected.y);
    const TPoint back = window->ScreenToClient(screen);
    EXPECT_EQ(back.X, 17);
    EXPECT_EQ(back.Y, 23);
}

TEST_F(StrativWindowServices, CaptureIsTheWindowsOwn) {
    EXPECT_FALSE(window->HasCapture());
    window->SetCapture();
    EXPECT_EQ(::GetCapture(), hwnd());
    EXPECT_TRUE(window->HasCapture());
    window->ReleaseCapture();
    EXPECT_EQ(::GetCapture(), nullptr);

    // Releasing never takes the capture from another window.
    ::SetCapture(host);
    window->ReleaseCapture();
    EXPECT_EQ(::GetCapture(), host);
    ::ReleaseCapture();
}

TEST_F(StrativWindowServices, SizingCursorsAreTheSystems) {
    ASSERT_TRUE(window->SetSizingCursor(TSizingCursor::WestEast));
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32644)));
    ASSERT_TRUE(window->SetSizingCursor(TSizingCursor::NorthSouth));
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32645)));
    EXPECT_TRUE(window->NewStyleControls());
}

TEST_F(StrativWindowServices, CanvasDrawsOnTheWindowBetweenPaints) {
    TCanvas* canvas = window->Canvas();
    ASSERT_NE(canvas, nullptr);
    canvas->SetBrushColor(RGB(250, 0, 0));
    canvas->FillRect(TRect{30, 5, 40, 15});
    const auto shot = Screenshot();
    EXPECT_EQ(shot->Pixel(30, 5), RGB(250, 0, 0));
    EXPECT_EQ(shot->Pixel(39, 14), RGB(250, 0, 0));
    EXPECT_NE(shot->Pixel(40, 14), RGB(250, 0, 0));
}

TEST_F(StrativWindowServices, MessageBoxIsOwnedByTheTopLevelWindow) {
    MessageBoxWatch watch;
    EXPECT_EQ(window->MessageBox("Some text", "Title", MB_OK | MB_ICONINFORMATION), IDOK);
    ASSERT_EQ(watch.Seen().size(), 1u);
    EXPECT_EQ(watch.Seen()[0].text, "Some text");
    EXPECT_EQ(watch.Seen()[0].caption, "Title");
    EXPECT_EQ(watch.Seen()[0].owner, host);
    EXPECT_EQ(watch.Seen()[0].icon, InformationIcon());
}

TEST_F(StrativWindowServices, SystemMenuShowsTheEntriesAndReturnsTheChoice) {
    const std::vector<TMenuEntry> entries{{"First", true, false}, {"-"}, {"Last", true, false}};
    {
        PopupMenuWatch watch(1); // the second selectable item
        EXPECT_EQ(window->TrackPopupMenu(entries, window->ClientToScreen(TPoint{5, 5})), 2);
        ASSERT_EQ(watch.Seen().size(), 1u);
        const auto& items = watch.Seen()[0];
        ASSERT_EQ(items.size(), 3u);
        EXPECT_EQ(items[0].caption, "First");
        EXPECT_FALSE(items[0].separator);
        EXPECT_TRUE(items[1].separator);
        EXPECT_EQ(items[2].caption, "Last");
    }
    {
        PopupMenuWatch watch(-1); // dismissed
        EXPECT_EQ(window->TrackPopupMenu(entries, window->ClientToScreen(TPoint{5, 5})), -1);
        EXPECT_EQ(watch.Seen().size(), 1u);
    }
}

TEST_F(StrativWindowServices, MenuTrackerSeamSeesTheBuiltMenu) {
    std::vector<UINT> states;
    std::vector<std::string> captions;
    HWND owner = nullptr;
    window->SetMenuTracker([&](HMENU menu, POINT, HWND menuOwner) {
        owner = menuOwner;
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            captions.emplace_back(text);
            states.push_back(::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION));
        }
        return 3; // command of the third entry
    });
    const std::vector<TMenuEntry> entries{
        {"Plain", true, false}, {"Off", false, false}, {"Ticked", true, true}};
    EXPECT_EQ(window->TrackPopupMenu(entries, TPoint{0, 0}), 2);
    EXPECT_EQ(owner, hwnd());
    ASSERT_EQ(captions.size(), 3u);
    EXPECT_EQ(captions[1], "Off");
    EXPECT_EQ(states[0] & (MF_GRAYED | MF_CHECKED), 0u);
    EXPECT_NE(states[1] & MF_GRAYED, 0u);
    EXPECT_NE(states[2] & MF_CHECKED, 0u);

    window->SetMenuTracker([](HMENU, POINT, HWND) { return 0; });
    EXPECT_EQ(window->TrackPopupMenu(entries, TPoint{0, 0}), -1);
    window->SetMenuTracker([](HMENU, POINT, HWND) { return 99; });
    EXPECT_EQ(window->TrackPopupMenu(entries, TPoint{0, 0}), -1);
}

} // namespace
} // namespace corvane::win32::testing

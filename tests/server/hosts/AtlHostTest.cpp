// The control in ATL's container window class (atl.dll's "AtlAxWin"), made
// by ProgID from the registered CorvaneC.ocx: painted on screen, and real
// mouse messages through the message loop reach a sink as events.
#include "server/automation/Bstr.h"
#include "server/automation/ComPtr.h"
#include "server/automation/Variant.h"
#include "win32/TopDownDib.h"

#include "host/ContainerWindow.h"
#include "host/EventSink.h"

#include <CorvaneC_TLB.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::server::test {
namespace {

using AxWinInitFunction = BOOL(WINAPI*)();
using AxGetControlFunction = HRESULT(WINAPI*)(HWND, IUnknown**);

// Hears the click: its DISPID and the clicked section's caption.
class ClickSink : public host::EventSink {
public:
    ClickSink() : host::EventSink(DIID_ICorvaneEvents) {}
    std::vector<DISPID> Heard;
    std::string LastSection;

protected:
    HRESULT Event(DISPID dispid, DISPPARAMS& params) override {
        Heard.push_back(dispid);
        if (dispid == DISPID_ICorvaneEvents_OnHeaderClick && params.cArgs == 1) {
            auto section = TComPtr<ISections>::From(params.rgvarg[0].pdispVal, IID_ISections);
            TBstr caption;
            if (section && SUCCEEDED(section->get_Caption(caption.Put())))
                LastSection = BstrToText(caption.Get());
        }
        return S_OK;
    }
};

void Pump(int milliseconds) {
    host::PumpMessagesFor(static_cast<DWORD>(milliseconds));
}

TEST(AtlHostTest, AtlAxWinShowsTheControlAndDeliversClickEvents) {
    ASSERT_EQ(S_OK, ::OleInitialize(nullptr));
    const HMODULE atl = ::LoadLibraryA("atl.dll");
    ASSERT_NE(nullptr, atl);
    const auto init = reinterpret_cast<AxWinInitFunction>(
        reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxWinInit")));
    const auto getControl = reinterpret_cast<AxGetControlFunction>(
        reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxGetControl")));
    ASSERT_TRUE(init && getControl);
    ASSERT_TRUE(init());

    const HWND frame = ::CreateWindowExA(0, "STATIC", "ATL host", WS_OVERLAPPEDWINDOW, 0, 0, 420,
                                         160, nullptr, nullptr, nullptr, nullptr);
    ::ShowWindow(frame, SW_SHOW);
    const HWND axwin = ::CreateWindowExA(0, "AtlAxWin", "CorvaneC.Corvane", WS_CHILD | WS_VISIBLE,
                                         0, 0, 400, 60, frame, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, axwin);
    TComPtr<IUnknown> unknown;
    ASSERT_EQ(S_OK, getControl(axwin, unknown.Put()));
    auto control = TComPtr<ICorvane>::From(unknown.Get(), IID_ICorvane);
    ASSERT_TRUE(control);

    // A known look: two sections on a green background.
    control->put_Color(0x0000FF00);
    TComPtr<ISections> root;
    ASSERT_EQ(S_OK, control->get_Sections(root.Put()));
    TComPtr<ISections> second;
    auto caption = TBstr::Attach(::SysAllocString(L"Second"));
    ASSERT_EQ(S_OK, root->Add(caption.Get(), second.Put()));
    root->Changed(VARIANT_TRUE);

    auto container =
        TComPtr<IConnectionPointContainer>::From(unknown.Get(), IID_IConnectionPointContainer);
    TComPtr<IConnectionPoint> point;
    ASSERT_EQ(S_OK, container->FindConnectionPoint(DIID_ICorvaneEvents, point.Put()));
    ClickSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, point->Advise(&sink, &cookie));

    const HWND header = ::FindWindowExA(axwin, nullptr, "CorvaneStrativ", nullptr);
    ASSERT_NE(nullptr, header) << "the control's window sits in the container's window";
    ::InvalidateRect(header, nullptr, TRUE);
    Pump(300);

    // Painted: the window's pixels show the green background.
    RECT client{};
    ::GetClientRect(header, &client);
    ASSERT_GT(client.right, 100);
    const HDC screen = ::GetDC(header);
    const HDC memory = ::CreateCompatibleDC(screen);
    uint32_t* bits = nullptr;
    win32::UniqueBitmap dib = win32::CreateTopDownDib(memory, client.right, client.bottom,
                                                      reinterpret_cast<void**>(&bits));
    const HGDIOBJ old = ::SelectObject(memory, dib.get());
    ::BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    ::GdiFlush();
    int green = 0;
    for (int i = 0; i < client.right * client.bottom; ++i)
        green += (bits[i] & 0xFFFFFF) == 0x00FF00;
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(header, screen);
    EXPECT_GT(green, client.right * client.bottom / 4) << "the header painted its background";

    // A click in the middle of the second section, through the message loop.
    RECT sectionRect{};
    long firstWidth = 0;
    TComPtr<ISections> first;
    root->get_Items(0, first.Put());
    first->get_Width(&firstWidth);
    const LPARAM at = MAKELPARAM(firstWidth + 20, 8);
    (void)sectionRect;
    ::PostMessageA(header, WM_MOUSEMOVE, 0, at);
    ::PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(header, WM_LBUTTONUP, 0, at);
    Pump(300);
    ASSERT_FALSE(sink.Heard.empty());
    EXPECT_EQ(DISPID_ICorvaneEvents_OnHeaderClick, sink.Heard.back());
    EXPECT_EQ("Second", sink.LastSection);

    EXPECT_EQ(S_OK, point->Unadvise(cookie));
    point.Reset();
    container.Reset();
    first.Reset();
    second.Reset();
    root.Reset();
    control.Reset();
    unknown.Reset();
    ::DestroyWindow(frame);
    Pump(100);
    ::OleUninitialize();
}

} // namespace
} // namespace corvane::server::test

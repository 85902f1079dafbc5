// The shared event sink (what Invoke answers, whatever the handler does) and
// the container window (close, size, a failing handler).
#include "win32/WinApi.h"

#include "host/ContainerWindow.h"
#include "host/EventSink.h"
#include "host/HostError.h"
#include "host/StreamBytes.h"

#include <CorvaneC_TLB.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::host {
namespace {

HRESULT Call(EventSink& sink, DISPID dispid, VARIANT* result) {
    VARIANT arg;
    ::VariantInit(&arg);
    DISPPARAMS params{&arg, nullptr, 1, 0};
    return sink.Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &params, result, nullptr, nullptr);
}

TEST(HostEventSinkTest, InvokeAnswersWhatTheHandlerGivesAndNothingUnwinds) {
    struct Case {
        const char* Name;
        std::function<HRESULT(DISPID, DISPPARAMS&)> Handler;
        HRESULT Expected;
    };
    const std::vector<Case> cases = {
        {"no handler", nullptr, S_OK},
        {"handler's result", [](DISPID, DISPPARAMS&) { return DISP_E_TYPEMISMATCH; },
         DISP_E_TYPEMISMATCH},
        {"handler throws", [](DISPID, DISPPARAMS&) -> HRESULT { throw std::runtime_error("x"); },
         E_FAIL},
        {"handler throws anything", [](DISPID, DISPPARAMS&) -> HRESULT { throw 42; }, E_FAIL},
    };
    for (const Case& c : cases) {
        EventSink sink(DIID_ICorvaneEvents);
        sink.Handler = c.Handler;
        VARIANT result;
        result.vt = VT_I4; // garbage: Invoke clears it
        EXPECT_EQ(c.Expected, Call(sink, DISPID_ICorvaneEvents_OnHeaderClick, &result)) << c.Name;
        EXPECT_EQ(VT_EMPTY, result.vt) << c.Name;
    }
}

TEST(HostEventSinkTest, HandlerSeesTheDispidAndArguments) {
    EventSink sink(DIID_ICorvaneEvents);
    std::vector<DISPID> heard;
    UINT arguments = 0;
    sink.Handler = [&](DISPID dispid, DISPPARAMS& params) {
        heard.push_back(dispid);
        arguments = params.cArgs;
        return S_OK;
    };
    EXPECT_EQ(S_OK, Call(sink, DISPID_ICorvaneEvents_OnSized, nullptr));
    EXPECT_EQ(std::vector<DISPID>{DISPID_ICorvaneEvents_OnSized}, heard);
    EXPECT_EQ(1u, arguments);
    EXPECT_EQ(E_POINTER,
              sink.Invoke(1, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(1u, heard.size()) << "a call without arguments never reaches the handler";
}

TEST(HostEventSinkTest, AnswersItsEventInterfaceAndNoOther) {
    EventSink sink(DIID_ICorvaneEvents);
    for (const IID& iid : {IID_IUnknown, IID_IDispatch, DIID_ICorvaneEvents}) {
        void* answer = nullptr;
        ASSERT_EQ(S_OK, sink.QueryInterface(iid, &answer));
        EXPECT_EQ(static_cast<IDispatch*>(&sink), answer);
        sink.Release();
    }
    void* answer = &sink;
    EXPECT_EQ(E_NOINTERFACE, sink.QueryInterface(IID_ICorvane, &answer));
    EXPECT_EQ(nullptr, answer);
    EXPECT_EQ(E_POINTER, sink.QueryInterface(IID_IUnknown, nullptr));
    EXPECT_EQ(1, sink.References);
}

WindowPlacement Small() {
    WindowPlacement placement;
    placement.x = 0;
    placement.y = 0;
    placement.clientWidth = 120;
    placement.clientHeight = 40;
    placement.show = SW_SHOWNA;
    return placement;
}

bool QuitPosted() {
    MSG msg;
    return ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

TEST(ContainerWindowTest, ClosingEndsTheLoopButTheWindowStaysForItsOwner) {
    ContainerWindow window("close test", Small());
    window.QuitOnClose = true;
    ::SendMessageA(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(QuitPosted());
    ASSERT_TRUE(::IsWindow(window.Handle())) << "the controls in it are closed first";
    EXPECT_FALSE(::IsWindowVisible(window.Handle()));
}

TEST(ContainerWindowTest, WithoutQuitOnCloseClosingDestroysTheWindow) {
    ContainerWindow window("close test", Small());
    const HWND handle = window.Handle();
    ::SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(QuitPosted());
    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_EQ(nullptr, window.Handle()) << "its owner does not destroy it twice";
}

TEST(ContainerWindowTest, SizesReachTheOwnerAndAFailingHandlerStaysInside) {
    ContainerWindow window("size test", Small());
    RECT client{};
    ::GetClientRect(window.Handle(), &client);
    EXPECT_EQ(120, client.right);
    EXPECT_EQ(40, client.bottom);
    int width = 0, height = 0;
    window.OnSize = [&](int w, int h) {
        width = w;
        height = h;
    };
    ::SetWindowPos(window.Handle(), nullptr, 0, 0, 300, 100, SWP_NOMOVE | SWP_NOZORDER);
    ::GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, width);
    EXPECT_EQ(client.bottom, height);

    window.OnSize = [](int, int) { throw std::runtime_error("owner failed"); };
    ::SetWindowPos(window.Handle(), nullptr, 0, 0, 200, 90, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(::IsWindow(window.Handle()));
}

TEST(HostStreamBytesTest, AnObjectThatCannotSaveIsAnError) {
    EventSink notPersistent(DIID_ICorvaneEvents);
    try {
        SaveToBytes(&notPersistent);
        FAIL() << "no error";
    } catch (const HostError& error) {
        EXPECT_EQ(E_NOINTERFACE, error.Code());
        EXPECT_NE(std::string::npos, std::string(error.what()).find("0x80004002"));
    }
    const std::vector<unsigned char> bytes = {1, 2, 3, 250};
    const auto stream = StreamOnBytes(bytes);
    unsigned char back[8] = {};
    ULONG read = 0;
    ASSERT_EQ(S_OK, stream->Read(back, sizeof back, &read));
    EXPECT_EQ(4u, read) << "positioned at the start";
    EXPECT_EQ(250, back[3]);
}

} // namespace
} // namespace corvane::host

// Anyone on the desktop can post or send to the control's windows (the
// parking window is found by its class name): a message the control did not
// post runs nothing, from another thread or process, and the control works on.
#include "TestHost.h"

#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "server/ModuleCounts.h"

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <thread>

namespace corvane::server::test {
namespace {

volatile LONG g_ran = 0;
void Planted(void* counter) { // what the parking window once ran from wParam
    ::InterlockedIncrement(static_cast<volatile LONG*>(counter));
}

// Each WM_APP message the control uses and its neighbours, a registered one,
// and WM_NCCREATE (sent: it cannot be posted) naming an object, each with
// chosen and random parameters, to every window given. WM_NOTIFY,
// WM_GETDLGCODE and the tooltip's own TTM_GETTEXTW, whose lParam is a
// pointer, go both ways: posted, and sent as another thread or process would.
// The system copies WM_GETDLGCODE's message across processes; inside one it
// hands the sender's pointer over as it is, as it does for every message.
void Forge(const std::vector<HWND>& windows, bool sameProcess) {
    const UINT messages[] = {
        WM_APP,      WM_APP + 1, WM_APP + 2,   ::RegisterWindowMessageA("CorvaneC"),
        WM_NCCREATE, WM_NOTIFY,  TTM_GETTEXTW, WM_GETDLGCODE};
    std::mt19937_64 random(20261208);
    const uintptr_t params[][2] = {
        {reinterpret_cast<uintptr_t>(&Planted), reinterpret_cast<uintptr_t>(&g_ran)},
        {0, 0},
        {0x41414141, 0x41414141},
        {static_cast<uintptr_t>(random()), static_cast<uintptr_t>(random())}};
    for (const HWND window : windows)
        for (const UINT message : messages)
            for (const auto& [w, l] : params) {
                if (sameProcess && message == WM_GETDLGCODE)
                    continue;
                CREATESTRUCTA create{};
                create.lpCreateParams = reinterpret_cast<void*>(l);
                DWORD_PTR result = 0;
                const bool sent = message < WM_USER || message == TTM_GETTEXTW;
                if (sent)
                    ::SendMessageTimeoutA(window, message, w,
                                          message == WM_NCCREATE ? reinterpret_cast<LPARAM>(&create)
                                                                 : static_cast<LPARAM>(l),
                                          SMTO_NORMAL, 5000, &result);
                if (message != WM_NCCREATE)
                    ::PostMessageA(window, message, w, static_cast<LPARAM>(l));
            }
}

// This program started with "--forge <window>...": forges, and ends.
const bool g_forger = [] {
    const char* forge = std::strstr(::GetCommandLineA(), " --forge");
    if (forge == nullptr)
        return false;
    std::vector<HWND> windows;
    char* p = const_cast<char*>(forge) + 8;
    for (char* next = p; (windows.push_back(reinterpret_cast<HWND>(
                              static_cast<uintptr_t>(std::strtoull(p, &next, 10)))),
                          next != p);
         p = next) {
    }
    windows.pop_back();
    Forge(windows, false);
    ::ExitProcess(0);
}();

DWORD WINAPI ForgeOnThread(void* windows) {
    Forge(*static_cast<const std::vector<HWND>*>(windows), true);
    return 0;
}

// Pumps (the forger's sent messages arrive here) until it ends.
void PumpUntilEnded(HANDLE forger) {
    for (const DWORD end = ::GetTickCount() + 30000;
         ::MsgWaitForMultipleObjects(1, &forger, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0 &&
         ::GetTickCount() < end;)
        PumpMessages();
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(forger, 0)) << "the forger hangs";
    ::CloseHandle(forger);
}

using ForgedMessageTest = ControlTest;

TEST_F(ForgedMessageTest, RunNothingFromAnotherThreadOrProcessAndTheControlWorksOn) {
    auto control = NewControl();
    TestSite site;
    auto ole = Query<IOleObject>(control.Get(), IID_IOleObject);
    ASSERT_EQ(S_OK, ole->SetClientSite(&site));
    ASSERT_EQ(S_OK,
              ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, site.Window(), nullptr));
    Object(control.Get()).HeaderControl().SetShowHint(true);
    Object(control.Get()).HeaderControl().Sections()->Items(0)->Add("One");
    const HWND header = Object(control.Get()).Window().Handle();
    ::SendMessageA(header, WM_MOUSEMOVE, 0, 0); // makes the tooltip
    std::vector<HWND> windows{::FindWindowExA(HWND_MESSAGE, nullptr, "CorvaneParking", nullptr),
                              header, Object(control.Get()).Window().Tooltip().Handle()};
    ASSERT_TRUE(windows[0] != nullptr && windows[2] != nullptr);

    PumpUntilEnded(::CreateThread(nullptr, 0, &ForgeOnThread, &windows, 0, nullptr));
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"" + std::string(self) + "\" --forge";
    for (const HWND window : windows)
        command += " " + std::to_string(reinterpret_cast<uintptr_t>(window));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &process));
    ::CloseHandle(process.hThread);
    PumpUntilEnded(process.hProcess);
    host::PumpMessagesFor(200);
    EXPECT_EQ(0, g_ran) << "a forged message ran code of its sender's choosing";

    // Its window is its own, it takes changes, and work handed to its
    // thread's loop still runs (a last release on another thread).
    EXPECT_EQ(header, Object(control.Get()).Window().Handle());
    EXPECT_EQ(S_OK, control->put_Color(0x123456));
    ASSERT_EQ(S_OK, ole->Close(OLECLOSE_NOSAVE));
    ASSERT_EQ(S_OK, ole->SetClientSite(nullptr));
    ole.Reset();
    std::thread([last = control.Detach()] { last->Release(); }).join();
    PumpMessages();
    EXPECT_EQ(0, ObjectCount()) << "the queued release did not run";
}

} // namespace
} // namespace corvane::server::test

// Any program on the desktop can post or send messages to the control's
// windows (the parking window is found by its class name). A message the
// control did not post runs nothing, whatever its parameters, from another
// thread or another process, and the control works on afterwards.
#include "TestHost.h"

#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "server/ModuleCounts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace corvane::server::test {
namespace {

volatile LONG g_ran = 0;

// What an attacker would have the host run: the parking window once called
// the function in wParam with lParam.
void Planted(void* counter) {
    ::InterlockedIncrement(static_cast<volatile LONG*>(counter));
}

struct Forged {
    HWND Window;
    UINT Message;
    WPARAM W;
    LPARAM L;
};

// Posted, but WM_NCCREATE sent (it cannot be posted) with creation
// parameters of the sender's choosing.
void Deliver(const Forged& f) {
    if (f.Message != WM_NCCREATE) {
        ::PostMessageA(f.Window, f.Message, f.W, f.L);
        return;
    }
    CREATESTRUCTA create{};
    create.lpCreateParams = reinterpret_cast<void*>(f.L);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(f.Window, WM_NCCREATE, f.W, reinterpret_cast<LPARAM>(&create),
                          SMTO_NORMAL, 5000, &result);
}

// The same program started with "--forge window:message:wparam:lparam ...":
// it delivers those and ends before the tests would start.
const bool g_forgerRan = [] {
    const char* command = ::GetCommandLineA();
    const char* forge = std::strstr(command, " --forge ");
    if (forge == nullptr)
        return false;
    for (char* p = const_cast<char*>(forge) + 9; *p != '\0';) {
        Forged f{};
        f.Window = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(p, &p, 16)));
        f.Message = static_cast<UINT>(std::strtoul(p + 1, &p, 16));
        f.W = static_cast<WPARAM>(std::strtoull(p + 1, &p, 16));
        f.L = static_cast<LPARAM>(std::strtoull(p + 1, &p, 16));
        Deliver(f);
        while (*p == ' ')
            ++p;
    }
    ::ExitProcess(0);
}();

// Pumps this thread's messages (sent ones from the forger among them) until
// `forger` ends.
void PumpUntilEnded(HANDLE forger) {
    const DWORD deadline = ::GetTickCount() + 30000;
    while (::MsgWaitForMultipleObjects(1, &forger, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           ::GetTickCount() < deadline)
        PumpMessages();
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(forger, 0)) << "the forger hangs";
}

DWORD WINAPI ForgeOnThisThread(void* messages) {
    for (const Forged& f : *static_cast<const std::vector<Forged>*>(messages))
        Deliver(f);
    return 0;
}

void ForgeFromAnotherThread(std::vector<Forged>& messages) {
    const HANDLE thread = ::CreateThread(nullptr, 0, &ForgeOnThisThread, &messages, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    PumpUntilEnded(thread);
    ::CloseHandle(thread);
}

void ForgeFromAnotherProcess(const std::vector<Forged>& messages) {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"" + std::string(self) + "\" --forge";
    char item[96];
    for (const Forged& f : messages) {
        std::snprintf(item, sizeof item, " %llx:%x:%llx:%llx",
                      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(f.Window)),
                      f.Message, static_cast<unsigned long long>(f.W),
                      static_cast<unsigned long long>(f.L));
        command += item;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &process));
    PumpUntilEnded(process.hProcess);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

using ForgedMessageTest = ControlTest;

TEST_F(ForgedMessageTest, RunNothingFromAnotherThreadOrProcessAndTheControlWorksOn) {
    auto control = NewControl();
    TestSite site;
    auto ole = Query<IOleObject>(control.Get(), IID_IOleObject);
    ASSERT_EQ(S_OK, ole->SetClientSite(&site));
    ASSERT_EQ(S_OK,
              ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, site.Window(), nullptr));
    TStrativ& header = Object(control.Get()).HeaderControl();
    header.SetShowHint(true);
    header.Sections()->Items(0)->Add("One");
    const HWND headerWindow = Object(control.Get()).Window().Handle();
    ::SendMessageA(headerWindow, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); // makes the tooltip

    // Every window of the control: the parking window as an attacker finds it.
    const HWND parking = ::FindWindowExA(HWND_MESSAGE, nullptr, "CorvaneParking", nullptr);
    ASSERT_NE(nullptr, parking);
    std::vector<HWND> windows{parking, headerWindow};
    if (const HWND tooltip = Object(control.Get()).Window().Tooltip().Handle())
        windows.push_back(tooltip);

    // Every WM_APP message the control uses and its neighbours, user and
    // registered messages, and the creation message with a chosen object.
    const UINT registered = ::RegisterWindowMessageA("CorvaneC");
    const UINT messagesTried[] = {WM_APP,      WM_APP + 1, WM_APP + 2, WM_APP + 0x10,
                                  WM_USER + 1, registered, WM_NCCREATE};
    std::mt19937_64 random(20261208);
    std::vector<std::pair<WPARAM, LPARAM>> params = {
        {reinterpret_cast<WPARAM>(&Planted), reinterpret_cast<LPARAM>(&g_ran)},
        {0, 0},
        {0x41414141, 0x41414141},
    };
    for (int i = 0; i < 3; ++i)
        params.emplace_back(static_cast<WPARAM>(random()), static_cast<LPARAM>(random()));
    std::vector<Forged> forged;
    for (const HWND window : windows)
        for (const UINT message : messagesTried) {
            // The tooltip is the system's: its own user messages are its contract.
            if (window != parking && window != headerWindow && message == WM_USER + 1)
                continue;
            for (const auto& [w, l] : params)
                forged.push_back(Forged{window, message, w, l});
        }

    ForgeFromAnotherThread(forged);
    ForgeFromAnotherProcess(forged);
    host::PumpMessagesFor(200);
    EXPECT_EQ(0, g_ran) << "a forged message ran code of its sender's choosing";

    // The control works on: it paints, its windows are its own, and work
    // handed to its thread's loop still runs (a release on another thread).
    EXPECT_TRUE(::IsWindow(headerWindow));
    EXPECT_EQ(headerWindow, Object(control.Get()).Window().Handle());
    ::UpdateWindow(headerWindow);
    EXPECT_EQ(S_OK, control->put_Color(0x123456));
    ASSERT_EQ(S_OK, ole->Close(OLECLOSE_NOSAVE));
    ASSERT_EQ(S_OK, ole->SetClientSite(nullptr));
    ole.Reset();
    ICorvane* last = control.Detach();
    std::thread([last] { last->Release(); }).join();
    EXPECT_EQ(1, ObjectCount());
    PumpMessages();
    EXPECT_EQ(0, ObjectCount()) << "the queued release did not run";
}

} // namespace
} // namespace corvane::server::test

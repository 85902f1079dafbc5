// Creates, in-place activates and destroys the control object many times in
// one host process and reports the time per cycle and what is left over: GDI
// and USER handles, committed memory, live objects of the module. A timing
// program, built with the cross trees and not run by CTest.
//
//     corvane_activex_cycles.exe [cycles] [create]   (default 1000; "create":
//                                                    without the activation)
#include "../../tests/server/activex/TestHost.h"
#include "server/ModuleCounts.h"

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace corvane::server;
using namespace corvane::server::test;

namespace {

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& t) {
        return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

struct Usage {
    DWORD Gdi = 0;
    DWORD User = 0;
    SIZE_T Private = 0;
};

Usage Measure() {
    Usage u;
    u.Gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    u.User = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(),
                           reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    u.Private = counters.PagefileUsage;
    return u;
}

bool activate = true;

bool Cycle(TestSite& site) {
    auto control = NewControl();
    if (!control)
        return false;
    if (!activate)
        return true;
    auto ole = Query<IOleObject>(control.Get(), IID_IOleObject);
    if (FAILED(ole->SetClientSite(&site)) ||
        ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, site.Window(), nullptr) != S_OK)
        return false;
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 1000;
    activate = !(argc > 2 && std::string(argv[2]) == "create");
    if (FAILED(::OleInitialize(nullptr)))
        return 2;
    int failed = 0;
    {
        TestSite site;
        // One cycle first: classes registered, fonts and libraries loaded.
        Cycle(site);
        PumpMessages();
        const Usage before = Measure();
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ProcessCpuSeconds();
        for (int i = 0; i < cycles; ++i) {
            if (!Cycle(site))
                ++failed;
            PumpMessages();
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = ProcessCpuSeconds() - cpuStart;
        const Usage after = Measure();
        std::printf("%d cycles (create, %sdestroy): %.3f ms per cycle\n", cycles,
                    activate ? "in-place activate, " : "", seconds * 1000.0 / cycles);
        std::printf(
            "process CPU time %.3f ms per cycle (the Wine server's own work not included)\n",
            cpu * 1000.0 / cycles);
        std::printf("GDI objects %lu -> %lu, USER objects %lu -> %lu\n",
                    static_cast<unsigned long>(before.Gdi), static_cast<unsigned long>(after.Gdi),
                    static_cast<unsigned long>(before.User),
                    static_cast<unsigned long>(after.User));
        std::printf(
            "committed memory %+lld KiB, live objects %ld, failed cycles %d\n",
            (static_cast<long long>(after.Private) - static_cast<long long>(before.Private)) / 1024,
            ObjectCount(), failed);
    }
    ::OleUninitialize();
    return failed == 0 && ObjectCount() == 0 ? 0 : 1;
}

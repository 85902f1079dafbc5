// Creates, in-place activates and destroys the control object many times in
// one host process and reports the time per cycle and what is left over: GDI
// and USER handles, committed memory, live objects of the module. A timing
// program, built with the cross trees and not run by CTest.
//
//     corvane_activex_cycles.exe [cycles]     (default 1000)
#include "../../tests/server/activex/TestHost.h"
#include "server/ModuleCounts.h"

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace corvane::server;
using namespace corvane::server::test;

namespace {

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
    u.Private = counters.PrivateUsage;
    return u;
}

bool Cycle(TestSite& site) {
    auto control = NewControl();
    if (!control)
        return false;
    auto ole = Query<IOleObject>(control.get(), IID_IOleObject);
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
        for (int i = 0; i < cycles; ++i) {
            if (!Cycle(site))
                ++failed;
            PumpMessages();
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const Usage after = Measure();
        std::printf("%d cycles (create, in-place activate, destroy): %.3f ms per cycle\n", cycles,
                    seconds * 1000.0 / cycles);
        std::printf("GDI objects %lu -> %lu, USER objects %lu -> %lu\n",
                    static_cast<unsigned long>(before.Gdi), static_cast<unsigned long>(after.Gdi),
                    static_cast<unsigned long>(before.User),
                    static_cast<unsigned long>(after.User));
        std::printf("private memory %+lld KiB, live objects %ld, failed cycles %d\n",
                    (static_cast<long long>(after.Private) - static_cast<long long>(before.Private)) /
                        1024,
                    ObjectCount(), failed);
    }
    ::OleUninitialize();
    return failed == 0 && ObjectCount() == 0 ? 0 : 1;
}

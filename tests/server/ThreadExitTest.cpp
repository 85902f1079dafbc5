// Hosts that run one user-interface thread per window make a control on a
// worker thread, let go of it and end the thread. Nothing the module keeps
// per thread may fault or hang when such a thread ends, before or after the
// module itself was unloaded, and nothing is left behind.
#include "BuiltModule.h"

#include <CorvaneC_TLB.h>
#include <gtest/gtest.h>

#include <ocidl.h>

#include <vector>

using namespace corvane::server::testing;

namespace {

const CLSID ControlClass = {
    0xFEDE2C33, 0xB885, 0x11D2, {0xBB, 0xE8, 0xE8, 0x50, 0xF2, 0x51, 0x0B, 0x74}};

// Makes a control through the module's class object, adds a section, lets go.
HRESULT UseOneControl(const TLoadedModule& module) {
    IClassFactory* factory = nullptr;
    HRESULT hr =
        module.GetClassObject(ControlClass, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr))
        return hr;
    ICorvane* control = nullptr;
    hr = factory->CreateInstance(nullptr, IID_ICorvane, reinterpret_cast<void**>(&control));
    factory->Release();
    if (FAILED(hr))
        return hr;
    ISections* sections = nullptr;
    hr = control->get_Sections(&sections);
    if (SUCCEEDED(hr)) {
        const BSTR caption = ::SysAllocString(L"One");
        ISections* added = nullptr;
        hr = sections->Add(caption, &added);
        if (added != nullptr)
            added->Release();
        ::SysFreeString(caption);
        sections->Release();
    }
    control->Release();
    return hr;
}

struct Worker {
    const TLoadedModule* Module;
    HANDLE EndAfter; // set: the thread ends only once this is signalled
    HRESULT Result = E_FAIL;
};

DWORD WINAPI WorkerThread(void* context) {
    auto& work = *static_cast<Worker*>(context);
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    work.Result = UseOneControl(*work.Module);
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&message);
    ::CoUninitialize();
    if (work.EndAfter != nullptr)
        ::WaitForSingleObject(work.EndAfter, INFINITE);
    return 0;
}

DWORD HandleCount() {
    DWORD count = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &count);
    return count;
}

// Loads the module, runs `threads` workers (every other one still alive, its
// apartment gone, when the module is unloaded), unloads the module and lets
// the rest end.
void RunWorkersAndUnload(int threads) {
    const HANDLE unloaded = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::vector<Worker> work(static_cast<size_t>(threads));
    std::vector<HANDLE> early, late;
    {
        const TLoadedModule module(BuiltModulePath());
        ASSERT_NE(module.Handle(), nullptr);
        for (int i = 0; i < threads; ++i) {
            Worker& w = work[static_cast<size_t>(i)];
            w = Worker{&module, i % 2 != 0 ? unloaded : nullptr};
            const HANDLE thread = ::CreateThread(nullptr, 0, &WorkerThread, &w, 0, nullptr);
            ASSERT_NE(thread, nullptr);
            (w.EndAfter != nullptr ? late : early).push_back(thread);
        }
        for (const HANDLE thread : early)
            EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 20000)) << "a thread hangs";
        // The others have let go of everything but have not ended.
        for (int wait = 0; wait < 500 && module.CanUnloadNow() != S_OK; ++wait)
            ::Sleep(10);
        EXPECT_EQ(S_OK, module.CanUnloadNow()) << "an object of the module is left";
    }
    EXPECT_EQ(nullptr, ::GetModuleHandleW(BuiltModulePath().c_str())) << "the module stays";
    ::SetEvent(unloaded);
    for (const HANDLE thread : late)
        EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 20000)) << "a thread hangs";
    for (const Worker& w : work)
        EXPECT_EQ(S_OK, w.Result);
    for (const HANDLE thread : early)
        ::CloseHandle(thread);
    for (const HANDLE thread : late)
        ::CloseHandle(thread);
    ::CloseHandle(unloaded);
}

TEST(ThreadExit, ThreadsEndingBeforeAndAfterTheModuleUnloadsLeaveNothing) {
    // Once, so that what Windows opens on first use is not counted.
    RunWorkersAndUnload(2);
    const DWORD handlesBefore = HandleCount();
    RunWorkersAndUnload(100);
    EXPECT_EQ(handlesBefore, HandleCount()) << "handles left behind";
}

} // namespace

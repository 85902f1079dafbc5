// Hosts that run one user-interface thread per window make a control on a
// worker thread, let go of it and end the thread, before or after the module
// is unloaded: nothing may fault, hang or be left behind.
#include "BuiltModule.h"

#include <CorvaneC_TLB.h>
#include <gtest/gtest.h>

#include <vector>

using namespace corvane::server::testing;

namespace {

struct Worker {
    const TLoadedModule* Module; // none: COM loads the registered module
    HANDLE EndAfter;             // the thread ends only once this is set (none: at once)
    HANDLE Released;             // set once the thread let go of its objects
    HRESULT Result = E_FAIL;
};

DWORD WINAPI MakeUseAndLetGo(void* context) {
    auto& w = *static_cast<Worker*>(context);
    const CLSID controlClass = {
        0xFEDE2C33, 0xB885, 0x11D2, {0xBB, 0xE8, 0xE8, 0x50, 0xF2, 0x51, 0x0B, 0x74}};
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IClassFactory* factory = nullptr;
    ICorvane* control = nullptr;
    ISections *sections = nullptr, *added = nullptr;
    BSTR caption = ::SysAllocString(L"One");
    w.Result = w.Module != nullptr
                   ? w.Module->GetClassObject(controlClass, IID_IClassFactory,
                                              reinterpret_cast<void**>(&factory))
                   : ::CoGetClassObject(controlClass, CLSCTX_INPROC_SERVER, nullptr,
                                        IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (SUCCEEDED(w.Result))
        w.Result =
            factory->CreateInstance(nullptr, IID_ICorvane, reinterpret_cast<void**>(&control));
    if (SUCCEEDED(w.Result) && SUCCEEDED(w.Result = control->get_Sections(&sections)))
        w.Result = sections->Add(caption, &added);
    for (IUnknown* object : {static_cast<IUnknown*>(added), static_cast<IUnknown*>(sections),
                             static_cast<IUnknown*>(control), static_cast<IUnknown*>(factory)})
        if (object != nullptr)
            object->Release();
    ::SysFreeString(caption);
    // As a host lets go of what its apartment loaded.
    ::CoFreeUnusedLibraries();
    ::CoUninitialize();
    ::SetEvent(w.Released);
    ::WaitForSingleObject(w.EndAfter, INFINITE);
    return 0;
}

// Every other thread ends only after the module was unloaded: by this
// program (FreeLibrary) or, with `throughCom`, by COM for the threads'
// apartments (CoFreeUnusedLibraries).
void RunThreadsAndUnload(int count, bool throughCom = false) {
    const HANDLE unloaded = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::vector<Worker> work(static_cast<size_t>(count));
    std::vector<HANDLE> threads;
    {
        const TLoadedModule loaded(BuiltModulePath());
        const TLoadedModule* module = throughCom ? nullptr : &loaded;
        if (throughCom) { // registered, then only COM's own loads keep it
            ASSERT_EQ(S_OK, loaded.RegisterServer());
        }
        // One thread's controls at a time: under Wine 8, a hundred threads
        // making windows at once now and then break the Wine process's own
        // heap (glibc reports it), plain STATIC windows and no control of
        // ours as well; this test is about thread exit and unload.
        for (Worker& w : work) {
            w = Worker{module, threads.size() % 2 != 0 ? unloaded : nullptr,
                       ::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
            threads.push_back(::CreateThread(nullptr, 0, &MakeUseAndLetGo, &w, 0, nullptr));
            EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(w.Released, 20000));
        }
        for (size_t i = 0; i < threads.size(); i += 2)
            EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(threads[i], 20000)) << "thread " << i;
        for (int wait = 0; wait < 500 && loaded.CanUnloadNow() != S_OK; ++wait)
            ::Sleep(10);
        EXPECT_EQ(S_OK, loaded.CanUnloadNow()) << "an object of the module is left";
        if (throughCom) {
            EXPECT_EQ(S_OK, loaded.UnregisterServer());
        }
    }
    EXPECT_EQ(nullptr, ::GetModuleHandleW(BuiltModulePath().c_str())) << "the module stays";
    ::SetEvent(unloaded);
    for (size_t i = 0; i < threads.size(); ++i) {
        EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(threads[i], 20000)) << "thread " << i;
        EXPECT_EQ(S_OK, work[i].Result);
        ::CloseHandle(threads[i]);
        ::CloseHandle(work[i].Released);
    }
    ::CloseHandle(unloaded);
}

TEST(ThreadExit, ThreadsEndingBeforeAndAfterTheModuleUnloadsLeaveNothing) {
    // The sections objects find their type library by its identifier.
    ITypeLib* library = nullptr;
    ASSERT_EQ(S_OK, ::LoadTypeLibEx(BuiltModulePath().c_str(), REGKIND_REGISTER, &library));
    library->Release();
    RunThreadsAndUnload(2); // what the system opens on first use is not counted
    DWORD before = 0, after = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &before);
    RunThreadsAndUnload(100);
    ::GetProcessHandleCount(::GetCurrentProcess(), &after);
    EXPECT_EQ(before, after) << "handles left behind";
    RunThreadsAndUnload(2, true);
    ::GetProcessHandleCount(::GetCurrentProcess(), &before);
    RunThreadsAndUnload(100, true);
    ::GetProcessHandleCount(::GetCurrentProcess(), &after);
    EXPECT_EQ(before, after) << "handles left behind by COM's loads";
    ::UnRegisterTypeLib(LIBID_CorvaneC, CorvaneC_MajorVersion, CorvaneC_MinorVersion, CorvaneC_Lcid,
                        sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
}

} // namespace

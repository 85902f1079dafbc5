#include "server/module/ModuleInstance.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        corvane::server::SetModuleHandle(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Unloaded by FreeLibrary: free the factories and the type library.
        // At process exit (reserved set) the other libraries may be gone
        // already, so nothing is released then.
        corvane::server::FinalizeServer();
    }
    return TRUE;
}

// The module's five exports (CorvaneC-*.def). Each catches every error at
// the boundary: nothing unwinds into the caller.

#include "server/module/ModuleErrors.h"
#include "server/module/ModuleInstance.h"
#include "server/module/RegistryKeys.h"

using corvane::server::EModuleError;
using corvane::server::LoadedServer;

namespace {

// The HRESULT of a failed module initialization.
HRESULT InitializationError() {
    try {
        throw;
    } catch (const EModuleError& error) {
        return error.Code();
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace

STDAPI DllGetClassObject(REFCLSID classId, REFIID riid, LPVOID* result) {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    try {
        return LoadedServer().GetClassObject(classId, riid, result);
    } catch (...) {
        return InitializationError();
    }
}

STDAPI DllCanUnloadNow() {
    return corvane::server::CanUnloadModule();
}

STDAPI DllRegisterServer() {
    try {
        return LoadedServer().RegisterServer();
    } catch (...) {
        return E_FAIL;
    }
}

STDAPI DllUnregisterServer() {
    try {
        return LoadedServer().UnregisterServer();
    } catch (...) {
        return E_FAIL;
    }
}

// "regsvr32 /n /i:user": the same entries for the current user only, as an
// installer without administrator rights writes them (HKEY_CLASSES_ROOT
// mapped onto the user's classes for the call). Without a command line it
// is DllRegisterServer or DllUnregisterServer.
STDAPI DllInstall(BOOL install, PCWSTR commandLine) {
    try {
        const bool forUser = commandLine != nullptr && *commandLine != L'\0';
        if (forUser && ::CompareStringOrdinal(commandLine, -1, L"user", -1, TRUE) != CSTR_EQUAL)
            return E_INVALIDARG;
        corvane::server::TServerModule& server = LoadedServer();
        if (!forUser)
            return install ? server.RegisterServer() : server.UnregisterServer();
        const corvane::server::TUsersClassesRoot mapped;
        return install ? server.RegisterServer() : server.UnregisterServer();
    } catch (...) {
        return E_FAIL;
    }
}

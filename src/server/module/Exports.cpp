// The module's four exports (CorvaneC-*.def). Each catches every error at
// the boundary: nothing unwinds into the caller.

#include "server/module/ModuleErrors.h"
#include "server/module/ModuleInstance.h"

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

#include "server/module/ModuleInstance.h"

#include "server/module/ModulePath.h"
#include "server/module/ModuleTypeLib.h"
#include "server/module/ObjectCreation.h"

#include <memory>

namespace corvane::server {

namespace {

HMODULE g_module = nullptr;
SRWLOCK g_serverLock = SRWLOCK_INIT;
std::unique_ptr<TServerModule> g_server;

class TExclusive {
public:
    TExclusive() { ::AcquireSRWLockExclusive(&g_serverLock); }
    TExclusive(const TExclusive&) = delete;
    TExclusive& operator=(const TExclusive&) = delete;
    ~TExclusive() { ::ReleaseSRWLockExclusive(&g_serverLock); }
};

} // namespace

void SetModuleHandle(HMODULE module) {
    g_module = module;
}

TServerModule& LoadedServer() {
    TExclusive guard;
    if (!g_server)
        g_server = std::make_unique<TServerModule>(ModuleFileName(g_module), &CreateControlObject,
                                                   &CreatePropertyPageObject);
    return *g_server;
}

void FinalizeServer() {
    TExclusive guard;
    g_server.reset();
}

ITypeLib* ModuleTypeLib() {
    try {
        return LoadedServer().TypeLib();
    } catch (...) {
        return nullptr;
    }
}

} // namespace corvane::server

#include "server/module/ModuleInstance.h"

#include "server/module/ModulePath.h"
#include "server/module/ModuleTypeLib.h"
#include "server/module/ObjectCreation.h"
#include "server/sections/SectionsTypeInfo.h"

#include <atomic>
#include <memory>

namespace corvane::server {

namespace {

HMODULE g_module = nullptr;
SRWLOCK g_serverLock = SRWLOCK_INIT;
std::unique_ptr<TServerModule> g_server;
// Set once the module is initialized: class object lookups from many threads
// then go straight to the factory list's read lock.
std::atomic<TServerModule*> g_ready{nullptr};

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
    if (TServerModule* ready = g_ready.load(std::memory_order_acquire))
        return *ready;
    TExclusive guard;
    if (!g_server) {
        g_server = std::make_unique<TServerModule>(ModuleFileName(g_module), &CreateControlObject,
                                                   &CreatePropertyPageObject);
        g_ready.store(g_server.get(), std::memory_order_release);
    }
    return *g_server;
}

void FinalizeServer() {
    TExclusive guard;
    g_ready.store(nullptr, std::memory_order_release);
    g_server.reset();
    ReleaseSectionsTypeInfo();
}

ITypeLib* ModuleTypeLib() {
    try {
        return LoadedServer().TypeLib();
    } catch (...) {
        return nullptr;
    }
}

} // namespace corvane::server

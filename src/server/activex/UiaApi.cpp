#include "server/activex/UiaApi.h"

#include <atomic>

namespace corvane::server {
namespace {

template <class Function> void Load(HMODULE module, const char* name, Function& function) {
    function =
        reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

TUiaCore LoadSystemCore() {
    TUiaCore core;
    // Kept for the life of the process, as any client of it would keep it.
    const HMODULE module = ::LoadLibraryW(L"uiautomationcore.dll");
    if (module == nullptr)
        return core;
    Load(module, "UiaReturnRawElementProvider", core.ReturnRawElementProvider);
    Load(module, "UiaHostProviderFromHwnd", core.HostProviderFromHwnd);
    Load(module, "UiaClientsAreListening", core.ClientsAreListening);
    Load(module, "UiaRaiseAutomationEvent", core.RaiseAutomationEvent);
    Load(module, "UiaRaiseAutomationPropertyChangedEvent",
         core.RaiseAutomationPropertyChangedEvent);
    Load(module, "UiaRaiseStructureChangedEvent", core.RaiseStructureChangedEvent);
    return core;
}

std::atomic<const TUiaCore*> g_testing{nullptr};

} // namespace

const TUiaCore& UiaCore() {
    static const TUiaCore system = LoadSystemCore();
    if (const TUiaCore* testing = g_testing.load())
        return *testing;
    return system;
}

void SetUiaEventFunctionsForTesting(const TUiaCore* functions) {
    g_testing.store(functions);
}

} // namespace corvane::server

#pragma once
// One loaded server module: its own type library, its class factories and
// what the four exports do with them. The DLL keeps one of these; tests can
// make their own over any module file and creation functions.

#include "server/automation/ComPtr.h"
#include "server/module/FactoryList.h"
#include "server/module/TypeLibInfo.h"

#include <string>

namespace corvane::server {

class TServerModule {
public:
    // Module initialization: loads the type library from `modulePath`, then
    // creates the control factory (with its verbs) and the property page
    // factory, in that order. Raises the type information errors of the
    // control class, or EModuleError when the library cannot be loaded.
    TServerModule(const std::wstring& modulePath, TCreateObjectFunction createControl,
                  TCreateObjectFunction createPropertyPage);
    TServerModule(const TServerModule&) = delete;
    TServerModule& operator=(const TServerModule&) = delete;
    ~TServerModule();

    ITypeLib* TypeLib() const { return typeLib_.Get(); }
    const TLibraryInfo& Library() const { return library_; }
    TFactoryList& Factories() { return factories_; }

    HRESULT GetClassObject(REFCLSID classId, REFIID riid, void** result) const;
    HRESULT RegisterServer();
    HRESULT UnregisterServer();

private:
    std::wstring modulePath_;
    TComPtr<ITypeLib> typeLib_;
    TLibraryInfo library_;
    TFactoryList factories_;
};

// S_FALSE while the module's object count or factory count is non-zero.
HRESULT CanUnloadModule();

} // namespace corvane::server

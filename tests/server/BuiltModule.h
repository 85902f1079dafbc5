#pragma once
// The CorvaneC.ocx this tree built, and a copy of it in a folder whose path
// has a space, as a user's "Program Files" would.

#include "win32/WinApi.h"

#include <string>

namespace corvane::server::testing {

std::wstring BuiltModulePath();
// Copies the built module into "<temp>\Corvane Server Test\CorvaneC.ocx"
// (once per process) and returns that path.
std::wstring SpacedModulePath();

// The module loaded into this process, with its exports.
class TLoadedModule {
public:
    explicit TLoadedModule(const std::wstring& path);
    TLoadedModule(const TLoadedModule&) = delete;
    TLoadedModule& operator=(const TLoadedModule&) = delete;
    ~TLoadedModule();

    HMODULE Handle() const { return module_; }
    HRESULT GetClassObject(REFCLSID classId, REFIID riid, void** result) const;
    HRESULT CanUnloadNow() const;
    HRESULT RegisterServer() const;
    HRESULT UnregisterServer() const;
    HRESULT Install(BOOL install, const wchar_t* commandLine) const;

private:
    FARPROC Export(const char* name) const;
    HMODULE module_;
};

// Runs "regsvr32 /s [/u] <path>" and returns its exit code.
DWORD RunRegsvr32(const std::wstring& path, bool unregister);

} // namespace corvane::server::testing

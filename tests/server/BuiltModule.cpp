#include "BuiltModule.h"

#include <stdexcept>

namespace corvane::server::testing {

namespace {

std::wstring Widen(const char* text) {
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text, -1, result.data(), length);
    result.resize(static_cast<size_t>(length - 1));
    return result;
}

} // namespace

std::wstring BuiltModulePath() {
    return Widen(CORVANE_OCX_PATH);
}

std::wstring SpacedModulePath() {
    static const std::wstring path = [] {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        const std::wstring folder = std::wstring(temp) + L"Corvane Server Test";
        ::CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring copy = folder + L"\\CorvaneC.ocx";
        if (!::CopyFileW(BuiltModulePath().c_str(), copy.c_str(), FALSE))
            throw std::runtime_error("cannot copy the module");
        return copy;
    }();
    return path;
}

TLoadedModule::TLoadedModule(const std::wstring& path) : module_(::LoadLibraryW(path.c_str())) {
    if (module_ == nullptr)
        throw std::runtime_error("cannot load the module");
}

TLoadedModule::~TLoadedModule() {
    ::FreeLibrary(module_);
}

FARPROC TLoadedModule::Export(const char* name) const {
    FARPROC function = ::GetProcAddress(module_, name);
    if (function == nullptr)
        throw std::runtime_error(std::string("missing export ") + name);
    return function;
}

HRESULT TLoadedModule::GetClassObject(REFCLSID classId, REFIID riid, void** result) const {
    using F = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    return reinterpret_cast<F>(reinterpret_cast<void*>(Export("DllGetClassObject")))(classId, riid,
                                                                                     result);
}

HRESULT TLoadedModule::CanUnloadNow() const {
    using F = HRESULT(STDAPICALLTYPE*)();
    return reinterpret_cast<F>(reinterpret_cast<void*>(Export("DllCanUnloadNow")))();
}

HRESULT TLoadedModule::RegisterServer() const {
    using F = HRESULT(STDAPICALLTYPE*)();
    return reinterpret_cast<F>(reinterpret_cast<void*>(Export("DllRegisterServer")))();
}

HRESULT TLoadedModule::UnregisterServer() const {
    using F = HRESULT(STDAPICALLTYPE*)();
    return reinterpret_cast<F>(reinterpret_cast<void*>(Export("DllUnregisterServer")))();
}

HRESULT TLoadedModule::Install(BOOL install, const wchar_t* commandLine) const {
    using F = HRESULT(STDAPICALLTYPE*)(BOOL, PCWSTR);
    return reinterpret_cast<F>(reinterpret_cast<void*>(Export("DllInstall")))(install, commandLine);
}

DWORD RunRegsvr32(const std::wstring& path, bool unregister) {
    std::wstring command = L"regsvr32.exe /s ";
    if (unregister)
        command += L"/u ";
    command += L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        throw std::runtime_error("cannot start regsvr32");
    ::WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code;
}

} // namespace corvane::server::testing

#include "server/module/ModulePath.h"

#include "server/module/ModuleErrors.h"

namespace corvane::server {

std::wstring ModuleFileName(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            throw EModuleError("The module's file name is not available",
                               HRESULT_FROM_WIN32(::GetLastError()));
        // A result that fills the buffer may be cut short: try a larger one.
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

namespace {

std::wstring ShortPathOf(const std::wstring& fullPath) {
    const DWORD needed = ::GetShortPathNameW(fullPath.c_str(), nullptr, 0);
    if (needed == 0)
        return std::wstring();
    std::wstring shortPath(needed, L'\0');
    const DWORD length = ::GetShortPathNameW(fullPath.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed)
        return std::wstring();
    shortPath.resize(length);
    return shortPath;
}

} // namespace

TModulePath MakeModulePath(const std::wstring& fullPath) {
    TModulePath result;
    result.full = fullPath;
    result.inproc = fullPath;
    if (fullPath.find(L' ') != std::wstring::npos) {
        const std::wstring shortPath = ShortPathOf(fullPath);
        if (!shortPath.empty())
            result.inproc = shortPath;
    }
    const auto separator = fullPath.find_last_of(L"\\/");
    result.directory =
        separator == std::wstring::npos ? std::wstring() : fullPath.substr(0, separator + 1);
    return result;
}

} // namespace corvane::server

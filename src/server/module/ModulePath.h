#pragma once
// The file path of a loaded module and the forms registration writes of it.

#include "win32/WinApi.h"

#include <string>

namespace corvane::server {

struct TModulePath {
    std::wstring full;      // as the loader reports it
    std::wstring inproc;    // for InprocServer32: the short form when `full` has a space
    std::wstring directory; // `full` up to and including its last separator
};

// The full path of `module`, however long.
std::wstring ModuleFileName(HMODULE module);

// The three forms of `fullPath`. When a path with a space has no short form
// (short names switched off on its volume), the full path is used: a quoted
// or spaced InprocServer32 path still loads, an empty one never would.
TModulePath MakeModulePath(const std::wstring& fullPath);

} // namespace corvane::server

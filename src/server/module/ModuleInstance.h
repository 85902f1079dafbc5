#pragma once
// The DLL's one server module, made on first use rather than in DllMain:
// loading the type library loads modules, which must not happen under the
// loader lock.

#include "server/module/ServerModule.h"

namespace corvane::server {

void SetModuleHandle(HMODULE module);

// The initialized module. Raises the initialization's error; a later call
// tries again.
TServerModule& LoadedServer();

// Frees the factories and the type libraries (module unload).
void FinalizeServer();

} // namespace corvane::server

#pragma once
// The enumerator a connection point hands out for EnumConnections: a
// snapshot of the connected sinks with their cookies, taken when it was made.

#include "server/ModuleCounts.h"
#include "server/activex/ComRef.h"

#include <ocidl.h>

#include <vector>

namespace corvane::server {

struct TConnection {
    TComRef<IUnknown> Sink;
    DWORD Cookie = 0;
};

// A new enumerator over connections (one reference, for the caller).
IEnumConnections* NewConnectionEnum(std::vector<TConnection> connections);

} // namespace corvane::server

#pragma once
// The two enumerators of connection points: a snapshot of items, each
// holding its own references, with the standard Next/Skip/Reset/Clone.

#include "server/ModuleCounts.h"
#include "server/automation/Bstr.h"
#include "server/automation/ComPtr.h"
#include "server/automation/Variant.h"

#include <ocidl.h>

#include <vector>

namespace corvane::server {

// The connection points of a container.
HRESULT CreatePointEnumerator(const std::vector<IConnectionPoint*>& points,
                              IEnumConnectionPoints** result);
// The connections of a point: each sink with its cookie.
HRESULT CreateConnectionEnumerator(const std::vector<CONNECTDATA>& connections,
                                   IEnumConnections** result);

} // namespace corvane::server

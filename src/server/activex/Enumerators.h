#pragma once
// Enumerators over a snapshot of items, each holding its own references or
// copies, with the standard Next/Skip/Reset/Clone: connection points,
// connections and verbs.

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
// Verbs: the names are copied, and Next hands out copies the caller frees
// with CoTaskMemFree.
HRESULT CreateVerbEnumerator(const std::vector<OLEVERB>& verbs, IEnumOLEVERB** result);

} // namespace corvane::server

#include "server/control/CorvaneCreate.h"
#include "server/module/ObjectCreation.h"

namespace corvane::server {

// The control factory's objects: TCorvane, which raises an error (shown in
// the "DAX Error" box by the factory) when it cannot be created.
HRESULT CreateControlObject(IUnknown* outer, REFIID riid, void** result) {
    return CreateCorvane(outer, riid, result);
}

} // namespace corvane::server

#include "server/module/ObjectCreation.h"

namespace corvane::server {

// Built when the tree has no ActiveX control object: the class stays
// registered, but creating one is refused rather than faked.
HRESULT CreateControlObject(IUnknown*, REFIID, void** result) {
    if (result != nullptr)
        *result = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

} // namespace corvane::server

#include "server/module/ObjectCreation.h"

namespace corvane::server {

// Built when the tree has no property page object: its class is registered
// so hosts find it, but creating one is refused rather than faked.
HRESULT CreatePropertyPageObject(IUnknown*, REFIID, void** result) {
    if (result != nullptr)
        *result = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

} // namespace corvane::server

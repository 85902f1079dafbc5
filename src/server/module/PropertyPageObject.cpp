#include "server/module/ObjectCreation.h"

namespace corvane::server {

// The property page built from the customizing editor does not exist yet:
// its class is registered so hosts find it, but creating one is refused
// rather than faked.
HRESULT CreatePropertyPageObject(IUnknown*, REFIID, void** result) {
    if (result != nullptr)
        *result = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

} // namespace corvane::server

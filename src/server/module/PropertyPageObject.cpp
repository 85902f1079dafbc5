#include "server/module/ObjectCreation.h"
#include "server/propertypage/GenStrativPage.h"

namespace corvane::server {

// The property page factory's objects: the customizing editor as a host page.
HRESULT CreatePropertyPageObject(IUnknown* outer, REFIID riid, void** result) {
    return CreateGenStrativPage(outer, riid, result);
}

} // namespace corvane::server

#pragma once
// The type information every sections object serves. The registered library
// is loaded once, on the first wrapper, and its description of ISections is
// shared by all wrappers of the module: a script walking a tree makes a
// wrapper per section, and a registry look-up per wrapper costs far more
// than the calls made on it. It stays until the module unloads, so a library
// unregistered while the module is in use keeps serving what was loaded.

#include "server/automation/DispatchTypeInfo.h"

#include <memory>

namespace corvane::server {

// The shared description; loads the registered library when there is none
// yet. Raises EComError with the load's result when it cannot be loaded (a
// later call tries again).
std::shared_ptr<const TDispatchTypeInfo> SectionsTypeInfo();

// Lets go of the shared description (module unload). Wrappers still alive
// keep theirs; the next wrapper loads the library again.
void ReleaseSectionsTypeInfo() noexcept;

} // namespace corvane::server

#pragma once
// The table of live sections objects: how an ISections argument is known to
// be one of ours before it is treated as one (a host may pass any object
// that claims the interface).

#include "win32/WinApi.h"

#include <CorvaneC_TLB.h>

namespace corvane::server {

class TSections;

namespace live_sections {

void Add(TSections* object);
void Remove(TSections* object) noexcept;
// The object behind p if p is a live sections object of ours, else null.
TSections* Find(ISections* p);

} // namespace live_sections
} // namespace corvane::server

#pragma once
// The sections automation object, as other layers of the server use it.

#include "core/model/HeaderColumns.h"
#include "win32/WinApi.h"

#include <CorvaneC_TLB.h>

// A new sections object over node (null: an empty wrapper), returned with one
// reference in *result. Fails with the result of loading the registered type
// library when that fails; *result is null then.
HRESULT CreateSections(corvane::THeaderColumns* node, ISections** result);

// The section behind a sections object of ours; null for an empty wrapper, a
// wrapper whose section has been freed, a wrapper of another thread, and any
// ISections object this library did not create.
corvane::THeaderColumns* SectionOf(ISections* sections);

#pragma once
// The sections automation objects the control hands to hosts.

#if __has_include("server/sections/Sections.h")
#include "server/sections/Sections.h"
#else
#include "core/model/HeaderColumns.h"
#include "win32/WinApi.h"

#include <CorvaneC_TLB.h>

HRESULT CreateSections(corvane::THeaderColumns* node, ISections** result);
corvane::THeaderColumns* SectionOf(ISections* sections);
#endif

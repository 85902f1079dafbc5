#pragma once
// Booleans at the automation boundary: -1 and 0 out, any non-zero value in
// counts as true.

#include "win32/WinApi.h"

#include <oleauto.h>

namespace corvane::server {

inline VARIANT_BOOL ToVariantBool(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

inline bool FromVariantBool(VARIANT_BOOL value) {
    return value != VARIANT_FALSE;
}

} // namespace corvane::server

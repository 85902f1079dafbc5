#pragma once
// An owning VARIANT: initialised empty, cleared (with whatever it holds) on
// destruction.

#include "win32/WinApi.h"

#include <oleauto.h>

namespace corvane::server {

class TVariant : public VARIANT {
public:
    TVariant() noexcept { VariantInit(this); }
    TVariant(const TVariant&) = delete;
    TVariant& operator=(const TVariant&) = delete;
    ~TVariant() { VariantClear(this); }

    // Frees the held value; the variant is VT_EMPTY afterwards.
    void Clear() noexcept { VariantClear(this); }
    VARIANT* Put() noexcept {
        Clear();
        return this;
    }
};

} // namespace corvane::server

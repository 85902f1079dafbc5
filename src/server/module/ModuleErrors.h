#pragma once
// Errors of the module level: a failed platform call carries its HRESULT, so
// an export can hand it on.

#include "core/framework/Exceptions.h"
#include "win32/WinApi.h"

namespace corvane::server {

class EModuleError : public corvane::Exception {
public:
    EModuleError(const std::string& message, HRESULT code)
        : corvane::Exception(message), code_(code) {}
    HRESULT Code() const { return code_; }

private:
    HRESULT code_;
};

// "Error creating system registry entry"
class ERegistryError : public corvane::Exception {
public:
    using corvane::Exception::Exception;
};

} // namespace corvane::server

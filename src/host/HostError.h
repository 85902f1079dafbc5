#pragma once
// A step of hosting that failed: what was tried and the HRESULT it gave.

#include <windows.h>

#include <stdexcept>
#include <string>

namespace corvane::host {

class HostError : public std::runtime_error {
public:
    HostError(const std::string& what, HRESULT code);
    HRESULT Code() const { return code_; }

private:
    HRESULT code_;
};

// Throws "<what> failed (0x8...)" when hr is a failure.
void Require(HRESULT hr, const char* what);

} // namespace corvane::host

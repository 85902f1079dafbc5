#include "host/HostError.h"

#include <cstdio>

namespace corvane::host {
namespace {

std::string WithCode(const std::string& what, HRESULT code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return what + " (" + text + ")";
}

} // namespace

HostError::HostError(const std::string& what, HRESULT code)
    : std::runtime_error(WithCode(what, code)), code_(code) {}

void Require(HRESULT hr, const char* what) {
    if (FAILED(hr))
        throw HostError(std::string(what) + " failed", hr);
}

} // namespace corvane::host

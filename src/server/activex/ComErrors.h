#pragma once
// The COM boundary of the control object: every method runs its body through
// Guarded, so no C++ exception reaches a host. An error becomes an HRESULT and
// an error-information record for the calling thread.

#include "server/automation/ComBoundary.h"
#include "win32/ControlEntry.h"
#include "win32/WinApi.h"

#include <exception>

namespace corvane::server {

// The HRESULT and error information for the exception being handled: the code
// of an OLE error when it carries a failure code, else E_UNEXPECTED.
HRESULT ReportCurrentException(REFIID iid, const wchar_t* source) noexcept;

// Carries an HRESULT through C++ code to the boundary, with its text (the
// control's own or the system's) for the host and for any error box.
class EOleError : public EComError {
public:
    explicit EOleError(HRESULT code) : EComError(code) {}
};

// Raises EOleError for a failed result.
inline void Check(HRESULT hr) {
    if (FAILED(hr))
        throw EOleError(hr);
}

template <class Body> HRESULT Guarded(REFIID iid, const wchar_t* source, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return ReportCurrentException(iid, source);
    }
}

} // namespace corvane::server

// The first line of every COM method of the control object: opens an entry
// into the control (`owner`, a win32::TEntryOwner*) for the rest of the
// method, or answers RPC_E_WRONG_THREAD on a thread other than the
// control's own, as a proxy would, before looking at any argument.
#define CONTROL_ENTRY(owner)                                                                       \
    const ::corvane::win32::ControlEntry corvane_entry_(owner);                                    \
    if (corvane_entry_.Refused())                                                                  \
    return RPC_E_WRONG_THREAD

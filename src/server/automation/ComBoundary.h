#pragma once
// The COM boundary: no C++ exception ever crosses an interface method.
//
// Every COM method of ours runs its body inside ComBoundary:
//
//     HRESULT STDMETHODCALLTYPE TThing::get_Count(long* result) {
//         return ComBoundary(IID_IThing, [&] { *OutParam(result) = node.Count(); });
//     }
//
// A body returns void (success is S_OK) or an HRESULT of its own. Whatever it
// raises becomes a failure result plus the thread's error information
// (CreateErrorInfo/SetErrorInfo) carrying the interface's IID, the error's
// message text and its help context:
//   - EComError (and anything derived): its own HRESULT when that is a failure code;
//   - std::bad_alloc: E_OUTOFMEMORY;
//   - any other exception: E_UNEXPECTED.
//
// The RETURN_* macros are for plain HRESULT code outside the section model:
//   RETURN_IF_FAILED(expr)      returns the HRESULT of expr if it failed;
//   RETURN_HR_IF(hr, condition) returns hr if condition holds;
//   RETURN_IF_NULL_ALLOC(ptr)   returns E_OUTOFMEMORY if ptr is null.

#include "core/framework/Exceptions.h"
#include "win32/WinApi.h"

#include <string>
#include <type_traits>
#include <utility>

namespace corvane::server {

// An error with a system result code of its own (a failed COM call).
class EComError : public Exception {
public:
    // The message is the system's text for hr.
    explicit EComError(HRESULT hr);
    EComError(HRESULT hr, const std::string& message) : Exception(message), hr_(hr) {}
    HRESULT Code() const { return hr_; }

private:
    HRESULT hr_;
};

// Raises EComError when hr is a failure.
void ThrowIfFailed(HRESULT hr);

// The text for hr (ANSI): the control's own for the codes it raises, else
// the system's, else a sentence with the code.
std::string SystemMessage(HRESULT hr);

// Makes an error-information record (iid, source, description, help context)
// the thread's current one. Never fails visibly: without memory the record
// is simply missing.
void SetComErrorInfo(REFIID iid, const std::string& description, int helpContext,
                     const wchar_t* source = nullptr) noexcept;

// The HRESULT for the exception being handled, after setting its error
// information. Call only inside a catch block.
HRESULT HandleCurrentException(REFIID iid, const wchar_t* source = nullptr) noexcept;

// For out-parameters the caller must supply: the pointer, or an error
// (E_UNEXPECTED with "Invalid pointer argument") when it is null.
template <class T> T* OutParam(T* p) {
    if (!p)
        throw Exception("Invalid pointer argument");
    return p;
}

// source names the object in the error information (a ProgID-like
// "Library.Class"), as script hosts show it.
template <class Body> HRESULT ComBoundary(REFIID iid, const wchar_t* source, Body&& body) noexcept {
    try {
        if constexpr (std::is_same_v<decltype(body()), void>) {
            body();
            return S_OK;
        } else {
            return body();
        }
    } catch (...) {
        return HandleCurrentException(iid, source);
    }
}

template <class Body> HRESULT ComBoundary(REFIID iid, Body&& body) noexcept {
    return ComBoundary(iid, nullptr, std::forward<Body>(body));
}

} // namespace corvane::server

#define RETURN_IF_FAILED(expr)                                                                     \
    do {                                                                                           \
        const HRESULT corvane_hr_ = (expr);                                                        \
        if (FAILED(corvane_hr_))                                                                   \
            return corvane_hr_;                                                                    \
    } while (0)

#define RETURN_HR_IF(hr, condition)                                                                \
    do {                                                                                           \
        if (condition)                                                                             \
            return (hr);                                                                           \
    } while (0)

#define RETURN_IF_NULL_ALLOC(ptr)                                                                  \
    do {                                                                                           \
        if (!(ptr))                                                                                \
            return E_OUTOFMEMORY;                                                                  \
    } while (0)

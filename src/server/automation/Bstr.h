#pragma once
// An owning BSTR, and the conversions between the control's byte strings
// (system ANSI code page) and BSTRs.

#include "win32/WinApi.h"

#include <oleauto.h>

#include <string>
#include <utility>

namespace corvane::server {

class TBstr {
public:
    TBstr() noexcept = default;
    TBstr(const TBstr&) = delete;
    TBstr& operator=(const TBstr&) = delete;
    TBstr(TBstr&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}
    TBstr& operator=(TBstr&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.s_, nullptr));
        return *this;
    }
    ~TBstr() { Reset(); }

    // Takes ownership of s.
    static TBstr Attach(BSTR s) noexcept {
        TBstr result;
        result.s_ = s;
        return result;
    }
    // A copy of text (raises EOutOfMemory when it cannot be allocated).
    static TBstr FromWide(const wchar_t* text, size_t length);

    // Gives the string to the caller, who frees it.
    BSTR Detach() noexcept { return std::exchange(s_, nullptr); }
    void Reset(BSTR s = nullptr) noexcept {
        if (s_)
            SysFreeString(s_);
        s_ = s;
    }
    // For out-parameters: frees what is held first.
    BSTR* Put() noexcept {
        Reset();
        return &s_;
    }

    BSTR Get() const noexcept { return s_; }
    // The slot itself, for a by-reference argument whose callee may replace
    // the string; what is there afterwards is freed by this object.
    BSTR* Slot() noexcept { return &s_; }
    // Length in characters; a null BSTR is the empty string.
    size_t Length() const noexcept { return SysStringLen(s_); }

private:
    BSTR s_ = nullptr;
};

// The control's UTF-8 text as a BSTR over its full length (embedded zero
// bytes included); ill-formed UTF-8 gives U+FFFD. The empty string gives a
// null BSTR, the automation form of "".
TBstr TextToBstr(const std::string& text);

// The BSTR's full length (SysStringLen) as UTF-8; an unpaired surrogate
// gives U+FFFD. Null gives "".
std::string BstrToText(BSTR text);

} // namespace corvane::server

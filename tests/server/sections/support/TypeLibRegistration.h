#pragma once
// Registers the built type library in this Wine prefix for as long as the
// object lives, so that LoadRegTypeLib finds it. A library that is already
// registered (by another test of the tree, say) is used as it is and left
// registered.

#include "win32/WinApi.h"

#include <oleauto.h>

#include <string>

namespace corvane::test {

class TTypeLibRegistration {
public:
    explicit TTypeLibRegistration(const char* path);
    ~TTypeLibRegistration();
    TTypeLibRegistration(const TTypeLibRegistration&) = delete;
    TTypeLibRegistration& operator=(const TTypeLibRegistration&) = delete;

    HRESULT Result() const { return result_; }
    // True when this object registered the library (and will unregister it).
    bool Owned() const { return owned_; }

    // Takes the registration away and puts it back (tests of a missing library).
    HRESULT Unregister();
    HRESULT Register();

private:
    std::wstring path_;
    HRESULT result_ = E_FAIL;
    bool owned_ = false;
};

// The registration the test program made at its start (null outside a run).
TTypeLibRegistration* TheRegistration();

// The path compiled in (CORVANE_TYPELIB_PATH) as a wide string.
std::wstring WidePath(const char* path);

} // namespace corvane::test

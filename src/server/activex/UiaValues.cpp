#include "server/activex/UiaValues.h"

#include "server/activex/ComErrors.h"
#include "server/automation/Bstr.h"

#include <vector>

namespace corvane::server {

void SetInt(VARIANT& value, int number) {
    value.vt = VT_I4;
    value.lVal = number;
}

void SetBool(VARIANT& value, bool flag) {
    value.vt = VT_BOOL;
    value.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
}

void SetText(VARIANT& value, const std::string& text) {
    if (text.empty())
        return;
    value.bstrVal = TextToBstr(text).Detach();
    value.vt = VT_BSTR;
}

void SetWindowText(VARIANT& value, HWND window) {
    const int length = window != nullptr ? ::GetWindowTextLengthW(window) : 0;
    if (length <= 0)
        return;
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    const int got = ::GetWindowTextW(window, text.data(), length + 1);
    if (got <= 0)
        return;
    value.bstrVal = TBstr::FromWide(text.data(), static_cast<size_t>(got)).Detach();
    value.vt = VT_BSTR;
}

void SetRect(VARIANT& value, const RECT& rect) {
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_R8, 0, 4);
    if (array == nullptr)
        throw EOleError(E_OUTOFMEMORY);
    const UiaRect r = ToUiaRect(rect);
    const double parts[] = {r.left, r.top, r.width, r.height};
    for (LONG i = 0; i < 4; ++i)
        ::SafeArrayPutElement(array, &i, const_cast<double*>(&parts[i]));
    value.vt = VT_R8 | VT_ARRAY;
    value.parray = array;
}

UiaRect ToUiaRect(const RECT& rect) {
    return UiaRect{static_cast<double>(rect.left), static_cast<double>(rect.top),
                   static_cast<double>(rect.right - rect.left),
                   static_cast<double>(rect.bottom - rect.top)};
}

SAFEARRAY* NewRuntimeId(int number) {
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_I4, 0, 2);
    if (array == nullptr)
        throw EOleError(E_OUTOFMEMORY);
    int parts[] = {UiaAppendRuntime, number};
    for (LONG i = 0; i < 2; ++i)
        ::SafeArrayPutElement(array, &i, &parts[i]);
    return array;
}

void Hold(IUnknown* object) {
    object->AddRef();
}

} // namespace corvane::server

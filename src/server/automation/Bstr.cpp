#include "server/automation/Bstr.h"

#include "server/automation/ComBoundary.h"

#include "core/platform/Utf8.h"

#include <climits>

namespace corvane::server {

TBstr TBstr::FromWide(const wchar_t* text, size_t length) {
    if (length > UINT_MAX / sizeof(wchar_t))
        throw EComError(E_OUTOFMEMORY);
    BSTR s = SysAllocStringLen(text, static_cast<UINT>(length));
    if (!s)
        throw EComError(E_OUTOFMEMORY);
    return Attach(s);
}

TBstr TextToBstr(const std::string& text) {
    if (text.empty())
        return TBstr();
    const std::u16string units = Utf16FromUtf8(text);
    return TBstr::FromWide(reinterpret_cast<const wchar_t*>(units.data()), units.size());
}

std::string BstrToText(BSTR text) {
    const UINT length = SysStringLen(text);
    return Utf8FromUtf16(reinterpret_cast<const char16_t*>(text), length);
}

} // namespace corvane::server

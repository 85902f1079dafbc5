#include "server/automation/Bstr.h"

#include "server/automation/ComBoundary.h"

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

TBstr AnsiToBstr(const std::string& text) {
    if (text.empty())
        return TBstr();
    if (text.size() > INT_MAX)
        throw EComError(E_OUTOFMEMORY);
    const int bytes = static_cast<int>(text.size());
    const int chars = MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, nullptr, 0);
    if (chars <= 0)
        throw EComError(HRESULT_FROM_WIN32(GetLastError()));
    BSTR s = SysAllocStringLen(nullptr, static_cast<UINT>(chars));
    if (!s)
        throw EComError(E_OUTOFMEMORY);
    TBstr result = TBstr::Attach(s);
    MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, s, chars);
    return result;
}

std::string BstrToAnsi(BSTR text) {
    const UINT length = SysStringLen(text);
    if (length == 0)
        return std::string();
    if (length > INT_MAX)
        throw EComError(E_OUTOFMEMORY);
    const int chars = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, chars, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        throw EComError(HRESULT_FROM_WIN32(GetLastError()));
    std::string result(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, chars, result.data(), bytes, nullptr, nullptr);
    return result;
}

} // namespace corvane::server

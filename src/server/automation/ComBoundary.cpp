#include "server/automation/ComBoundary.h"

#include "server/automation/ComPtr.h"

#include "core/platform/CodePage.h"
#include "core/platform/Utf8.h"

#include <oleauto.h>
#include <olectl.h>

#include <new>
#include <vector>

namespace corvane::server {

EComError::EComError(HRESULT hr) : Exception(SystemMessage(hr)), hr_(hr) {}

void ThrowIfFailed(HRESULT hr) {
    if (FAILED(hr))
        throw EComError(hr);
}

namespace {

std::string FormatSystemMessage(DWORD code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (buffer) {
        text = TextFromAnsi(std::string(buffer, length));
        LocalFree(buffer);
    }
    while (!text.empty() &&
           (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

// The texts of codes the control raises or passes on itself, which systems
// (Wine among them) may have no text for.
const char* OwnMessage(HRESULT hr) {
    switch (hr) {
    case CTL_E_INVALIDPROPERTYVALUE:
        return "Invalid property value";
    case RPC_E_WRONG_THREAD:
        return "The object belongs to another thread and cannot be called from this one";
    case RPC_E_DISCONNECTED:
        return "The object has disconnected from its clients";
    case E_PENDING:
        return "The data is not yet available";
    case STG_E_MEDIUMFULL:
        return "There is not enough space to save the control";
    default:
        return nullptr;
    }
}

} // namespace

std::string SystemMessage(HRESULT hr) {
    if (const char* own = OwnMessage(hr))
        return own;
    std::string text = FormatSystemMessage(static_cast<DWORD>(hr));
    // A wrapped Win32 error, and a storage error below 0x100 (those are the
    // Win32 errors of the same number), may have a text under the plain code only.
    if (text.empty() && (HRESULT_FACILITY(hr) == FACILITY_WIN32 ||
                         (HRESULT_FACILITY(hr) == FACILITY_STORAGE && HRESULT_CODE(hr) < 0x100)))
        text = FormatSystemMessage(static_cast<DWORD>(HRESULT_CODE(hr)));
    if (text.empty())
        text = FormatMessage("The operation failed with error code 0x%08lX",
                             static_cast<unsigned long>(hr));
    return text;
}

namespace {

// Messages are UTF-8 like every text of the control: they may quote a caption.
std::vector<wchar_t> Widen(const std::string& text) {
    const std::u16string units = Utf16FromUtf8(text);
    std::vector<wchar_t> wide(units.begin(), units.end());
    wide.push_back(L'\0');
    return wide;
}

} // namespace

void SetComErrorInfo(REFIID iid, const std::string& description, int helpContext,
                     const wchar_t* source) noexcept {
    try {
        TComPtr<ICreateErrorInfo> create;
        if (FAILED(CreateErrorInfo(create.Put())))
            return;
        create->SetGUID(iid);
        if (source)
            create->SetSource(const_cast<LPOLESTR>(source));
        create->SetDescription(Widen(description).data());
        create->SetHelpContext(static_cast<DWORD>(helpContext));
        TComPtr<IErrorInfo> info;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, info.PutVoid())))
            SetErrorInfo(0, info.Get());
    } catch (...) {
        // Out of memory while describing an error: the result code still tells.
    }
}

HRESULT HandleCurrentException(REFIID iid, const wchar_t* source) noexcept {
    try {
        throw;
    } catch (const EComError& e) {
        const HRESULT hr = FAILED(e.Code()) ? e.Code() : E_UNEXPECTED;
        SetComErrorInfo(iid, e.what(), e.HelpContext(), source);
        return hr;
    } catch (const Exception& e) {
        SetComErrorInfo(iid, e.what(), e.HelpContext(), source);
        return E_UNEXPECTED;
    } catch (const std::bad_alloc&) {
        SetComErrorInfo(iid, "Out of memory", 0, source);
        return E_OUTOFMEMORY;
    } catch (const std::exception& e) {
        SetComErrorInfo(iid, e.what(), 0, source);
        return E_UNEXPECTED;
    } catch (...) {
        SetComErrorInfo(iid, "Unexpected error", 0, source);
        return E_UNEXPECTED;
    }
}

} // namespace corvane::server

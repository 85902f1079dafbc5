#include "server/activex/ComErrors.h"

#include "core/framework/Exceptions.h"
#include "server/automation/Bstr.h"
#include "server/automation/ComBoundary.h"
#include "server/automation/ComPtr.h"
#include "server/automation/Variant.h"

#include <oleauto.h>

#include <new>
#include <string>

namespace corvane::server {

namespace {

struct ErrorDescription {
    HRESULT Code = E_UNEXPECTED;
    std::string Message;
    DWORD HelpContext = 0;
};

ErrorDescription DescribeCurrentException() {
    ErrorDescription d;
    try {
        throw;
    } catch (const EComError& e) {
        if (FAILED(e.Code()))
            d.Code = e.Code();
        d.Message = e.what();
    } catch (const Exception& e) {
        d.Message = e.what();
        d.HelpContext = static_cast<DWORD>(e.HelpContext());
    } catch (const std::bad_alloc&) {
        d.Code = E_OUTOFMEMORY;
        d.Message = "Out of memory";
    } catch (const std::exception& e) {
        d.Message = e.what();
    } catch (...) {
        d.Message = "Unknown error";
    }
    return d;
}

} // namespace

HRESULT ReportCurrentException(REFIID iid, const wchar_t* source) noexcept {
    try {
        const ErrorDescription d = DescribeCurrentException();
        TComPtr<ICreateErrorInfo> create;
        if (FAILED(::CreateErrorInfo(create.Put())))
            return E_UNEXPECTED;
        auto description = TBstr::Attach(TextToBstr(d.Message).Detach());
        create->SetGUID(iid);
        create->SetSource(const_cast<LPOLESTR>(source));
        create->SetDescription(description.Get());
        create->SetHelpContext(d.HelpContext);
        create->SetHelpFile(nullptr);
        auto info = TComPtr<IErrorInfo>::From(create.Get(), IID_IErrorInfo);
        ::SetErrorInfo(0, info.Get());
        return d.Code;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace corvane::server

#include "server/activex/ComErrors.h"

#include "core/framework/Exceptions.h"
#include "server/activex/ComRef.h"
#include "server/automation/ComBoundary.h"

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
    } catch (const EOleError& e) {
        if (FAILED(e.Code()))
            d.Code = e.Code();
        d.Message = "OLE error " + std::to_string(static_cast<unsigned long>(e.Code()));
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
        TComRef<ICreateErrorInfo> create;
        if (FAILED(::CreateErrorInfo(create.put())))
            return E_UNEXPECTED;
        TBstrHolder description(AnsiToBstr(d.Message).Detach());
        create->SetGUID(iid);
        create->SetSource(const_cast<LPOLESTR>(source));
        create->SetDescription(description.get());
        create->SetHelpContext(d.HelpContext);
        create->SetHelpFile(nullptr);
        auto info = TComRef<IErrorInfo>::From(create.get(), IID_IErrorInfo);
        ::SetErrorInfo(0, info.get());
        return d.Code;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace corvane::server

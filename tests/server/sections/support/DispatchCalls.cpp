#include "support/DispatchCalls.h"

#include "server/automation/Bstr.h"

namespace corvane::test {

TArg TArg::Long(long value) {
    TArg arg;
    arg.value_->vt = VT_I4;
    arg.value_->lVal = value;
    return arg;
}

TArg TArg::Bool(bool value) {
    TArg arg;
    arg.value_->vt = VT_BOOL;
    arg.value_->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return arg;
}

TArg TArg::String(const wchar_t* text) {
    TArg arg;
    arg.value_->vt = VT_BSTR;
    arg.value_->bstrVal = SysAllocString(text);
    return arg;
}

TArg TArg::Dispatch(IDispatch* object) {
    TArg arg;
    arg.value_->vt = VT_DISPATCH;
    arg.value_->pdispVal = object;
    if (object)
        object->AddRef();
    return arg;
}

TArg TArg::Null() {
    return Dispatch(nullptr);
}

TInvoke::TInvoke(IDispatch* target, DISPID id, WORD flags, std::initializer_list<TArg> args) {
    std::vector<VARIANT> reversed;
    for (auto it = args.end(); it != args.begin();)
        reversed.push_back((--it)->Value()); // shallow: the TArgs keep ownership
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    EXCEPINFO exception = {};
    UINT argError = 0;
    hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, &exception,
                        &argError);
    if (hr == DISP_E_EXCEPTION) {
        exceptionDescription = server::BstrToText(exception.bstrDescription);
        exceptionSource = server::BstrToText(exception.bstrSource);
        exceptionCode = exception.scode;
    }
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}

DISPID IdOfName(IDispatch* target, const wchar_t* name) {
    std::wstring copy(name);
    LPOLESTR names[] = {copy.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        return DISPID_UNKNOWN;
    return id;
}

} // namespace corvane::test

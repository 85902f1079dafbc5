#pragma once
// Values in the forms UI Automation takes them: variants of its property
// types, runtime ids, the provider options of every element of ours.

#include "server/activex/UiaApi.h"

#include <string>

namespace corvane::server {

// Served in-process. Not COM threading: the providers bring calls to the
// control's thread themselves (UiaCallGate.h); through COM's apartment call
// the system's UI Automation thread and the control's would wait for each
// other whenever a new element is handed out.
constexpr ProviderOptions UiaProviderOptions = ProviderOptions_ServerSideProvider;

void SetInt(VARIANT& value, int number);
void SetBool(VARIANT& value, bool flag);
// UTF-8 in, a BSTR out; empty text leaves the variant empty (no value).
void SetText(VARIANT& value, const std::string& text);
void SetWindowText(VARIANT& value, HWND window);
// left, top, width, height as four doubles.
void SetRect(VARIANT& value, const RECT& rect);
UiaRect ToUiaRect(const RECT& rect);
// {UiaAppendRuntimeId, number}: the window's part comes first from UIA.
SAFEARRAY* NewRuntimeId(int number);
// AddRef for an interface of ours handed out (out of line: GCC misreads the
// inlined count of an object with several bases inside a lambda).
void Hold(IUnknown* object);

} // namespace corvane::server

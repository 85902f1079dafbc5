#pragma once
// What a UI Automation provider needs of the system beyond MinGW's headers:
// the pattern interfaces it offers, the identifiers it answers with, and the
// functions of uiautomationcore.dll, loaded at first use (MinGW ships no
// import library for it, and a system without it still runs the control).

#include "win32/WinApi.h"

// Not <uiautomation.h>: MinGW's uiautomationcoreapi.h does not compile as
// C++ (a parameter named "new"); what it would give is declared here.
#include <uiautomationclient.h>

// The interfaces of the patterns offered, in the platform's vtable order.
struct IInvokeProvider : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke() = 0;
};

struct ITransformProvider : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Move(double x, double y) = 0;
    virtual HRESULT STDMETHODCALLTYPE Resize(double width, double height) = 0;
    virtual HRESULT STDMETHODCALLTYPE Rotate(double degrees) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CanMove(BOOL* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CanResize(BOOL* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CanRotate(BOOL* result) = 0;
};

struct IGridProvider : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetItem(int row, int column,
                                              IRawElementProviderSimple** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RowCount(int* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ColumnCount(int* result) = 0;
};

struct IGridItemProvider : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_Row(int* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Column(int* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RowSpan(int* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ColumnSpan(int* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ContainingGrid(IRawElementProviderSimple** result) = 0;
};

__CRT_UUID_DECL(IInvokeProvider, 0x54fcb24b, 0xe18e, 0x47a2, 0xb4, 0xd3, 0xec, 0xcb, 0xe7, 0x75,
                0x99, 0xa2)
__CRT_UUID_DECL(ITransformProvider, 0x6829ddc4, 0x4f91, 0x4ffa, 0xb8, 0x6f, 0xbd, 0x3e, 0x29, 0x87,
                0xcb, 0x4c)
__CRT_UUID_DECL(IGridProvider, 0xb17d6187, 0x0907, 0x464b, 0xa1, 0x68, 0x0e, 0xf1, 0x7a, 0x15, 0x72,
                0xb1)
__CRT_UUID_DECL(IGridItemProvider, 0xd02541f1, 0xfb81, 0x4d64, 0xae, 0x32, 0xf5, 0x20, 0xf8, 0xa6,
                0xdb, 0xd1)

namespace corvane::server {

// Identifiers of UI Automation (UIAutomationClient.h of the platform SDK).
enum : int {
    UiaHeaderControlTypeId = 50034,
    UiaHeaderItemControlTypeId = 50035,
    UiaStructureChangedEventId = 20002,
    UiaAutomationPropertyChangedEventId = 20004,
    UiaAutomationFocusChangedEventId = 20005,
    UiaInvokeInvokedEventId = 20009,
    // The first part of the runtime id of a window's own element.
    UiaHwndRuntimeIdBase = 42,
    // A runtime id that begins so is the window element's id followed by
    // the rest.
    UiaAppendRuntime = 3,
};

// WM_GETOBJECT's object id for UI Automation's root.
constexpr LONG UiaRootObject = -25;

// The platform's results, as HRESULTs.
constexpr HRESULT UiaElementNotEnabled = static_cast<HRESULT>(0x80040200);
constexpr HRESULT UiaElementNotAvailable = static_cast<HRESULT>(0x80040201);
constexpr HRESULT UiaInvalidOperation = static_cast<HRESULT>(0x80131509);

enum UiaStructureChange {
    UiaChildAdded = 0,
    UiaChildRemoved = 1,
    UiaChildrenInvalidated = 2,
    UiaChildrenBulkAdded = 3,
    UiaChildrenBulkRemoved = 4,
    UiaChildrenReordered = 5,
};

// The functions of uiautomationcore.dll a provider calls; each is null when
// the system lacks it.
struct TUiaCore {
    LRESULT(WINAPI* ReturnRawElementProvider)
    (HWND, WPARAM, LPARAM, IRawElementProviderSimple*) = nullptr;
    HRESULT(WINAPI* HostProviderFromHwnd)(HWND, IRawElementProviderSimple**) = nullptr;
    BOOL(WINAPI* ClientsAreListening)() = nullptr;
    HRESULT(WINAPI* RaiseAutomationEvent)(IRawElementProviderSimple*, int) = nullptr;
    HRESULT(WINAPI* RaiseAutomationPropertyChangedEvent)
    (IRawElementProviderSimple*, int, VARIANT, VARIANT) = nullptr;
    HRESULT(WINAPI* RaiseStructureChangedEvent)
    (IRawElementProviderSimple*, int, int*, int) = nullptr;
};

// The process's table, loaded once (from any thread).
const TUiaCore& UiaCore();

// Lets a test stand in for the system's event functions (a recorder of what
// is raised); nullptr goes back to the system's. Call on the controls'
// thread while none of them raises anything.
void SetUiaEventFunctionsForTesting(const TUiaCore* functions);

} // namespace corvane::server

#include "server/propertypage/PropertySheetBridge.h"

#include "win32/ForeignMessages.h"

#include <commctrl.h>
#include <prsht.h>

#include <string>

namespace corvane::server {
namespace {

constexpr UINT_PTR SubclassId = 0x43505042; // one subclass of ours per page dialog

bool IsDialogWindow(HWND window) {
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    return std::string(name) == "#32770";
}

// Whether page is a page dialog of a property sheet. Asked while the sheet
// creates the page (the frame activates the page as its dialog starts), so
// the sheet may not list the page yet: a dialog inside a dialog whose tab
// control is the sheet's own.
bool IsPageOfSheet(HWND sheet, HWND page) {
    if (sheet == nullptr || !IsDialogWindow(sheet) || !IsDialogWindow(page))
        return false;
    const auto tabs = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    if (tabs == nullptr || ::GetParent(tabs) != sheet)
        return false;
    char name[32] = {};
    ::GetClassNameA(tabs, name, sizeof name);
    return std::string(name) == WC_TABCONTROLA;
}

} // namespace

void TPropertySheetBridge::Attach(HWND pageDialog, TApply apply, std::function<bool()> isModified) {
    Detach();
    const HWND sheet = pageDialog == nullptr ? nullptr : ::GetParent(pageDialog);
    if (!IsPageOfSheet(sheet, pageDialog))
        return;
    if (!::SetWindowSubclass(pageDialog, &TPropertySheetBridge::SubclassProc, SubclassId,
                             reinterpret_cast<DWORD_PTR>(this)))
        return;
    // The sheet's notifications are read below: none from outside.
    win32::RefuseForeignMessages(pageDialog, win32::TForeignGuard::OwnWindow);
    page_ = pageDialog;
    sheet_ = sheet;
    apply_ = std::move(apply);
    isModified_ = std::move(isModified);
}

void TPropertySheetBridge::Detach() {
    if (page_ != nullptr && ::IsWindow(page_))
        ::RemoveWindowSubclass(page_, &TPropertySheetBridge::SubclassProc, SubclassId);
    page_ = nullptr;
    sheet_ = nullptr;
    apply_ = nullptr;
    isModified_ = nullptr;
}

void TPropertySheetBridge::ModifiedChanged(bool modified) {
    if (page_ == nullptr)
        return;
    ::SendMessageA(sheet_, modified ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(page_),
                   0);
}

LRESULT TPropertySheetBridge::OnApply() {
    if (!isModified_ || !isModified_())
        return PSNRET_NOERROR;
    std::string message;
    if (apply_(message))
        return PSNRET_NOERROR;
    // The sheet stays open on this page; the user learns why.
    ::MessageBoxA(sheet_, message.c_str(), nullptr, MB_OK | MB_ICONERROR);
    return PSNRET_INVALID_NOCHANGEPAGE;
}

LRESULT CALLBACK TPropertySheetBridge::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                                    LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    auto* self = reinterpret_cast<TPropertySheetBridge*>(data);
    if (message == WM_NOTIFY && self != nullptr && self->page_ == window) {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.hwndFrom == self->sheet_ && header.code == static_cast<UINT>(PSN_APPLY)) {
            LRESULT result = PSNRET_NOERROR;
            try {
                result = self->OnApply();
            } catch (...) {
                result = PSNRET_INVALID_NOCHANGEPAGE;
            }
            if (result != PSNRET_NOERROR) {
                ::SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
                return result;
            }
        }
    }
    if (message == WM_NCDESTROY)
        ::RemoveWindowSubclass(window, &TPropertySheetBridge::SubclassProc, id);
    return ::DefSubclassProc(window, message, wParam, lParam);
}

} // namespace corvane::server

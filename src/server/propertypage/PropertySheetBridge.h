#pragma once
// For frames built as a system property sheet whose page dialogs never call
// IPropertyPage::Apply (Wine's OleCreatePropertyFrame is one): while the
// page is active in such a frame, its OK and Apply reach the page through
// the sheet's own notification (PSN_APPLY to the page dialog that holds our
// window), and the sheet's Apply button follows the page's unapplied-changes
// state. In any other frame this does nothing. A frame that does call Apply
// finds the page clean afterwards and has nothing left to apply.

#include "win32/WinApi.h"

#include <functional>
#include <string>

namespace corvane::server {

class TPropertySheetBridge {
public:
    // Applies the page; returns false with a message when it failed.
    using TApply = std::function<bool(std::string& message)>;

    TPropertySheetBridge() = default;
    ~TPropertySheetBridge() { Detach(); }
    TPropertySheetBridge(const TPropertySheetBridge&) = delete;
    TPropertySheetBridge& operator=(const TPropertySheetBridge&) = delete;

    // pageDialog: the window the frame gave the page. Attaches only when it
    // is a page of a property sheet. apply runs for the sheet's PSN_APPLY
    // while the page has unapplied changes (isModified).
    void Attach(HWND pageDialog, TApply apply, std::function<bool()> isModified);
    void Detach();
    bool Attached() const { return page_ != nullptr; }
    // The page's unapplied-changes state changed: the sheet's Apply button
    // follows it.
    void ModifiedChanged(bool modified);

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnApply();

    HWND page_ = nullptr;
    HWND sheet_ = nullptr;
    TApply apply_;
    std::function<bool()> isModified_;
};

} // namespace corvane::server

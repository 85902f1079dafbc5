#pragma once
// The customizing dialog's window: a top-level window of its own class
// (never taken for a message box), created in code, with OK, Cancel and
// Apply beside the editor's pages, and the modal loop that runs it.
//
// Enter and Esc never close it: no button is the default or the cancel
// button, and the modal loop hands those keys to the focused control rather
// than to the dialog manager (so Enter also reaches the tree view).

#include "core/editor/HeadersForm.h"
#include "win32/GdiHandles.h"
#include "win32/WindowHandles.h"
#include "win32/editor/EditorPages.h"
#include "win32/editor/StandardDialogs.h"

#include <memory>

namespace corvane::win32::editor {

class HeadersFormWindow : public TCustomizeForm, public EditorControlIds, private TWidgetView {
public:
    static constexpr const char* ClassName = "CorvaneCustomizeForm";

    // owner: the window the dialog is modal over (disabled while it runs).
    explicit HeadersFormWindow(HWND owner);
    ~HeadersFormWindow() override;
    HeadersFormWindow(const HeadersFormWindow&) = delete;
    HeadersFormWindow& operator=(const HeadersFormWindow&) = delete;

    THeadersFrm& Form() override { return form_; }
    void ShowModal() override;

    HWND Handle() const { return window_.get(); }
    HWND PageWindow(int page) const { return pages_.PageWindow(page); }
    HWND TreeView() const { return pages_.TreeView(); }

    // The form window of a handle (nullptr for any other window).
    static HeadersFormWindow* FromHandle(HWND window);

private:
    void Refresh() override; // the caption
    void CreateForm();

    static void RegisterFormClass();
    static LRESULT CALLBACK FormProc(HWND, UINT, WPARAM, LPARAM);

    THeadersFrm form_;
    HWND owner_;
    UniqueFont font_;
    UniqueWindow window_;
    StandardDialogs dialogs_{nullptr};
    EditorPages pages_{form_, font_.get()};
};

} // namespace corvane::win32::editor

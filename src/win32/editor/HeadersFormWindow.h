#pragma once
// The customizing dialog's window: a top-level window created in code with
// OK, Cancel and Apply beside the editor's pages (EditorPages), each control
// bound to its model in the THeadersFrm it holds, and the modal loop that
// runs it. The form font is "MS Sans Serif", 8 points.
//
// Enter and Esc never close it: no button is the default or the cancel
// button, and the modal loop hands those keys to the focused control rather
// than to the dialog manager.

#include "core/editor/HeadersForm.h"
#include "win32/GdiHandles.h"
#include "win32/WindowHandles.h"
#include "win32/editor/EditorPages.h"
#include "win32/editor/StandardDialogs.h"

#include <memory>

namespace corvane::win32::editor {

class HeadersFormWindow : public TCustomizeForm, private TWidgetView {
public:
    static constexpr const char* ClassName = "CorvaneCustomizeForm";
    static constexpr const char* PageClassName = EditorPages::PageClassName;
    enum : int {
        OkButtonId = 101,
        CancelButtonId = 102,
        ApplyButtonId = 103,
        PageControlId = EditorPages::PageControlId,
        HeadersId = EditorPages::HeadersId,
        WidthEditId = EditorPages::WidthEditId,
        HeightEditId = EditorPages::HeightEditId,
        BorderWidthId = EditorPages::BorderWidthId,
        BevelWidthId = EditorPages::BevelWidthId,
        HintEditId = EditorPages::HintEditId,
    };

    // owner: the window the dialog is modal over (disabled while it runs).
    explicit HeadersFormWindow(HWND owner);
    ~HeadersFormWindow() override;
    HeadersFormWindow(const HeadersFormWindow&) = delete;
    HeadersFormWindow& operator=(const HeadersFormWindow&) = delete;

    THeadersFrm& Form() override { return form_; }
    void ShowModal() override;

    HWND Handle() const { return window_.get(); }
    HWND PageWindow(int page) const { return pages_->PageWindow(page); }
    HWND TreeView() const { return pages_->TreeView(); }

    // The form window of a handle (nullptr for any other window).
    static HeadersFormWindow* FromHandle(HWND window);

private:
    void Refresh() override; // the caption
    void CreateForm();

    static void RegisterClasses();
    static LRESULT CALLBACK RouteProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    THeadersFrm form_;
    HWND owner_;
    UniqueFont font_;
    UniqueWindow window_;
    StandardDialogs dialogs_;
    std::unique_ptr<EditorPages> pages_;
};

} // namespace corvane::win32::editor

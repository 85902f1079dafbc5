#pragma once
// The customizing dialog's window: a dialog of its own class (never taken
// for a message box), created in code, with OK, Cancel and Apply beside the
// editor's pages, and the modal loop that runs it through the dialog
// manager.
//
// Enter and Esc never close it: no button is the default or the cancel
// button (the dialog manager's IDOK and IDCANCEL reach no control), and the
// edits and the tree claim both keys for themselves (DialogKeyboard.h).
// Laid out at the pixel density of the owner's monitor.

#include "core/editor/HeadersForm.h"
#include "win32/GdiHandles.h"
#include "win32/WindowHandles.h"
#include "win32/editor/EditorPages.h"
#include "win32/editor/StandardDialogs.h"

#include <memory>
#include <optional>

namespace corvane::win32::editor {

class HeadersFormWindow : public TCustomizeForm, public EditorControlIds, private TWidgetView {
public:
    static constexpr const char* ClassName = "CorvaneCustomizeForm";

    // owner: the window the dialog is modal over (disabled while it runs);
    // scale: the pixel density to lay out at, the owner's when not given.
    explicit HeadersFormWindow(HWND owner, std::optional<TDpiScale> scale = std::nullopt);
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
    TDpiScale scale_;
    UniqueFont font_;
    UniqueWindow window_;
    StandardDialogs dialogs_{nullptr};
    EditorPages pages_{form_, font_.get(), scale_};
};

} // namespace corvane::win32::editor

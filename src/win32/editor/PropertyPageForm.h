#pragma once
// The host property page's window: a child of the host's frame holding the
// editor's pages, bound to a TGenStrativ. Unlike the customizing dialog it
// has no OK, Cancel or Apply (the frame has them); the page control fills the
// whole window, its tabs may wrap into several rows and are drawn as flat
// buttons. The window is created hidden; the host shows and moves it.
//
// It is a control container of the frame's dialog, so the frame's dialog
// manager walks its controls with Tab; the controls claim their keys as in
// the customizing dialog (DialogKeyboard.h). Mnemonics go by the editor's
// own rule: through TranslateAccelerator where the frame calls it, and
// through the dialog manager's message filter where it does not. Laid out
// at the pixel density of the frame's monitor.

#include "core/editor/GenStrativ.h"
#include "win32/GdiHandles.h"
#include "win32/WindowHandles.h"
#include "win32/editor/EditorPages.h"
#include "win32/editor/StandardDialogs.h"

#include <functional>
#include <memory>
#include <optional>

namespace corvane::win32::editor {

class PropertyPageForm {
public:
    static constexpr const char* ClassName = "CorvanePropertyPageForm";

    // Creates the window in parent at bounds, showing form as it is (a form
    // kept from an earlier activation keeps its page and its values).
    PropertyPageForm(corvane::editor::TGenStrativ& form, HWND parent, const RECT& bounds,
                     std::optional<TDpiScale> scale = std::nullopt);
    ~PropertyPageForm();
    PropertyPageForm(const PropertyPageForm&) = delete;
    PropertyPageForm& operator=(const PropertyPageForm&) = delete;

    HWND Handle() const { return window_.get(); }
    HWND PageWindow(int page) const { return pages_->PageWindow(page); }
    HWND TreeView() const { return pages_->TreeView(); }

    void Show(int command) { ::ShowWindow(window_.get(), command); }
    void Move(const RECT& bounds);
    // Keyboard navigation between the page's controls (Tab, arrows,
    // mnemonics) for a message aimed at one of them. Enter and Esc that no
    // control claims are left to the frame. True when the message was used
    // up.
    bool TranslateAccelerator(MSG& message);
    // The page's font or colour dialog runs: its call is on the stack, so the
    // window must outlive it. End ends it as Cancel would; done is called
    // once its call is about to return.
    bool InStandardDialog() const { return dialogs_.Running(); }
    void EndStandardDialog(std::function<void()> done) {
        dialogs_.OnDone = std::move(done);
        dialogs_.EndRunning();
    }

private:
    // The page control follows the window's client area.
    void FitPagesToWindow();
    static void RegisterWindowClass();
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam);

    corvane::editor::TGenStrativ& form_;
    TDpiScale scale_;
    UniqueFont font_;
    UniqueWindow window_;
    StandardDialogs dialogs_;
    std::unique_ptr<EditorPages> pages_;
    HHOOK filter_ = nullptr;
};

} // namespace corvane::win32::editor

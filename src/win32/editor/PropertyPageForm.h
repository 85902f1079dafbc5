#pragma once
// The host property page's window: a child of the host's frame holding the
// editor's pages, bound to a TGenStrativ. Unlike the customizing dialog it
// has no OK, Cancel or Apply (the frame has them); the page control fills the
// whole window, its tabs may wrap into several rows and are drawn as flat
// buttons. The window is created hidden; the host shows and moves it.

#include "core/editor/GenStrativ.h"
#include "win32/GdiHandles.h"
#include "win32/WindowHandles.h"
#include "win32/editor/EditorPages.h"
#include "win32/editor/StandardDialogs.h"

#include <memory>

namespace corvane::win32::editor {

class PropertyPageForm {
public:
    static constexpr const char* ClassName = "CorvanePropertyPageForm";

    // Creates the window in parent at bounds and runs the form's FormCreate.
    PropertyPageForm(corvane::editor::TGenStrativ& form, HWND parent, const RECT& bounds);
    ~PropertyPageForm();
    PropertyPageForm(const PropertyPageForm&) = delete;
    PropertyPageForm& operator=(const PropertyPageForm&) = delete;

    HWND Handle() const { return window_.get(); }
    HWND PageWindow(int page) const { return pages_->PageWindow(page); }
    HWND TreeView() const { return pages_->TreeView(); }

    void Show(int command) { ::ShowWindow(window_.get(), command); }
    void Move(const RECT& bounds);
    // Keyboard navigation between the page's controls (Tab, arrows,
    // mnemonics) for a message aimed at one of them. Enter and Esc are left
    // to the frame. True when the message was used up.
    bool TranslateAccelerator(MSG& message);

private:
    // The page control follows the window's client area.
    void FitPagesToWindow();
    static void RegisterWindowClass();
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

    corvane::editor::TGenStrativ& form_;
    UniqueFont font_;
    UniqueWindow window_;
    StandardDialogs dialogs_;
    std::unique_ptr<EditorPages> pages_;
};

} // namespace corvane::win32::editor

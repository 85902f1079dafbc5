#pragma once
// The system's font and colour dialogs for the General page, owned by the
// customizing dialog's window or by the frame a property page sits in.

#include "core/editor/GeneralPage.h"
#include "win32/WinApi.h"

#include <functional>

namespace corvane::win32::editor {

// The dialogs' hook: learns which window a dialog opened in.
UINT_PTR CALLBACK StandardDialogHook(HWND window, UINT message, WPARAM, LPARAM);

class StandardDialogs : public corvane::editor::TStandardDialogs {
public:
    explicit StandardDialogs(HWND owner) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    bool ExecuteFontDialog(TFont& font) override;
    bool ExecuteColorDialog(TColor& color) override;

    // A dialog's call is on the stack: whoever owns this must outlive it.
    bool Running() const { return running_ > 0; }
    // Ends the running dialog as its Cancel would (also one about to open);
    // its call writes nothing back.
    void EndRunning();
    // Called when the last running dialog's call is about to return.
    std::function<void()> OnDone;

private:
    class Scope;
    friend UINT_PTR CALLBACK StandardDialogHook(HWND, UINT, WPARAM, LPARAM);

    HWND owner_;
    COLORREF customColors_[16] = {};
    int running_ = 0;
    HWND open_ = nullptr; // the running dialog's window, once it shows
    bool ended_ = false;
};

} // namespace corvane::win32::editor

#pragma once
// The system's font and colour dialogs (ChooseFontA, ChooseColorA) for the
// General page, owned by the customizing dialog's window.

#include "core/editor/GeneralPage.h"
#include "win32/WinApi.h"

namespace corvane::win32::editor {

class StandardDialogs : public corvane::editor::TStandardDialogs {
public:
    explicit StandardDialogs(HWND owner) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    bool ExecuteFontDialog(TFont& font) override;
    bool ExecuteColorDialog(TColor& color) override;

private:
    HWND owner_;
    COLORREF customColors_[16] = {};
};

} // namespace corvane::win32::editor

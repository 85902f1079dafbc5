#include "win32/editor/CustomizeDialogWin32.h"

#include "core/editor/HeadersForm.h"
#include "win32/ErrorBox.h"
#include "win32/editor/HeadersFormWindow.h"

namespace corvane::win32 {

bool CustomizeDialogWin32::Run(TStrativ& header) {
    const HWND owner = MessageBoxOwner(window_ ? window_() : nullptr);
    return corvane::editor::RunCustomizeDialog(header, [owner] {
        return std::unique_ptr<corvane::editor::TCustomizeForm>(
            std::make_unique<editor::HeadersFormWindow>(owner));
    });
}

} // namespace corvane::win32

#include "win32/editor/CustomizeDialogWin32.h"

#include "core/editor/HeadersForm.h"
#include "win32/ErrorBox.h"
#include "win32/editor/HeadersFormWindow.h"

#include <cstring>

namespace corvane::win32 {
namespace {

// A system dialog (a box, the font or the colour dialog) that the form runs
// from inside its own loop, perhaps through another such dialog.
BOOL CALLBACK CancelDialogOwnedByForm(HWND window, LPARAM form) {
    char name[8] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "#32770") != 0)
        return TRUE;
    for (HWND owner = ::GetWindow(window, GW_OWNER); owner != nullptr;
         owner = ::GetWindow(owner, GW_OWNER)) {
        if (owner == reinterpret_cast<HWND>(form)) {
            ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            break;
        }
    }
    return TRUE;
}

// Ends a running dialog as its close box would (nothing is written back).
// The dialogs it runs inside its loop end first, as their Cancel would, so
// that its own loop gets back control.
void CancelForm(HWND form) {
    editor::HeadersFormWindow* window = editor::HeadersFormWindow::FromHandle(form);
    if (window == nullptr)
        return;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CancelDialogOwnedByForm,
                        reinterpret_cast<LPARAM>(form));
    if (window->Form().ModalResult == corvane::editor::mrNone)
        window->Form().ModalResult = corvane::editor::mrCancel;
    ::PostMessageA(form, WM_NULL, 0, 0); // wakes the loop waiting for a message
}

} // namespace

bool CustomizeDialogWin32::Run(TStrativ& header) {
    if (loops_.Over())
        return false;
    // Never the hidden parking window of an embedded control: the dialog
    // would vanish with it while its loop went on.
    const HWND owner = MessageBoxOwner(window_ ? window_() : nullptr);
    HWND form = nullptr;
    const ModalLoops::Running running(loops_, [&form] { CancelForm(form); });
    return corvane::editor::RunCustomizeDialog(header, [owner, &form] {
        auto window = std::make_unique<editor::HeadersFormWindow>(owner);
        form = window->Handle();
        return std::unique_ptr<corvane::editor::TCustomizeForm>(std::move(window));
    });
}

} // namespace corvane::win32

#pragma once
// Windows of the editor's own classes that are dialogs to the platform's
// dialog manager: made from an in-memory template naming the class, with
// DefDlgProc behind the class's window procedure. The dialog manager then
// keeps the focus across activations (it comes back to the control that had
// it when a message box or a standard dialog closes), answers
// WM_NEXTDLGCTL, and turns WM_CLOSE into a command instead of destroying
// the window.

#include "win32/WinApi.h"

namespace corvane::win32::editor {

// Registers a class for such windows (once per name): the window procedure
// handles what it needs and passes everything else to DefDlgProcA.
void RegisterDialogClass(const char* className, WNDPROC windowProc);

// Creates a dialog of that class with these styles, in pixels. A child
// (WS_CHILD) is made a control container (DS_CONTROL, WS_EX_CONTROLPARENT)
// inside parent; a popup is owned by parent. Raises on failure.
HWND CreateDialogWindow(const char* className, const char* title, DWORD style, DWORD exStyle,
                        HWND parent, int x, int y, int width, int height);

// On a change of the system's colours or settings (high contrast among
// them), the dialog and every control in it paint again.
void RepaintOnSystemChange(HWND dialog, UINT message);

} // namespace corvane::win32::editor

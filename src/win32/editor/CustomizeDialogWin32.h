#pragma once
// The customizing dialog on Windows: what TStrativ::Customize runs for a
// header that lives in a window. Every header window installs one on its
// control, so the context menu (and any host calling Customize) reaches it.

#include "core/control/CustomizeDialog.h"
#include "win32/ModalLoops.h"
#include "win32/WinApi.h"

#include <functional>

namespace corvane::win32 {

class CustomizeDialogWin32 : public TCustomizeDialog {
public:
    // window: the header's window (read at each run: it may be re-created);
    // loops: the header window's modal loops, of which the dialog is one.
    CustomizeDialogWin32(std::function<HWND()> window, ModalLoops& loops)
        : window_(std::move(window)), loops_(loops) {}

    // The whole cycle: the dialog modal over the header's top-level window,
    // the write-back, the change report and the repaint. Returns the final
    // changed flag; false without a dialog once the header's loops are over.
    bool Run(TStrativ& header);
    void Execute(TStrativ& header) override { Run(header); }

private:
    std::function<HWND()> window_;
    ModalLoops& loops_;
};

} // namespace corvane::win32

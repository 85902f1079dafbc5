#include "win32/PopupMenu.h"

#include "win32/ErrorBox.h"
#include "win32/WideText.h"

namespace corvane::win32 {

UniqueMenu BuildPopupMenu(const std::vector<TMenuEntry>& entries) {
    UniqueMenu menu(::CreatePopupMenu());
    if (menu.get() == nullptr)
        RaiseLastWin32Error("CreatePopupMenu");
    UINT_PTR command = 1;
    for (const TMenuEntry& entry : entries) {
        BOOL added;
        if (entry.Caption == "-") {
            added = ::AppendMenuW(menu.get(), MF_SEPARATOR, command, nullptr);
        } else {
            UINT flags = MF_STRING;
            if (!entry.Enabled)
                flags |= MF_GRAYED;
            if (entry.Checked)
                flags |= MF_CHECKED;
            added = ::AppendMenuW(menu.get(), flags, command, WideFromUtf8(entry.Caption).c_str());
        }
        if (!added)
            RaiseLastWin32Error("AppendMenu");
        ++command;
    }
    return menu;
}

int TrackWithSystemMenu(HMENU menu, POINT at, HWND owner) {
    return static_cast<int>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                             at.x, at.y, 0, owner, nullptr));
}

int EntryIndexFromCommand(int command, size_t entryCount) {
    if (command <= 0 || static_cast<size_t>(command) > entryCount)
        return -1;
    return command - 1;
}

} // namespace corvane::win32

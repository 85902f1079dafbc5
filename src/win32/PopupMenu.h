#pragma once
// The context menu as the system shows it: entries turned into a popup menu
// (command id = entry index + 1) and tracked modally. Tracking goes through a
// replaceable function so that callers can be tested without a person.

#include "core/platform/WindowServices.h"
#include "win32/WindowHandles.h"

#include "win32/WinApi.h"

#include <functional>
#include <vector>

namespace corvane::win32 {

// Shows `menu` at screen point `at` for `owner`; returns the chosen command id,
// 0 when the menu was dismissed.
using MenuTracker = std::function<int(HMENU menu, POINT at, HWND owner)>;

UniqueMenu BuildPopupMenu(const std::vector<TMenuEntry>& entries);

// TrackPopupMenu with TPM_RETURNCMD: the choice comes back after the menu has
// closed, so the item's click runs outside the menu's modal loop.
int TrackWithSystemMenu(HMENU menu, POINT at, HWND owner);

// The entry index for a command id, -1 for none.
int EntryIndexFromCommand(int command, size_t entryCount);

} // namespace corvane::win32

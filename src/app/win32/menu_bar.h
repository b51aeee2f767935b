#pragma once
// The window's menu bar, built from the menu table, and its menus as context menus.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/ids.h"
#include "ui/win32/gdi_handles.h"
#include "platform/controls.h"

namespace quillory::win32 {

MenuHandle BuildMenuBar();

// The menu's items at the mouse pointer; a choice reaches `owner` as the same
// WM_COMMAND the menu bar sends.
void PopUpAtCursor(HWND owner, TopMenu menu);

// Menu items have no visibility of their own: a hidden item is taken out of
// its menu and put back at its place from the table.
void ShowMenuItem(HWND owner, Command command, bool visible);

// The recent folders' submenu lists these, newest first.
void FillRecentFolders(HWND owner, const std::vector<std::string>& folders);

// The item's bullet (a radio item) or tick.
void CheckMenuItemOf(HWND owner, Command command, bool checked);

}  // namespace quillory::win32

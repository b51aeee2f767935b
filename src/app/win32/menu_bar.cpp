#include "app/win32/menu_bar.h"

#include <cstddef>
#include <span>

#include "app/layout.h"
#include "browse/recent_folders.h"
#include "platform/win32/encoding.h"

namespace quillory::win32 {

namespace {

struct ItemPlace {
    int menu = -1;
    int item = -1;
};

ItemPlace PlaceOf(Command command) {
    const auto menus = MenuBar();
    for (std::size_t menu = 0; menu < menus.size(); ++menu) {
        const auto items = menus[menu].items;
        for (std::size_t item = 0; item < items.size(); ++item) {
            if (items[item].command == command) return {static_cast<int>(menu), static_cast<int>(item)};
        }
    }
    return {};
}

// A radio item shows its mark as a bullet.
void AppendItem(HMENU menu, const MenuItemRow& item) {
    const std::wstring caption = Wide(item.caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.fType = MFT_STRING | (item.mark == MenuMark::Radio ? MFT_RADIOCHECK : 0);
    info.wID = static_cast<UINT>(item.command);
    info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

void AppendItems(HMENU menu, std::span<const MenuItemRow> items) {
    for (const MenuItemRow& item : items) {
        if (item.command == Command::Separator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!item.submenu.empty()) {
            MenuHandle submenu(CreatePopupMenu());
            AppendItems(submenu.Get(), item.submenu);
            // The menu owns the submenu from here on.
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.Release()), Wide(item.caption).c_str());
        } else {
            AppendItem(menu, item);
        }
    }
}

bool HasItem(HMENU menu, Command command) {
    return GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND) != static_cast<UINT>(-1);
}

}  // namespace

MenuHandle BuildMenuBar() {
    MenuHandle bar(CreateMenu());
    for (const MenuRow& row : MenuBar()) {
        MenuHandle menu(CreatePopupMenu());
        AppendItems(menu.Get(), row.items);
        // The bar owns the menu from here on.
        AppendMenuW(bar.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(menu.Release()), Wide(row.caption).c_str());
    }
    return bar;
}

void PopUpAtCursor(HWND owner, TopMenu menu) {
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenu(GetSubMenu(GetMenu(owner), static_cast<int>(menu)), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
                   cursor.x, cursor.y, 0, owner, nullptr);
}

void ShowMenuItem(HWND owner, Command command, bool visible) {
    const ItemPlace place = PlaceOf(command);
    const HMENU menu = GetSubMenu(GetMenu(owner), place.menu);
    if (!menu || HasItem(menu, command) == visible) return;
    if (visible) {
        const MenuItemRow& item = MenuBar()[static_cast<std::size_t>(place.menu)].items[static_cast<std::size_t>(place.item)];
        InsertMenuW(menu, static_cast<UINT>(place.item), MF_BYPOSITION | MF_STRING, static_cast<UINT_PTR>(command),
                    Wide(item.caption).c_str());
    } else {
        RemoveMenu(menu, static_cast<UINT>(command), MF_BYCOMMAND);
    }
    DrawMenuBar(owner);
}

void FillRecentFolders(HWND owner, const std::vector<std::string>& folders) {
    const ItemPlace place = PlaceOf(Command::RecentFolders);
    const HMENU menu = GetSubMenu(GetSubMenu(GetMenu(owner), place.menu), place.item);
    if (!menu) return;
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
    for (std::size_t position = 0; position < folders.size(); ++position) {
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(Command::RecentFolder1) + position,
                    Wide(RecentFolderCaption(position, folders[position])).c_str());
    }
    const auto own = MenuBar()[static_cast<std::size_t>(place.menu)].items[static_cast<std::size_t>(place.item)].submenu;
    // With no folder to set apart, the separator would stand alone.
    AppendItems(menu, folders.empty() ? own.subspan(1) : own);
    EnableMenuItem(menu, static_cast<UINT>(Command::ClearRecentFolders),
                   MF_BYCOMMAND | (folders.empty() ? MF_GRAYED : MF_ENABLED));
}

void CheckMenuItemOf(HWND owner, Command command, bool checked) {
    CheckMenuItem(GetMenu(owner), static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace quillory::win32

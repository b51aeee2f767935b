#include "app/win32/menu_bar.h"

#include <cstddef>

#include "app/layout.h"
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

bool HasItem(HMENU menu, Command command) {
    return GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND) != static_cast<UINT>(-1);
}

}  // namespace

MenuHandle BuildMenuBar() {
    MenuHandle bar(CreateMenu());
    for (const MenuRow& row : MenuBar()) {
        MenuHandle menu(CreatePopupMenu());
        for (const MenuItemRow& item : row.items) {
            if (item.command == Command::Separator) {
                AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
            } else {
                AppendItem(menu.Get(), item);
            }
        }
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

void CheckMenuItemOf(HWND owner, Command command, bool checked) {
    CheckMenuItem(GetMenu(owner), static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace quillory::win32

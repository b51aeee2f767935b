#include "menu_background.h"

namespace skin {

void ApplyMenuBackground(HWND window, HBRUSH brush, std::set<HMENU>& skinned) {
    const HMENU menu = GetMenu(window);
    if (!menu || !IsMenu(menu)) return;
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    if (!GetMenuInfo(menu, &info) || info.hbrBack == brush) return;
    if (info.hbrBack && !skinned.contains(menu)) return;
    info.fMask = MIM_BACKGROUND | MIM_APPLYTOSUBMENUS;
    info.hbrBack = brush;
    if (SetMenuInfo(menu, &info)) skinned.insert(menu);
}

void ResetMenuBackground(HMENU menu) {
    if (!IsMenu(menu)) return;
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND | MIM_APPLYTOSUBMENUS;
    SetMenuInfo(menu, &info);
}

}  // namespace skin

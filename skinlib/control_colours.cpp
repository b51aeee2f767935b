#include "control_colours.h"

#include <commctrl.h>

#include <initializer_list>

namespace skin {
namespace {

constexpr COLORREF kTreeDefault = static_cast<COLORREF>(-1);

bool IsOurs(COLORREF current, COLORREF given, std::initializer_list<COLORREF> defaults) {
    if (current == given) return true;
    if (given != CLR_INVALID) return false;  // the program changed what the skin gave
    for (COLORREF colour : defaults) {
        if (current == colour) return true;
    }
    return false;
}

template <typename Set>
void Give(COLORREF current, COLORREF wanted, COLORREF& given, std::initializer_list<COLORREF> defaults, Set set) {
    if (!IsOurs(current, given, defaults)) return;
    if (current != wanted) set(wanted);
    given = wanted;
}

}  // namespace

void ApplyListViewColours(HWND list, const Theme& theme, GivenColours& given) {
    const COLORREF field = ToColorRef(theme.Colours().field);
    const COLORREF text = ToColorRef(theme.Colours().text);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    Give(ListView_GetBkColor(list), field, given.back, {window}, [&](COLORREF c) { ListView_SetBkColor(list, c); });
    Give(ListView_GetTextBkColor(list), field, given.textBack, {window, CLR_DEFAULT},
         [&](COLORREF c) { ListView_SetTextBkColor(list, c); });
    Give(ListView_GetTextColor(list), text, given.text, {GetSysColor(COLOR_WINDOWTEXT), CLR_DEFAULT},
         [&](COLORREF c) { ListView_SetTextColor(list, c); });
    InvalidateRect(list, nullptr, TRUE);
}

void ApplyTreeViewColours(HWND tree, const Theme& theme, GivenColours& given) {
    const COLORREF field = ToColorRef(theme.Colours().field);
    const COLORREF text = ToColorRef(theme.Colours().text);
    Give(TreeView_GetBkColor(tree), field, given.back, {kTreeDefault}, [&](COLORREF c) { TreeView_SetBkColor(tree, c); });
    Give(TreeView_GetTextColor(tree), text, given.text, {kTreeDefault},
         [&](COLORREF c) { TreeView_SetTextColor(tree, c); });
    InvalidateRect(tree, nullptr, TRUE);
}

}  // namespace skin

#include "support/list_view_queries.h"

#include <commctrl.h>

#include "platform/win32/encoding.h"

namespace quillory::testing {

namespace {

constexpr int kTickedImage = 2;

RECT ItemRect(HWND list, int item, int part) {
    RECT rect{};
    rect.left = part;
    SendMessageW(list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

}  // namespace

std::string ShownText(HWND list, int item) {
    wchar_t text[MAX_PATH] = L"";
    LVITEMW request{};
    request.pszText = text;
    request.cchTextMax = MAX_PATH;
    SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&request));
    return win32::Utf8(text);
}

std::vector<std::string> ShownNames(HWND list) {
    std::vector<std::string> names;
    const int count = ListView_GetItemCount(list);
    for (int item = 0; item < count; ++item) names.push_back(ShownText(list, item));
    return names;
}

std::vector<bool> ShownTicks(HWND list) {
    std::vector<bool> ticks;
    const int count = ListView_GetItemCount(list);
    for (int item = 0; item < count; ++item) {
        ticks.push_back((ListView_GetItemState(list, item, LVIS_STATEIMAGEMASK) >> 12) == kTickedImage);
    }
    return ticks;
}

POINT NamePoint(HWND list, int item) {
    const RECT label = ItemRect(list, item, LVIR_LABEL);
    return {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
}

POINT TickBoxPoint(HWND list, int item) {
    const RECT bounds = ItemRect(list, item, LVIR_BOUNDS);
    const int middle = (bounds.top + bounds.bottom) / 2;
    std::vector<int> inside;
    for (int x = bounds.left; x < bounds.right; ++x) {
        LVHITTESTINFO hit{};
        hit.pt = {x, middle};
        ListView_SubItemHitTest(list, &hit);
        if (hit.iItem == item && (hit.flags & LVHT_ONITEMSTATEICON)) inside.push_back(x);
    }
    return {inside.empty() ? -1 : inside[inside.size() / 2], middle};
}

void PostClick(HWND window, POINT point) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

}  // namespace quillory::testing

#include "support/list_view_queries.h"

#include <commctrl.h>

#include "platform/win32/encoding.h"
#include "support/window_queries.h"

namespace quillory::testing {

namespace {

constexpr int kTickedImage = 2;

TOOLINFOW ListTool(HWND list, wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = list;
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    tool.lpszText = text;
    return tool;
}

bool HasListTool(HWND tip, HWND list) {
    const auto count = static_cast<int>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        TOOLINFOW tool = ListTool(nullptr, nullptr);
        if (SendMessageW(tip, TTM_ENUMTOOLSW, index, reinterpret_cast<LPARAM>(&tool)) && tool.hwnd == list &&
            tool.uId == reinterpret_cast<UINT_PTR>(list)) {
            return true;
        }
    }
    return false;
}

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

void PostMouseMove(HWND window, POINT point) {
    POINT onScreen = point;
    ClientToScreen(window, &onScreen);
    SetCursorPos(onScreen.x, onScreen.y);
    PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
}

HWND NameTipOf(HWND list) {
    return FindThreadWindow(GetWindowThreadProcessId(list, nullptr), [list](HWND window) {
        return ClassOf(window) == win32::Utf8(TOOLTIPS_CLASSW) && HasListTool(window, list);
    });
}

std::string TipText(HWND tip, HWND list) {
    wchar_t text[INFOTIPSIZE] = L"";
    TOOLINFOW tool = ListTool(list, text);
    SendMessageW(tip, TTM_GETTEXTW, INFOTIPSIZE, reinterpret_cast<LPARAM>(&tool));
    return win32::Utf8(text);
}

}  // namespace quillory::testing

#include "browse/win32/name_tip.h"

#include <commctrl.h>

#include <algorithm>

namespace quillory::win32 {

namespace {

// Always, so that the tip shows while another program is in front too.
HWND CreateTip(HWND list) {
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, list, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// The one tool: the whole list. The version-2 size suits comctl32 5.8 and 6 alike.
TOOLINFOW ListTool(HWND list, const wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = list;
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

}  // namespace

NameTip::NameTip(HWND list) : list_(list), tip_(CreateTip(list)) {
    const TOOLINFOW tool = ListTool(list, L"");
    SendMessageW(tip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void NameTip::FollowMouse(POINT point) {
    const int item = ItemAt(point);
    if (item == hovered_) return;
    hovered_ = item;
    const std::wstring name = item >= 0 ? ShownName(item) : std::wstring();
    Hold(item >= 0 && IsCut(item, name) ? name : std::wstring());
}

void NameTip::Forget() {
    hovered_ = -1;
    Hold(std::wstring());
}

int NameTip::ItemAt(POINT point) const {
    LVHITTESTINFO hit{};
    hit.pt = point;
    const int item = ListView_HitTest(list_, &hit);
    return (hit.flags & LVHT_ONITEM) ? item : -1;
}

std::wstring NameTip::ShownName(int item) const {
    // A file name has at most 255 characters.
    wchar_t name[MAX_PATH] = L"";
    ListView_GetItemText(list_, item, 0, name, MAX_PATH);
    return name;
}

// The list view draws a label's text a few pixels in and ends a name that does
// not fit with an ellipsis: a name that leaves less room than that is cut.
bool NameTip::IsCut(int item, const std::wstring& name) const {
    RECT label{};
    ListView_GetItemRect(list_, item, &label, LVIR_LABEL);
    RECT client{};
    GetClientRect(list_, &client);
    const int room = std::min(label.right, client.right) - std::max(label.left, client.left);
    return ListView_GetStringWidth(list_, name.c_str()) > room - ListView_GetStringWidth(list_, L"...");
}

// The tooltip takes the list for one tool, so it is popped at every change of
// item: it shows the new text once the mouse rests again.
void NameTip::Hold(const std::wstring& text) {
    SendMessageW(tip_.Get(), TTM_POP, 0, 0);
    const TOOLINFOW tool = ListTool(list_, text.c_str());
    SendMessageW(tip_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace quillory::win32

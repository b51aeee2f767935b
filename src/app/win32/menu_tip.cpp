#include "app/win32/menu_tip.h"

#include <commctrl.h>

#include "browse/recent_folders.h"
#include "platform/win32/encoding.h"
#include "ui/ids.h"

namespace quillory::win32 {

namespace {

TOOLINFOW Tool(HWND owner, const wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = owner;
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

}  // namespace

void MenuTip::Attach(HWND owner) {
    owner_ = owner;
    tip_ = OwnedWindow(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
    const TOOLINFOW tool = Tool(owner_, L"");
    SendMessageW(tip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MenuTip::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT flags = HIWORD(wParam);
    const std::size_t position = id - static_cast<UINT>(Command::RecentFolder1);
    const bool recent = !(flags & MF_POPUP) && flags != 0xFFFF && id >= static_cast<UINT>(Command::RecentFolder1) &&
                        position < folders_.size();
    if (recent && ShortenedInMiddle(folders_[position], kRecentCaptionLength) != folders_[position]) {
        Show(reinterpret_cast<HMENU>(lParam), static_cast<int>(position));
    } else {
        Hide();
    }
}

// Beside the item, to its right, where the submenu's own items are not.
void MenuTip::Show(HMENU menu, int position) {
    RECT item{};
    if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item)) return Hide();
    text_ = Wide(folders_[static_cast<std::size_t>(position)]);
    TOOLINFOW tool = Tool(owner_, text_.c_str());
    SendMessageW(tip_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip_.Get(), TTM_TRACKPOSITION, 0, MAKELPARAM(item.right + 4, item.top));
    SendMessageW(tip_.Get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void MenuTip::Hide() {
    TOOLINFOW tool = Tool(owner_, L"");
    SendMessageW(tip_.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace quillory::win32

#include "app/win32/keyboard.h"

#include <algorithm>

#include "ui/ids.h"

namespace quillory::win32 {

namespace {

bool FocusWants(const MSG& message, LRESULT codes) {
    auto* asked = const_cast<MSG*>(&message);
    return (SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(asked)) & codes) != 0;
}

bool ControlAlone() {
    return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
}

bool CanTakeFocus(HWND control) { return IsWindowVisible(control) && IsWindowEnabled(control); }

void MoveFocus(HWND window, std::span<const HWND> tabOrder, bool backwards) {
    const HWND focus = GetFocus();
    const auto current = std::find_if(tabOrder.begin(), tabOrder.end(),
                                      [focus](HWND control) { return control == focus || IsChild(control, focus); });
    const int count = static_cast<int>(tabOrder.size());
    const int step = backwards ? count - 1 : 1;
    int index = current == tabOrder.end() ? (backwards ? 0 : count - 1) : static_cast<int>(current - tabOrder.begin());
    for (int tried = 0; tried < count; ++tried) {
        index = (index + step) % count;
        const HWND next = tabOrder[static_cast<std::size_t>(index)];
        if (!CanTakeFocus(next)) continue;
        SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        SetFocus(next);
        // As in a dialog, an edit box entered by Tab has its text selected.
        if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
        return;
    }
}

}  // namespace

bool HandleWindowKey(const MSG& message, HWND window, std::span<const HWND> tabOrder) {
    if (message.message != WM_KEYDOWN || !(message.hwnd == window || IsChild(window, message.hwnd))) return false;
    switch (message.wParam) {
    case VK_ESCAPE:
        if (FocusWants(message, DLGC_WANTMESSAGE | DLGC_WANTALLKEYS)) return false;
        SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    case VK_F5:
        // As a menu item sends its command.
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(SourceId(Command::Relist), 0), 0);
        return true;
    case VK_TAB:
        if (FocusWants(message, DLGC_WANTMESSAGE | DLGC_WANTALLKEYS | DLGC_WANTTAB)) return false;
        MoveFocus(window, tabOrder, GetKeyState(VK_SHIFT) < 0);
        return true;
    case 'V':
        // An edit box pastes into itself.
        if (!ControlAlone() || FocusWants(message, DLGC_HASSETSEL)) return false;
        SendMessageW(window, WM_PASTE, 0, 0);
        return true;
    default:
        return false;
    }
}

}  // namespace quillory::win32

#pragma once
// The whole path of a recent folder whose menu item shows it shortened, as a
// tooltip beside the item while it is selected. Menus have no tips of their
// own, so this is a tracking tooltip that follows WM_MENUSELECT.
#include <windows.h>

#include <string>
#include <vector>

#include "browse/win32/owned_window.h"

namespace quillory::win32 {

class MenuTip {
public:
    void Attach(HWND owner);
    // The folders the recent items list, newest first.
    void SetFolders(const std::vector<std::string>& folders) { folders_ = folders; }
    // For WM_MENUSELECT.
    void OnMenuSelect(WPARAM wParam, LPARAM lParam);

private:
    void Show(HMENU menu, int position);
    void Hide();

    HWND owner_ = nullptr;
    OwnedWindow tip_;
    std::wstring text_;
    std::vector<std::string> folders_;
};

}  // namespace quillory::win32

#pragma once
#include <windows.h>

#include <set>

namespace skin {

// The window's menu bar and its menus get `brush` as background, unless the
// program gave them one of its own. `skinned` holds the menus the skin has set.
void ApplyMenuBackground(HWND window, HBRUSH brush, std::set<HMENU>& skinned);
// Back to the system's background.
void ResetMenuBackground(HMENU menu);

}  // namespace skin

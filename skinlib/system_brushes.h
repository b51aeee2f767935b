#pragma once
#include <windows.h>

namespace skin {

// The brushes a window gets when nobody chose a colour: a system colour's
// brush, or a class background given as a colour index plus one.
inline bool IsSystemBrush(HBRUSH brush) {
    if (!brush) return true;
    for (int index : {COLOR_WINDOW, COLOR_BTNFACE, COLOR_MENU, COLOR_APPWORKSPACE}) {
        if (brush == GetSysColorBrush(index) || brush == reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(index + 1))) {
            return true;
        }
    }
    return false;
}

}  // namespace skin

#pragma once
// List views and tree views take their colours by message, not by WM_CTLCOLOR*.
#include <windows.h>

#include "theme.h"

namespace skin {

// The colours the skin last gave a control; CLR_INVALID where it gave none.
struct GivenColours {
    COLORREF back = CLR_INVALID;
    COLORREF textBack = CLR_INVALID;
    COLORREF text = CLR_INVALID;
};

// Sets the skin's field and text colours where the program has set none of
// its own: the control still has its default, or what the skin gave it.
void ApplyListViewColours(HWND list, const Theme& theme, GivenColours& given);
void ApplyTreeViewColours(HWND tree, const Theme& theme, GivenColours& given);

}  // namespace skin

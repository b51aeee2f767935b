#pragma once
#include <windows.h>

#include "theme.h"

namespace skin {

bool IsColourMessage(UINT message);

// A WM_CTLCOLOR* answer made by the window's own procedure first: what the
// program chose stays; what it left at the system's defaults takes the skin.
LRESULT AnswerColourMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const Theme& theme);

}  // namespace skin

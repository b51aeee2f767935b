#pragma once
#include <windows.h>

#include "theme.h"

namespace skin {

// A group box drawn whole: background and caption in the colours its parent
// answers to WM_CTLCOLORSTATIC (as for any group box), the frame in the skin's.
void PaintGroupBox(HWND box, HDC dc, const Theme& theme);

}  // namespace skin

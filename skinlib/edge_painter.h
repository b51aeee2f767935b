#pragma once
#include <windows.h>

#include "theme.h"

namespace skin {

bool HasSunkenEdge(HWND window);

// The sunken edge of a child control, over the system's 3-D one, after the
// window has drawn its non-client area.
void PaintSunkenEdge(HWND window, const Theme& theme);

}  // namespace skin

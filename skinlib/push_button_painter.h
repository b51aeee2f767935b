#pragma once
#include <windows.h>

#include "theme.h"

namespace skin {

// A push button with a text caption, drawn whole: face, frame, caption, focus.
void PaintPushButton(HWND button, HDC dc, const Theme& theme);

}  // namespace skin

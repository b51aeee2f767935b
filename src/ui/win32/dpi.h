#pragma once
// The window is designed in pixels at 96 DPI; these put the design at the
// DPI of the monitor the window is on.
#include <windows.h>

#include "ui/layout_rows.h"

namespace quillory::win32 {

inline constexpr int kDesignDpi = 96;

// The window's DPI: its monitor's where the system knows a DPI per window
// (Windows 10 1607 and later), else the screen's.
int WindowDpi(HWND window);
// The screen's DPI, for what is sized before the window exists.
int ScreenDpi();

inline int Scaled(int designPixels, int dpi) { return MulDiv(designPixels, dpi, kDesignDpi); }

// The row with its place and size at `dpi`.
ControlRow AtDpi(const ControlRow& row, int dpi);

// The outer size of a window of this style with a menu bar, whose outer size
// at 96 DPI is `design`: the client area scales, the frame is the system's
// frame at `dpi`. At 96 DPI it is `design` itself.
SIZE OuterSizeAt(SIZE design, DWORD style, int dpi);

}  // namespace quillory::win32

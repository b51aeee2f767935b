#pragma once
// The controls the platform has as window classes: group box, label, push
// button, radio button and edit box.
#include <windows.h>

#include "ui/layout_rows.h"

namespace quillory::win32 {

// The control of the row, at its place in `parent`, with its caption, font,
// border and initial check.
HWND CreateChildWindow(const ControlRow& row, HWND parent, HFONT font);

// A child window moved and sized to `place` in its parent, with `font`.
void PlaceChildWindow(HWND handle, const RECT& place, HFONT font);

}  // namespace quillory::win32

#pragma once
#include <windows.h>

#include "theme.h"

namespace skin {

// A child control with a border or an edge in its non-client area.
bool HasFramedEdge(HWND window);

// The control's border and edges over the system's, after the window has
// drawn its non-client area.
void PaintFramedEdge(HWND window, const Theme& theme);

// The sunken edge a combo box draws inside its client area, after its painting.
void PaintComboBoxEdge(HWND comboBox, const Theme& theme);

}  // namespace skin

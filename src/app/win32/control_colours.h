#pragma once
#include <windows.h>

#include <utility>
#include <vector>

#include "app/layout.h"
#include "ui/win32/gdi_handles.h"

namespace quillory::win32 {

// The table's text and background colours, given to a control through its
// WM_CTLCOLOR* message.
class ControlColours {
public:
    // Sets the DC's colours over the system's defaults; the background brush.
    HBRUSH Apply(const ControlRow& row, HDC dc, HBRUSH systemBrush);

private:
    HBRUSH BrushOf(COLORREF colour);

    std::vector<std::pair<COLORREF, BrushHandle>> brushes_;
};

}  // namespace quillory::win32

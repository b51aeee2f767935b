#include "edge_painter.h"

namespace skin {
namespace {

bool HasThinBorder(LONG style) { return (style & WS_CAPTION) == WS_BORDER; }

// The sunken edge in the skin: the frame outside, the light line inside.
void PaintSunkenEdge(HDC dc, RECT& area, const Palette& colours) {
    Outline(dc, area, colours.frame);
    InflateRect(&area, -1, -1);
    Outline(dc, area, colours.light);
    InflateRect(&area, -1, -1);
}

}  // namespace

bool HasFramedEdge(HWND window) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    return (style & WS_CHILD) &&
           (HasThinBorder(style) || (GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)));
}

void PaintFramedEdge(HWND window, const Theme& theme) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const LONG extended = GetWindowLongW(window, GWL_EXSTYLE);
    const Palette& colours = theme.Colours();
    WindowDc dc(window);
    SavedDc saved(dc.Get());
    RECT area;
    GetWindowRect(window, &area);
    OffsetRect(&area, -area.left, -area.top);
    if (HasThinBorder(style)) {
        Outline(dc.Get(), area, colours.frame);
        InflateRect(&area, -1, -1);
    }
    if (extended & WS_EX_STATICEDGE) {
        Outline(dc.Get(), area, colours.frame);
        InflateRect(&area, -1, -1);
    }
    if (extended & WS_EX_CLIENTEDGE) PaintSunkenEdge(dc.Get(), area, colours);
}

void PaintComboBoxEdge(HWND comboBox, const Theme& theme) {
    const HDC dc = GetDC(comboBox);
    {
        SavedDc saved(dc);
        RECT area;
        GetClientRect(comboBox, &area);
        PaintSunkenEdge(dc, area, theme.Colours());
    }
    ReleaseDC(comboBox, dc);
}

}  // namespace skin

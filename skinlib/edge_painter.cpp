#include "edge_painter.h"

namespace skin {

bool HasSunkenEdge(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) &&
           (GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
}

void PaintSunkenEdge(HWND window, const Theme& theme) {
    const LONG extended = GetWindowLongW(window, GWL_EXSTYLE);
    WindowDc dc(window);
    SavedDc saved(dc.Get());
    RECT area;
    GetWindowRect(window, &area);
    OffsetRect(&area, -area.left, -area.top);
    if (GetWindowLongW(window, GWL_STYLE) & WS_BORDER) InflateRect(&area, -1, -1);  // the program's own line stays
    Outline(dc.Get(), area, theme.Colours().frame);
    if (extended & WS_EX_CLIENTEDGE) {
        InflateRect(&area, -1, -1);
        Outline(dc.Get(), area, theme.Colours().light);
    }
}

}  // namespace skin

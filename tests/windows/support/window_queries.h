#pragma once
// What a window shows, read through the system rather than the program.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace quillory::testing {

std::string TextOf(HWND window);
std::string ClassOf(HWND window);
// Left, top, right, bottom in the client area of the window's parent.
RECT RectInParent(HWND window);
LOGFONTW FontOf(HWND control);

// The first top-level window of the thread that matches; null when none.
HWND FindThreadWindow(DWORD thread, const std::function<bool(HWND)>& matches);
std::vector<HWND> ChildrenOf(HWND parent);

// The colours a control is painted with: what its parent (or `receiver`)
// answers to the WM_CTLCOLOR* message that the control sends before painting.
struct PaintColours {
    COLORREF text;
    COLORREF background;  // of the returned brush
};
PaintColours AskColours(HWND control, UINT message, HWND receiver = nullptr);

// The control's client area as it paints it (WM_PRINTCLIENT), row by row.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    int Count(const std::function<bool(COLORREF)>& matches) const;
};
Picture Render(HWND control);

}  // namespace quillory::testing

#include "ui/win32/dpi.h"

namespace quillory::win32 {

namespace {

// Looked up at run time: Windows 7 has neither, and must still start.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Function>
Function User32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

SIZE SizeOf(const RECT& rect) { return {rect.right - rect.left, rect.bottom - rect.top}; }

// What the frame, title bar and menu bar add to a client area at `dpi`.
SIZE FrameAt(DWORD style, int dpi) {
    static const auto adjustForDpi = User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT rect{};
    if (adjustForDpi) {
        adjustForDpi(&rect, style, TRUE, 0, static_cast<UINT>(dpi));
        return SizeOf(rect);
    }
    // The system's frame is the one at the screen's DPI, the only DPI there is.
    AdjustWindowRectEx(&rect, style, TRUE, 0);
    const SIZE frame = SizeOf(rect);
    const int screen = ScreenDpi();
    return {MulDiv(frame.cx, dpi, screen), MulDiv(frame.cy, dpi, screen)};
}

}  // namespace

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

ControlRow AtDpi(const ControlRow& row, int dpi) {
    ControlRow placed = row;
    placed.left = Scaled(row.left, dpi);
    placed.top = Scaled(row.top, dpi);
    placed.width = Scaled(row.width, dpi);
    placed.height = Scaled(row.height, dpi);
    return placed;
}

SIZE OuterSizeAt(SIZE design, DWORD style, int dpi) {
    const SIZE designFrame = FrameAt(style, kDesignDpi);
    const SIZE frame = FrameAt(style, dpi);
    return {Scaled(design.cx - designFrame.cx, dpi) + frame.cx, Scaled(design.cy - designFrame.cy, dpi) + frame.cy};
}

}  // namespace quillory::win32

#include "support/window_queries.h"

#include <algorithm>

#include "platform/win32/encoding.h"

namespace quillory::testing {

std::string TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return win32::Utf8(text);
}

std::string ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return win32::Utf8(name);
}

RECT RectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(handle ? handle : GetStockObject(SYSTEM_FONT), sizeof font, &font);
    return font;
}

namespace {

struct Search {
    const std::function<bool(HWND)>& matches;
    HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    if (!search.matches(window)) return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

HWND FindThreadWindow(DWORD thread, const std::function<bool(HWND)>& matches) {
    Search search{matches};
    EnumThreadWindows(thread, &Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

PaintColours AskColours(HWND control, UINT message, HWND receiver) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(receiver ? receiver : GetParent(control), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    LOGBRUSH fill{};
    GetObjectW(brush, sizeof fill, &fill);
    const PaintColours colours{GetTextColor(dc), fill.lbColor};
    DeleteDC(dc);
    return colours;
}

int Picture::Count(const std::function<bool(COLORREF)>& matches) const {
    return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), matches));
}

Picture Render(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    Picture picture{client.right, client.bottom, {}};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int i = 0; i < picture.width * picture.height; ++i) {
        const DWORD bgr = pixels[i];  // 0x00RRGGBB in a 32-bit DIB
        picture.pixels.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return picture;
}

}  // namespace quillory::testing

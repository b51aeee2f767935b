#include "app/win32/group_box.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <string>

#include "ui/win32/dpi.h"
#include "app/win32/window_values.h"

namespace quillory::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;
// At 96 DPI.
constexpr int kCaptionLeft = 8;  // where the classic group box puts its caption
constexpr int kCaptionMargin = 2;
constexpr int kFrameRaise = 1;  // the frame's top line above the caption's middle

bool IsChildNotification(UINT message) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
        return true;
    default:
        return false;
    }
}

void DrawFrame(HWND handle, HDC dc, RECT frame) {
    if (HTHEME theme = OpenThemeData(handle, L"Button")) {
        DrawThemeBackground(theme, dc, BP_GROUPBOX, GBS_NORMAL, &frame, nullptr);
        CloseThemeData(theme);
    } else {
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    }
}

}  // namespace

GroupBox::GroupBox(HWND handle, int dpi) : handle_(handle), dpi_(dpi) {
    SetWindowSubclass(handle_, &GroupBox::Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

GroupBox::~GroupBox() { Detach(); }

void GroupBox::Detach() {
    if (handle_) RemoveWindowSubclass(handle_, &GroupBox::Proc, kSubclassId);
    handle_ = nullptr;
}

void GroupBox::SetDpi(int dpi) {
    dpi_ = dpi;
    InvalidateRect(handle_, nullptr, TRUE);
}

LRESULT CALLBACK GroupBox::Proc(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    return reinterpret_cast<GroupBox*>(self)->HandleMessage(message, wParam, lParam);
}

LRESULT GroupBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND handle = handle_;
    if (IsChildNotification(message)) return SendMessageW(GetParent(handle), message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        Paint(BeginPaint(handle, &paint));
        EndPaint(handle, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT fills the whole box
    case WM_UPDATEUISTATE:
        // The button would repaint itself at once, with its own colours.
        return DefWindowProcW(handle, message, wParam, lParam);
    case WM_SETTEXT:
    case WM_ENABLE: {
        const LRESULT result = DefSubclassProc(handle, message, wParam, lParam);
        InvalidateRect(handle, nullptr, TRUE);
        return result;
    }
    case WM_NCDESTROY:
        Detach();
        return DefSubclassProc(handle, message, wParam, lParam);
    default:
        return DefSubclassProc(handle, message, wParam, lParam);
    }
}

void GroupBox::Paint(HDC dc) const {
    // Asking the parent sets the DC's text colour as for any static control.
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(handle_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(handle_)));
    if (!brush) brush = GetSysColorBrush(COLOR_BTNFACE);
    RECT client;
    GetClientRect(handle_, &client);
    FillRect(dc, &client, brush);

    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    RECT frame = client;
    frame.top += metrics.tmHeight / 2 - Scaled(kFrameRaise, dpi_);
    DrawFrame(handle_, dc, frame);

    const std::wstring caption = WindowTextOf(handle_);
    if (!caption.empty()) {
        SIZE size;
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        const int left = Scaled(kCaptionLeft, dpi_);
        const int margin = Scaled(kCaptionMargin, dpi_);
        RECT gap{left - margin, 0, left + size.cx + margin, metrics.tmHeight};
        FillRect(dc, &gap, brush);
        SetBkMode(dc, TRANSPARENT);
        RECT text{left, 0, left + size.cx, metrics.tmHeight};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
}

}  // namespace quillory::win32

#include "group_box_painter.h"

#include <string>

#include "window_text.h"

namespace skin {
namespace {

constexpr int kCaptionLeft = 8;  // where the classic group box puts its caption
constexpr int kCaptionMargin = 2;

HBRUSH AskParentForBrush(HWND box, HDC dc, const Theme& theme) {
    const HWND parent = GetParent(box);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(parent ? parent : box, WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box)));
    return brush ? brush : theme.BrushOf(&Palette::window);
}

// Under a parent that clips its children nobody else paints the box's inside.
bool MustFillInside(HWND box) {
    const HWND parent = GetParent(box);
    return parent && (GetWindowLongW(parent, GWL_STYLE) & WS_CLIPCHILDREN);
}

void DrawFrame(HDC dc, RECT frame, const RECT& gap, const Palette& colours) {
    SavedDc saved(dc);
    ExcludeClipRect(dc, gap.left, gap.top, gap.right, gap.bottom);
    Outline(dc, frame, colours.frame);
    InflateRect(&frame, -1, -1);
    Outline(dc, frame, colours.light);
}

}  // namespace

void PaintGroupBox(HWND box, HDC dc, const Theme& theme) {
    SavedDc saved(dc);
    const HBRUSH brush = AskParentForBrush(box, dc, theme);  // sets the caption's colours in the DC
    Selection font(dc, FontOf(box));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::wstring caption = WindowText(box);
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);

    RECT client;
    GetClientRect(box, &client);
    RECT gap{};
    if (!caption.empty()) gap = {kCaptionLeft - kCaptionMargin, 0, kCaptionLeft + size.cx + kCaptionMargin, metrics.tmHeight};
    FillRect(dc, MustFillInside(box) ? &client : &gap, brush);

    RECT frame = client;
    frame.top += metrics.tmHeight / 2 - 1;
    DrawFrame(dc, frame, gap, theme.Colours());

    if (caption.empty()) return;
    if (!IsWindowEnabled(box)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    RECT text{kCaptionLeft, 0, kCaptionLeft + size.cx, metrics.tmHeight};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_LEFT | DT_TOP | DT_SINGLELINE | PrefixFlags(box));
}

}  // namespace skin

#include "push_button_painter.h"

#include <string>

#include "window_text.h"

namespace skin {
namespace {

Rgb Midway(Rgb a, Rgb b) {
    return {static_cast<std::uint8_t>((a.red + b.red) / 2), static_cast<std::uint8_t>((a.green + b.green) / 2),
            static_cast<std::uint8_t>((a.blue + b.blue) / 2)};
}

void DrawCaption(HWND button, HDC dc, RECT area, UINT format) {
    const std::wstring caption = WindowText(button);
    if (format & DT_WORDBREAK) {
        // Multi-line captions are centred by measuring them first.
        RECT measured = area;
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, format | DT_CALCRECT);
        area.top += ((area.bottom - area.top) - (measured.bottom - measured.top)) / 2;
    }
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area, format);
}

}  // namespace

void PaintPushButton(HWND button, HDC dc, const Theme& theme) {
    SavedDc saved(dc);
    const Palette& colours = theme.Colours();
    const LONG style = GetWindowLongW(button, GWL_STYLE);
    const auto state = SendMessageW(button, BM_GETSTATE, 0, 0);
    const bool pushed = state & BST_PUSHED;
    const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    const bool showFocus = GetFocus() == button && !(SendMessageW(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);

    RECT area;
    GetClientRect(button, &area);
    const Rgb face = pushed ? colours.highlight : colours.face;
    FillSolid(dc, area, face);
    Outline(dc, area, isDefault || pushed ? colours.highlight : colours.frame);
    if (!pushed) FillSolid(dc, {area.left + 1, area.top + 1, area.right - 1, area.top + 2}, colours.light);

    Selection font(dc, FontOf(button));
    const Rgb text = !IsWindowEnabled(button) ? Midway(colours.text, face)
                     : pushed                 ? colours.highlightText
                                              : colours.text;
    SetTextColor(dc, ToColorRef(text));
    SetBkMode(dc, TRANSPARENT);
    RECT caption = area;
    InflateRect(&caption, -3, -2);
    if (pushed) OffsetRect(&caption, 1, 1);
    const UINT lines = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
    DrawCaption(button, dc, caption, DT_CENTER | lines | PrefixFlags(button));

    if (showFocus) {
        RECT focus = area;
        InflateRect(&focus, -3, -3);
        SetBkColor(dc, ToColorRef(face));
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace skin

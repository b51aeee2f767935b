#include "colour_messages.h"

#include <initializer_list>

#include "system_brushes.h"

namespace skin {
namespace {

// Put into the DC before the window's procedure runs: still there afterwards,
// nobody chose a colour. No program draws in these.
constexpr COLORREF kUnsetText = RGB(1, 2, 3);
constexpr COLORREF kUnsetBack = RGB(3, 2, 1);

bool IsUnset(COLORREF colour, COLORREF marker, std::initializer_list<int> systemDefaults) {
    if (colour == marker) return true;
    for (int index : systemDefaults) {
        if (colour == GetSysColor(index)) return true;
    }
    return false;
}

COLORREF ColourOf(HBRUSH brush) {
    LOGBRUSH description{};
    GetObjectW(brush, sizeof description, &description);
    return description.lbColor;
}

}  // namespace

bool IsColourMessage(UINT message) {
    switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;  // scroll bars keep the system's look
    }
}

void MarkColoursUnset(HDC dc) {
    SetTextColor(dc, kUnsetText);
    SetBkColor(dc, kUnsetBack);
}

HBRUSH CompleteColourAnswer(UINT message, HDC dc, HBRUSH given, const Theme& theme) {
    const bool isField = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    const HBRUSH brush = IsSystemBrush(given) ? theme.BrushOf(isField ? &Palette::field : &Palette::window) : given;
    if (IsUnset(GetTextColor(dc), kUnsetText, {COLOR_WINDOWTEXT, COLOR_BTNTEXT})) {
        SetTextColor(dc, ToColorRef(theme.Colours().text));
    }
    if (IsUnset(GetBkColor(dc), kUnsetBack, {COLOR_WINDOW, COLOR_BTNFACE})) SetBkColor(dc, ColourOf(brush));
    return brush;
}

}  // namespace skin

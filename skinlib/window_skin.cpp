#include "window_skin.h"

#include <commctrl.h>

#include "colour_messages.h"
#include "edge_painter.h"
#include "group_box_painter.h"
#include "menu_background.h"
#include "push_button_painter.h"
#include "skin_engine.h"
#include "system_brushes.h"

namespace skin {
namespace {

constexpr UINT_PTR kSubclassId = 0x536B696E;  // "Skin"

using Painter = void (*)(HWND, HDC, const Theme&);

bool IsClass(HWND window, const wchar_t* name) {
    wchar_t actual[64] = {};
    GetClassNameW(window, actual, static_cast<int>(std::size(actual)));
    return lstrcmpiW(actual, name) == 0;
}

WindowKind ButtonKind(LONG style) {
    if (style & (BS_BITMAP | BS_ICON)) return WindowKind::Plain;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return WindowKind::PushButton;
    case BS_GROUPBOX:
        return WindowKind::GroupBox;
    default:
        return WindowKind::Plain;  // check and radio boxes take their colours by message
    }
}

// Messages after which the button class redraws itself directly, in its own colours.
bool RedrawsItself(UINT message) {
    switch (message) {
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
    case BM_SETSTATE:
    case BM_SETSTYLE:
        return true;
    default:
        return false;
    }
}

// The theme in use at the moment of painting: the window's own procedure may
// have changed it (a WM_CREATE handler that adjusts the colours, for one).
const Theme& CurrentTheme() { return SkinEngine::Instance().CurrentTheme(); }

LRESULT SelfPaintedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Painter paint) {
    switch (message) {
    case WM_PAINT:
        if (wParam) {
            paint(window, reinterpret_cast<HDC>(wParam), CurrentTheme());
        } else {
            PaintDc dc(window);
            paint(window, dc.Get(), CurrentTheme());
        }
        return 0;
    case WM_PRINTCLIENT:
        paint(window, reinterpret_cast<HDC>(wParam), CurrentTheme());
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the painter covers the whole client area
    default:
        break;
    }
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (RedrawsItself(message)) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return result;
}

LRESULT TopLevelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        if (IsSystemBrush(reinterpret_cast<HBRUSH>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND)))) {
            RECT client;
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, CurrentTheme().BrushOf(&Palette::window));
            return 1;
        }
        break;
    case WM_NCPAINT:
        // A menu bar set after the skin came needs the skin's background before it is drawn.
        ApplyMenuBackground(window, CurrentTheme().BrushOf(&Palette::menu), SkinEngine::Instance().SkinnedMenus());
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT ControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_NCPAINT && HasFramedEdge(window)) PaintFramedEdge(window, CurrentTheme());
    return result;
}

LRESULT ComboBoxMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ControlMessage(window, message, wParam, lParam);
    if (message == WM_PAINT || message == WM_ENABLE) PaintComboBoxEdge(window, CurrentTheme());
    return result;
}

LRESULT ColourMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    MarkColoursUnset(dc);
    const auto given = reinterpret_cast<HBRUSH>(DefSubclassProc(window, message, wParam, lParam));
    return reinterpret_cast<LRESULT>(CompleteColourAnswer(message, dc, given, CurrentTheme()));
}

// The record is read before the window's own procedure runs: that may destroy the window.
LRESULT CALLBACK SkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (IsColourMessage(message)) return ColourMessage(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE: {
        // Hooked before creation: colours set by message need the finished control.
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (result != -1) SkinEngine::Instance().Restyle(window);
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, &SkinProc, kSubclassId);
        SkinEngine::Instance().Forget(window);
        return DefSubclassProc(window, message, wParam, lParam);
    default:
        break;
    }
    switch (reinterpret_cast<const SkinnedWindow*>(data)->kind) {
    case WindowKind::TopLevel:
        return TopLevelMessage(window, message, wParam, lParam);
    case WindowKind::PushButton:
        return SelfPaintedMessage(window, message, wParam, lParam, &PaintPushButton);
    case WindowKind::GroupBox:
        return SelfPaintedMessage(window, message, wParam, lParam, &PaintGroupBox);
    case WindowKind::ComboBox:
        return ComboBoxMessage(window, message, wParam, lParam);
    default:
        return ControlMessage(window, message, wParam, lParam);
    }
}

}  // namespace

std::optional<WindowKind> KindOf(HWND window) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if (IsClass(window, L"ComboLBox")) return WindowKind::Plain;  // a combo box's drop-down list
    if (!(style & WS_CHILD)) {
        if ((style & WS_CAPTION) == WS_CAPTION) return WindowKind::TopLevel;
        return std::nullopt;
    }
    if (IsClass(window, WC_BUTTONW)) return ButtonKind(style);
    // A simple combo box has no edge of its own around the list.
    if (IsClass(window, WC_COMBOBOXW) && (style & CBS_DROPDOWNLIST) != CBS_SIMPLE) return WindowKind::ComboBox;
    if (IsClass(window, WC_LISTVIEWW)) return WindowKind::ListView;
    if (IsClass(window, WC_TREEVIEWW)) return WindowKind::TreeView;
    return WindowKind::Plain;
}

bool Subclass(HWND window, SkinnedWindow& record) {
    return SetWindowSubclass(window, &SkinProc, kSubclassId, reinterpret_cast<DWORD_PTR>(&record));
}

void Unsubclass(HWND window) { RemoveWindowSubclass(window, &SkinProc, kSubclassId); }

void Restyle(HWND window, SkinnedWindow& record, const Theme& theme, std::set<HMENU>& skinnedMenus) {
    switch (record.kind) {
    case WindowKind::TopLevel:
        ApplyMenuBackground(window, theme.BrushOf(&Palette::menu), skinnedMenus);
        DrawMenuBar(window);
        break;
    case WindowKind::ListView:
        ApplyListViewColours(window, theme, record.given);
        break;
    case WindowKind::TreeView:
        ApplyTreeViewColours(window, theme, record.given);
        break;
    default:
        break;
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

}  // namespace skin

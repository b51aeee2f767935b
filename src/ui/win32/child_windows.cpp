#include "ui/win32/child_windows.h"

#include "platform/win32/encoding.h"

namespace quillory::win32 {

namespace {

struct WindowKind {
    ControlKind kind;
    const wchar_t* windowClass;
    DWORD style;
};

// Labels show their text as it is, on one line: the storage label holds a
// path, which may contain "&".
constexpr WindowKind kWindowKinds[] = {
    {ControlKind::GroupBox, L"Button", BS_GROUPBOX | WS_CLIPCHILDREN},
    {ControlKind::Label, L"Static", SS_LEFTNOWORDWRAP | SS_NOPREFIX},
    {ControlKind::PushButton, L"Button", BS_PUSHBUTTON | WS_TABSTOP},
    {ControlKind::RadioButton, L"Button", BS_AUTORADIOBUTTON | WS_TABSTOP},
    {ControlKind::EditBox, L"Edit", ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP},
};

const WindowKind* KindOf(ControlKind kind) {
    for (const WindowKind& entry : kWindowKinds) {
        if (entry.kind == kind) return &entry;
    }
    return nullptr;
}

}  // namespace

HWND CreateChildWindow(const ControlRow& row, HWND parent, HFONT font) {
    const WindowKind* kind = KindOf(row.kind);
    if (!kind) return nullptr;
    const DWORD exStyle = row.sunkenBorder ? WS_EX_CLIENTEDGE : 0;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind->style;
    const HWND handle = CreateWindowExW(exStyle, kind->windowClass, Wide(row.caption).c_str(), style, row.left,
                                        row.top, row.width, row.height, parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (row.initiallyChecked) SendMessageW(handle, BM_SETCHECK, BST_CHECKED, 0);
    return handle;
}

void PlaceChildWindow(HWND handle, const RECT& place, HFONT font) {
    SetWindowPos(handle, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace quillory::win32

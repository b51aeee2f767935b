#include "browse/win32/directory_box_control.h"

#include <shlwapi.h>

#include <algorithm>

#include "ui/win32/dpi.h"
#include "browse/folder_chain.h"
#include "platform/text.h"
#include "platform/win32/encoding.h"

namespace quillory::win32 {

namespace {

constexpr wchar_t kClassName[] = L"QuilloryDirectoryBox";
constexpr UINT_PTR kSubclassId = 1;
// A row's steps at 96 DPI.
constexpr int kIndent = 8;
constexpr int kIconSize = 16;
constexpr int kGap = 3;
constexpr int kMargin = 2;

COLORREF ColourOr(const std::optional<Rgb>& colour, int systemColour) {
    return colour ? RGB(colour->red, colour->green, colour->blue) : GetSysColor(systemColour);
}

// The main window places the box at its row of the table scaled to the
// window's DPI, which the box needs for its pictures and steps.
int DpiOfPlace(int designHeight, int placeHeight) { return MulDiv(placeHeight, kDesignDpi, designHeight); }

int RowHeight(HWND rows, HFONT font, int iconSize, int dpi) {
    const HDC dc = GetDC(rows);
    const HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(rows, dc);
    return std::max<int>(iconSize, metrics.tmHeight) + Scaled(kMargin, dpi);
}

void RegisterFrameClass(WNDPROC procedure) {
    WNDCLASSEXW frame{};
    frame.cbSize = sizeof frame;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kClassName, &frame)) return;
    frame.lpfnWndProc = procedure;
    frame.hInstance = GetModuleHandleW(nullptr);
    frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frame.lpszClassName = kClassName;
    RegisterClassExW(&frame);
}

}  // namespace

DirectoryBoxControl::DirectoryBoxControl(HWND parent, const ControlRow& row, HFONT font, EventSink sink)
    : sink_(std::move(sink)),
      textColour_(ColourOr(row.textColour, COLOR_WINDOWTEXT)),
      backgroundColour_(ColourOr(row.backgroundColour, COLOR_WINDOW)),
      designHeight_(MulDiv(row.height, kDesignDpi, WindowDpi(parent))),
      dpi_(DpiOfPlace(designHeight_, row.height)),
      icons_(Scaled(kIconSize, dpi_)) {
    RegisterFrameClass(Procedure);
    box_.Reset(CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"", WS_CHILD | WS_VISIBLE, row.left, row.top,
                               row.width, row.height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), GetModuleHandleW(nullptr),
                               this));
    rows_.Reset(CreateWindowExW(0, L"LISTBOX", L"",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                                    LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                                    LBS_WANTKEYBOARDINPUT,
                                0, 0, row.width, row.height, box_.Get(), nullptr, GetModuleHandleW(nullptr),
                                nullptr));
    UseFont(font);
    SetWindowSubclass(Rows(), RowsProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void DirectoryBoxControl::Relayout(const RECT& place, HFONT font) {
    UseDpiOf(place.bottom - place.top);
    ChildControl::Relayout(place, font);  // the rows follow the frame's size
    UseFont(font);
    InvalidateRect(Rows(), nullptr, TRUE);
}

void DirectoryBoxControl::UseDpiOf(int placeHeight) {
    const int dpi = DpiOfPlace(designHeight_, placeHeight);
    if (dpi == dpi_) return;
    dpi_ = dpi;
    icons_ = FolderIcons(Scaled(kIconSize, dpi_));
}

void DirectoryBoxControl::UseFont(HFONT font) {
    SendMessageW(Rows(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(Rows(), LB_SETITEMHEIGHT, 0, RowHeight(Rows(), font, icons_.Size(), dpi_));
}

void DirectoryBoxControl::SetCurrentFolder(const std::string& path) {
    ShowFolder(path);
    sink_(Event::FolderChanged);
}

// The chain alone: the folder-changed event that follows lists the folder
// and hands its subfolders over.
void DirectoryBoxControl::ShowFolder(std::string path) {
    folder_ = std::move(path);
    chain_ = FolderChain(folder_);
    subfolders_.clear();
    std::vector<std::wstring> rows;
    for (const std::string& folder : chain_) rows.push_back(Wide(folder));
    SendMessageW(Rows(), LB_RESETCONTENT, 0, 0);
    AddRows(rows);
    const LRESULT current = static_cast<LRESULT>(chain_.size()) - 1;
    SendMessageW(Rows(), LB_SETCURSEL, static_cast<WPARAM>(current), 0);
}

// In the order the file manager sorts them, in place of any shown before; a
// folder without a path has no place for them. When the same folder is listed
// again, the rows keep their scrolling, and a subfolder the user has moved to
// stays highlighted while it is there.
void DirectoryBoxControl::ShowSubfolders(std::vector<std::string> names) {
    if (chain_.empty()) return;
    std::vector<std::wstring> rows;
    for (const std::string& name : names) rows.push_back(Wide(name));
    std::sort(rows.begin(), rows.end(), [](const std::wstring& left, const std::wstring& right) {
        return StrCmpLogicalW(left.c_str(), right.c_str()) < 0;
    });
    if (rows == subfolders_) return;
    const auto firstSubfolder = static_cast<LRESULT>(chain_.size());
    const LRESULT top = SendMessageW(Rows(), LB_GETTOPINDEX, 0, 0);
    const LRESULT selected = SendMessageW(Rows(), LB_GETCURSEL, 0, 0);
    const std::wstring selectedName = selected >= firstSubfolder ? RowText(selected) : std::wstring();
    while (SendMessageW(Rows(), LB_GETCOUNT, 0, 0) > firstSubfolder) {
        SendMessageW(Rows(), LB_DELETESTRING, static_cast<WPARAM>(firstSubfolder), 0);
    }
    AddRows(rows);
    subfolders_ = std::move(rows);
    if (!selectedName.empty()) {
        const auto kept = std::find(subfolders_.begin(), subfolders_.end(), selectedName);
        const LRESULT row = kept == subfolders_.end() ? firstSubfolder - 1 : firstSubfolder + (kept - subfolders_.begin());
        SendMessageW(Rows(), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    }
    SendMessageW(Rows(), LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
}

void DirectoryBoxControl::AddRows(const std::vector<std::wstring>& rows) {
    SendMessageW(Rows(), WM_SETREDRAW, FALSE, 0);
    for (const std::wstring& row : rows) SendMessageW(Rows(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    SendMessageW(Rows(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Rows(), nullptr, TRUE);
}

void DirectoryBoxControl::OpenRow(LRESULT row) {
    if (row < 0) return;
    const auto index = static_cast<std::size_t>(row);
    if (index < chain_.size()) {
        ShowFolder(ChainPath(std::span(chain_).first(index + 1)));
    } else {
        ShowFolder(JoinPath(ChainPath(chain_), Utf8(RowText(row))));
    }
    sink_(Event::FolderChanged);
}

std::wstring DirectoryBoxControl::RowText(LRESULT row) const {
    const LRESULT length = SendMessageW(Rows(), LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(Rows(), LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

LRESULT CALLBACK DirectoryBoxControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<DirectoryBoxControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->OnMessage(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT DirectoryBoxControl::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM:
        DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORLISTBOX: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, backgroundColour_);
        SetDCBrushColor(dc, backgroundColour_);
        return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == LBN_DBLCLK) OpenRow(SendMessageW(Rows(), LB_GETCURSEL, 0, 0));
        return 0;
    case WM_VKEYTOITEM:
        if (LOWORD(wParam) != VK_RETURN) return -1;  // the list box's own keys
        OpenRow(SendMessageW(Rows(), LB_GETCURSEL, 0, 0));
        return -2;
    case WM_SIZE:
        if (Rows()) MoveWindow(Rows(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        SetFocus(Rows());
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// A list box tells its parent of no right-button press.
LRESULT CALLBACK DirectoryBoxControl::RowsProcedure(HWND rows, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                    DWORD_PTR self) {
    if (message == WM_RBUTTONDOWN) reinterpret_cast<DirectoryBoxControl*>(self)->sink_(Event::RightButtonDown);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(rows, RowsProcedure, kSubclassId);
    return DefSubclassProc(rows, message, wParam, lParam);
}

void DirectoryBoxControl::DrawRow(const DRAWITEMSTRUCT& item) const {
    const HDC dc = item.hDC;
    const RECT area = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &area);
        return;
    }
    const bool selected = item.itemState & ODS_SELECTED;
    SetDCBrushColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHT) : backgroundColour_);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));

    const std::size_t row = item.itemID;
    const bool open = row < chain_.size();
    const int depth = static_cast<int>(open ? row : chain_.size());
    // Deep paths would push the names out of sight.
    const int left =
        area.left + Scaled(kMargin, dpi_) + std::min<int>(depth * Scaled(kIndent, dpi_), (area.right - area.left) / 2);
    icons_.Draw(open, dc, left, area.top + (area.bottom - area.top - icons_.Size()) / 2);

    const std::wstring name = RowText(static_cast<LRESULT>(row));
    RECT text = area;
    text.left = left + icons_.Size() + Scaled(kGap, dpi_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : textColour_);
    DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &area);
}

}  // namespace quillory::win32

#include "browse/win32/check_list_control.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "platform/win32/encoding.h"

namespace quillory::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;
// A list that grows shows its new count at most this often (milliseconds):
// the view takes in a count slowly, its scroll bar drawn anew each time.
constexpr ULONGLONG kCountEvery = 200;
constexpr UINT_PTR kCountTimer = 0x51;
constexpr int kUnticked = 1;  // state images of LVS_EX_CHECKBOXES
constexpr int kTicked = 2;
// What Ctrl+A and Ctrl+C type.
constexpr WPARAM kCtrlACharacter = 0x01;
constexpr WPARAM kCtrlCCharacter = 0x03;

HWND CreateList(HWND parent, const ControlRow& row) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    return CreateWindowExW(row.sunkenBorder ? WS_EX_CLIENTEDGE : 0, WC_LISTVIEWW, L"",
                           WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA |
                               LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
                           row.left, row.top, row.width, row.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), GetModuleHandleW(nullptr),
                           nullptr);
}

COLORREF ColourOf(const Rgb& colour) { return RGB(colour.red, colour.green, colour.blue); }

// One column as wide as the list, less the scroll bar that a long list shows.
int NameColumnWidth(HWND list) {
    RECT client{};
    GetClientRect(list, &client);
    return client.right - GetSystemMetrics(SM_CXVSCROLL);
}

void AddNameColumn(HWND list) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = NameColumnWidth(list);
    ListView_InsertColumn(list, 0, &column);
}

}  // namespace

void CheckListControl::Relayout(const RECT& place, HFONT font) {
    PlaceChildWindow(Handle(), place, font);
    ListView_SetColumnWidth(Handle(), 0, NameColumnWidth(Handle()));
}

CheckListControl::CheckListControl(HWND parent, const ControlRow& row, HFONT font, EventSink sink)
    : sink_(std::move(sink)), list_(CreateList(parent, row)) {
    const HWND list = list_.Get();
    ListView_SetUnicodeFormat(list, TRUE);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
    ListView_SetExtendedListViewStyleEx(list, extended, extended);
    ListView_SetCallbackMask(list, LVIS_STATEIMAGEMASK);
    if (row.backgroundColour) {
        ListView_SetBkColor(list, ColourOf(*row.backgroundColour));
        ListView_SetTextBkColor(list, ColourOf(*row.backgroundColour));
    }
    if (row.textColour) ListView_SetTextColor(list, ColourOf(*row.textColour));
    AddNameColumn(list);
    SetWindowSubclass(list, ListProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK CheckListControl::ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, ListProcedure, kSubclassId);
    } else if (message != WM_DESTROY) {
        return reinterpret_cast<CheckListControl*>(self)->HandleListMessage(list, message, wParam, lParam);
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

LRESULT CheckListControl::HandleListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    BringViewUpToDate();
    switch (message) {
    case WM_TIMER:
        if (wParam != kCountTimer) break;
        KillTimer(list, kCountTimer);
        countDue_ = false;
        return 0;
    case WM_KEYDOWN:
        if (TakeShortcut(wParam)) return 0;
        tip_.Forget();  // the key may scroll
        break;
    case WM_CHAR:
        // The list view would search the names for them.
        if (wParam == kCtrlACharacter || wParam == kCtrlCCharacter) return 0;
        break;
    case WM_MOUSEMOVE:
        tip_.FollowMouse({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
        tip_.Forget();
        break;
    default:
        break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

bool CheckListControl::TakeShortcut(WPARAM key) {
    const bool controlAlone = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
    if (!controlAlone) return false;
    switch (key) {
    case 'A':
        sink_(Event::SelectAllKey);
        return true;
    case 'C':
        sink_(Event::CopyKey);
        return true;
    default:
        return false;
    }
}

void CheckListControl::ViewIsStale() {
    if (stale_) return;
    stale_ = true;
    InvalidateRect(list_.Get(), nullptr, TRUE);
}

// Whatever asks the view anything finds it holding every name; the view's
// own messages while it takes a count find it up to date.
void CheckListControl::BringViewUpToDate() {
    if (givingCount_) return;
    if (!stale_) {
        if (viewCount_ != ListCount()) ShowCount();
        return;
    }
    stale_ = false;
    quiet_ = std::exchange(moved_, false);
    if (cleared_) {
        cleared_ = false;
        GiveCount(0, 0);
    }
    if (viewCount_ != ListCount()) GiveCount(ListCount(), LVSICF_NOSCROLL);
    if (quiet_) HighlightInView(current_);
    quiet_ = false;
}

void CheckListControl::HighlightInView(int index) {
    const HWND list = list_.Get();
    const int selected = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (selected == index && focused == index) return;
    if (selected >= 0) ListView_SetItemState(list, selected, 0, LVIS_SELECTED);
    if (focused >= 0) ListView_SetItemState(list, focused, 0, LVIS_FOCUSED);
    if (index >= 0) ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

bool CheckListControl::OnReflectedMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_NOTIFY) return false;
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (header.hwndFrom != list_.Get()) return false;
    result = 0;
    switch (header.code) {
    case LVN_GETDISPINFOW:
        ShowItem(reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
        return true;
    case LVN_ITEMCHANGED: {
        const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED)) {
            FollowSelection();
        }
        return true;
    }
    case LVN_ODSTATECHANGED: {
        const auto& change = *reinterpret_cast<const NMLVODSTATECHANGE*>(lParam);
        if ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) FollowSelection();
        return true;
    }
    case NM_CLICK:
    case NM_DBLCLK:
        FlipTickAt(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->ptAction);
        return true;
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == VK_SPACE && Valid(current_)) FlipTick(current_);
        return true;
    case NM_RCLICK:
        sink_(Event::RightButtonDown);
        result = TRUE;  // the program shows its own menu; no WM_CONTEXTMENU after it
        return true;
    case LVN_ODFINDITEMW:
        result = FindItem(*reinterpret_cast<const NMLVFINDITEMW*>(lParam));
        return true;
    default:
        return false;
    }
}

void CheckListControl::ListClear() {
    tip_.Forget();
    names_.Clear();
    current_ = -1;
    moved_ = false;
    cleared_ = true;
    ViewIsStale();
}

// The view learns of names added below the others without being painted
// whole, and while the list grows only every so often.
void CheckListControl::ListAppend(const NameList& names) {
    names_.Append(names);
    if (stale_ || countDue_) return;
    const ULONGLONG sinceShown = GetTickCount64() - countShown_;
    if (sinceShown >= kCountEvery) {
        ShowCount();
    } else {
        countDue_ = SetTimer(list_.Get(), kCountTimer, static_cast<UINT>(kCountEvery - sinceShown), nullptr) != 0;
    }
}

// Only the added names it shows are painted.
void CheckListControl::ShowCount() {
    GiveCount(ListCount(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    countShown_ = GetTickCount64();
}

void CheckListControl::GiveCount(int count, DWORD flags) {
    viewCount_ = count;
    givingCount_ = true;
    ListView_SetItemCountEx(list_.Get(), count, flags);
    givingCount_ = false;
}

void CheckListControl::ListReplace(NameList names, int current) {
    names_ = std::move(names);
    CurrentMoved(current);
}

void CheckListControl::ListEdit(const NameEdit& edit) {
    names_.Apply(edit);
    CurrentMoved(Valid(current_) ? PositionAfter(edit, current_) : -1);
}

// The names under the mouse and the highlight may be others now.
void CheckListControl::CurrentMoved(int current) {
    tip_.Forget();
    current_ = current;
    moved_ = true;
    ViewIsStale();
}

std::string CheckListControl::ListItemText(int index) const {
    return Valid(index) ? std::string(NameAt(index)) : std::string();
}

bool CheckListControl::ListIsChecked(int index) const { return Valid(index) && names_.Ticked(index); }

void CheckListControl::ListSetChecked(int index, bool ticked) {
    if (!Valid(index) || names_.Ticked(index) == ticked) return;
    names_.SetTicked(index, ticked);
    ViewIsStale();
}

void CheckListControl::ListSetEveryTick(EveryTick change) {
    names_.SetEveryTick(change);
    ViewIsStale();
}

NativeHandle CheckListControl::WindowHandle() const { return reinterpret_cast<NativeHandle>(list_.Get()); }

// Brings the current item into view, so the name the program just worked on
// is the one the user sees.
void CheckListControl::ListItemExtension(NativeHandle list, const std::string&, bool, bool) {
    if (Valid(current_)) ListView_EnsureVisible(reinterpret_cast<HWND>(list), current_, FALSE);
}

void CheckListControl::ShowItem(LVITEMW& item) const {
    if (!Valid(item.iItem)) return;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        lstrcpynW(item.pszText, Wide(NameAt(item.iItem)).c_str(), item.cchTextMax);
    }
    if (item.mask & LVIF_STATE) {
        const int tick = names_.Ticked(item.iItem) ? kTicked : kUnticked;
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(tick);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

void CheckListControl::FollowSelection() {
    if (quiet_) return;
    const int selected = ListView_GetNextItem(list_.Get(), -1, LVNI_SELECTED);
    if (selected == current_) return;
    current_ = selected;
    if (selected >= 0) sink_(Event::ItemSelected);
}

void CheckListControl::FlipTickAt(POINT point) {
    LVHITTESTINFO hit{};
    hit.pt = point;
    ListView_SubItemHitTest(list_.Get(), &hit);
    if ((hit.flags & LVHT_ONITEMSTATEICON) && Valid(hit.iItem)) FlipTick(hit.iItem);
}

void CheckListControl::FlipTick(int index) {
    names_.SetTicked(index, !names_.Ticked(index));
    ListView_RedrawItems(list_.Get(), index, index);
    sink_(Event::TickChanged);
}

// Type-ahead: the next item whose name begins with what the user typed.
int CheckListControl::FindItem(const NMLVFINDITEMW& find) const {
    const LVFINDINFOW& wanted = find.lvfi;
    if (!(wanted.flags & (LVFI_STRING | LVFI_PARTIAL)) || !wanted.psz) return -1;
    const std::wstring_view typed = wanted.psz;
    const int count = ListCount();
    const int start = find.iStart >= 0 && find.iStart < count ? find.iStart : 0;
    const int last = (wanted.flags & LVFI_WRAP) ? start + count : count;
    for (int position = start; position < last; ++position) {
        const int index = position % count;
        std::wstring name = Wide(NameAt(index));
        if (wanted.flags & LVFI_PARTIAL) name.resize(std::min(name.size(), typed.size()));
        if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.data(), static_cast<int>(name.size()),
                           typed.data(), static_cast<int>(typed.size())) == CSTR_EQUAL) {
            return index;
        }
    }
    return -1;
}

}  // namespace quillory::win32

#include "app/win32/listing_sign.h"

#include "app/win32/window_values.h"

namespace quillory::win32 {

namespace {

constexpr UINT_PTR kSignTimer = 2;
constexpr UINT kMoment = 200;       // milliseconds before the sign shows
constexpr UINT kCountEvery = 250;   // ... and between changes of the count

// The window under the cursor sets it anew, as if the mouse had moved.
void RefreshCursor(HWND window) {
    POINT point{};
    GetCursorPos(&point);
    const HWND under = WindowFromPoint(point);
    if (!under || (under != window && !IsChild(window, under))) return;
    const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE));
}

}  // namespace

void ListingSign::Attach(HWND window, HWND groupBox) {
    window_ = window;
    groupBox_ = groupBox;
    caption_ = WindowTextOf(groupBox);
}

void ListingSign::UnderWay(std::int64_t listed) {
    listed_ = listed;
    if (underWay_) return;
    underWay_ = true;
    SetTimer(window_, kSignTimer, kMoment, nullptr);
}

void ListingSign::Over() {
    if (!underWay_) return;
    underWay_ = false;
    KillTimer(window_, kSignTimer);
    if (!shown_) return;
    shown_ = false;
    captionCount_ = -1;
    SetWindowTextW(groupBox_, caption_.c_str());
    RefreshCursor(window_);
}

bool ListingSign::OnTimer(WPARAM id) {
    if (id != kSignTimer) return false;
    if (!shown_) {
        shown_ = true;
        SetTimer(window_, kSignTimer, kCountEvery, nullptr);
        RefreshCursor(window_);
    }
    ShowCount();
    return true;
}

void ListingSign::ShowCount() {
    if (listed_ == captionCount_) return;
    captionCount_ = listed_;
    const std::wstring caption = caption_ + L"（已列出 " + std::to_wstring(listed_) + L" 个）";
    SetWindowTextW(groupBox_, caption.c_str());
}

bool ListingSign::SetCursorOf() const {
    if (!shown_) return false;
    SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
    return true;
}

}  // namespace quillory::win32

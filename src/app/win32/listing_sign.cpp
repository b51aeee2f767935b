#include "app/win32/listing_sign.h"

#include "app/win32/window_values.h"

namespace quillory::win32 {

namespace {

constexpr UINT kCountEvery = 250;  // milliseconds between changes of the count

std::wstring ListedText(std::int64_t listed) { return L"（已列出 " + std::to_wstring(listed) + L" 个）"; }

// In tenths of a megabyte from one megabyte on, counted in whole numbers.
std::wstring WrittenText(std::int64_t bytes) {
    constexpr std::int64_t kKilobyte = 1024, kMegabyte = 1024 * 1024;
    if (bytes < kMegabyte) return L"（已写入 " + std::to_wstring(bytes / kKilobyte) + L" KB）";
    const std::int64_t tenths = bytes * 10 / kMegabyte;
    return L"（已写入 " + std::to_wstring(tenths / 10) + L"." + std::to_wstring(tenths % 10) + L" MB）";
}

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

const ListingSign::Kind ListingSign::kListing{2, 200, ListedText};
const ListingSign::Kind ListingSign::kWriting{3, 1000, WrittenText};

void ListingSign::Attach(HWND window, HWND groupBox) {
    window_ = window;
    groupBox_ = groupBox;
    caption_ = WindowTextOf(groupBox);
}

void ListingSign::UnderWay(std::int64_t listed) {
    listed_ = listed;
    if (underWay_) return;
    underWay_ = true;
    SetTimer(window_, kind_.timer, kind_.moment, nullptr);
}

void ListingSign::Over() {
    if (!underWay_) return;
    underWay_ = false;
    KillTimer(window_, kind_.timer);
    if (!shown_) return;
    shown_ = false;
    captionCount_ = -1;
    SetWindowTextW(groupBox_, caption_.c_str());
    RefreshCursor(window_);
}

bool ListingSign::OnTimer(WPARAM id) {
    if (id != kind_.timer) return false;
    if (!shown_) {
        shown_ = true;
        SetTimer(window_, kind_.timer, kCountEvery, nullptr);
        RefreshCursor(window_);
    }
    ShowCount();
    return true;
}

void ListingSign::ShowCount() {
    if (listed_ == captionCount_) return;
    captionCount_ = listed_;
    const std::wstring caption = caption_ + kind_.countText(listed_);
    SetWindowTextW(groupBox_, caption.c_str());
}

bool ListingSign::SetCursorOf() const {
    if (!shown_) return false;
    SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
    return true;
}

}  // namespace quillory::win32

// The sign of a listing on a window of its own: nothing within the first
// moment, then the count in the group box's caption and the busy cursor
// over the window, both gone without a trace at the end.
#include "app/win32/listing_sign.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/encoding.h"
#include "support/window_queries.h"

namespace quillory {
namespace {

using win32::ListingSign;

constexpr wchar_t kHostClass[] = L"QuilloryListingSignHost";

// A window that hands the sign its timer and cursor messages, as the main
// window does, with the group box whose caption the sign extends.
class SignHost {
public:
    SignHost() {
        WNDCLASSEXW host{};
        host.cbSize = sizeof host;
        host.lpfnWndProc = Procedure;
        host.hInstance = GetModuleHandleW(nullptr);
        host.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        host.lpszClassName = kHostClass;
        RegisterClassExW(&host);
        window_ = CreateWindowExW(WS_EX_TOPMOST, kHostClass, L"sign", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), this);
        groupBox_ = CreateWindowExW(0, L"BUTTON", L"待提取目录", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 10, 280, 180,
                                    window_, nullptr, GetModuleHandleW(nullptr), nullptr);
        sign.Attach(window_, groupBox_);
        SetCursorPos(200, 200);
    }
    ~SignHost() { DestroyWindow(window_); }
    SignHost(const SignHost&) = delete;
    SignHost& operator=(const SignHost&) = delete;

    std::string Caption() const { return testing::TextOf(groupBox_); }

    // The window's messages for that long, or until the caption is no longer `caption`.
    void PumpFor(ULONGLONG milliseconds, const std::string& caption = {}) {
        const ULONGLONG end = GetTickCount64() + milliseconds;
        while (GetTickCount64() < end && (caption.empty() || Caption() == caption)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
    }

    ListingSign sign;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        }
        auto* self = reinterpret_cast<SignHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == WM_TIMER && self->sign.OnTimer(wParam)) return 0;
        if (self && message == WM_SETCURSOR && self->sign.SetCursorOf()) return TRUE;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    HWND groupBox_ = nullptr;
};

TEST(ListingSign, ShowsAfterAMomentTheCountAndTheBusyCursorAndGoesWithoutATrace) {
    SignHost host;
    const HCURSOR busy = LoadCursorW(nullptr, IDC_APPSTARTING);

    // A listing over within the moment shows nothing, then or later.
    host.sign.UnderWay(0);
    host.sign.UnderWay(3000);
    host.PumpFor(100);
    host.sign.Over();
    host.PumpFor(300);
    EXPECT_EQ(host.Caption(), "待提取目录");
    EXPECT_NE(GetCursor(), busy);

    const ULONGLONG start = GetTickCount64();
    host.sign.UnderWay(0);
    host.sign.UnderWay(12345);
    host.PumpFor(2000, "待提取目录");
    EXPECT_GE(GetTickCount64() - start, 180u) << "not before the moment";
    EXPECT_EQ(host.Caption(), "待提取目录（已列出 12345 个）");
    EXPECT_EQ(GetCursor(), busy);

    host.sign.UnderWay(67890);
    host.PumpFor(2000, "待提取目录（已列出 12345 个）");
    EXPECT_EQ(host.Caption(), "待提取目录（已列出 67890 个）");

    host.sign.Over();
    EXPECT_EQ(host.Caption(), "待提取目录");
    EXPECT_NE(GetCursor(), busy);
}

}  // namespace
}  // namespace quillory

// The window at other DPIs than 96: the manifest's awareness as the loader
// reads it, a change of DPI while the program runs, and a start at 144 DPI.
// Wine takes its DPI from the registry when a process starts, so the start at
// 144 DPI runs in a child process of this test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/layout.h"
#include "platform/win32/encoding.h"
#include "support/test_app.h"
#include "support/window_queries.h"
#include "support/process_start.h"

namespace quillory::testing {
namespace {

using win32::Utf8;
using win32::Wide;

constexpr UINT kGetDpiScaledSize = 0x02E4;
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr char kChildDpiVariable[] = "QUILLORY_TEST_DPI";
constexpr char kClientAt96Variable[] = "QUILLORY_TEST_CLIENT_AT_96";

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

double AtDpi(int designPixels, int dpi) { return designPixels * dpi / 96.0; }

// Every control at dpi/96 times its place and size in the layout table, and
// its font's height likewise; `tolerance` pixels for rounding.
void ExpectLaidOutAt(TestApp& app, int dpi, double tolerance) {
    for (const ControlRow& row : ControlTable()) {
        SCOPED_TRACE(row.name);
        const HWND control = app.Control(row.id);
        const RECT rect = RectInParent(control);
        EXPECT_NEAR(rect.left, AtDpi(row.left, dpi), tolerance);
        EXPECT_NEAR(rect.top, AtDpi(row.top, dpi), tolerance);
        EXPECT_NEAR(rect.right - rect.left, AtDpi(row.width, dpi), tolerance);
        // A drop-down list's window is its selection field, as high as its font needs.
        if (row.kind != ControlKind::DriveBox) {
            EXPECT_NEAR(rect.bottom - rect.top, AtDpi(row.height, dpi), tolerance);
        }
        // The directory box's frame has no font; its rows have.
        if (row.kind != ControlKind::DirectoryBox) {
            EXPECT_NEAR(FontOf(control).lfHeight, AtDpi(row.font.height, dpi), tolerance);
        }
    }
}

TEST(DpiManifest, DeclaresPerMonitorAwarenessV2AsTheLoaderReadsIt) {
    const std::wstring program = Wide(QUILLORY_EXE_PATH);
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = program.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(1);
    const HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "error " << GetLastError();

    const auto setting = [&](const wchar_t* space, const wchar_t* name) {
        wchar_t value[128] = L"";
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, context, space, name, value, 128, &written)) return std::string("(none)");
        return Utf8(value);
    };
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), "true/pm");
    EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
              "PerMonitorV2, PerMonitor");
    ReleaseActCtx(context);
}

class DpiChange : public ::testing::Test {
protected:
    void SetUp() override {
        if (ScreenDpi() != 96) GTEST_SKIP() << "the prefix is not at 96 DPI";
    }
    void SendDpiChanged(int dpi, const RECT& suggested) {
        SendMessageW(app.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        app.Pump();
    }
    RECT WindowRect() const {
        RECT rect{};
        GetWindowRect(app.Window(), &rect);
        return rect;
    }

    ProgramFolder folder;
    TestApp app{folder.Path()};
};

// Moved to a monitor at 150 % and back: every control follows, and at 96 DPI
// everything is again exactly where the table puts it.
TEST_F(DpiChange, RelaysOutEveryControlAndFontInTheSuggestedRectangleAndBackExactly) {
    const RECT before = WindowRect();
    const RECT suggested{before.left - 60, before.top - 40, before.left - 60 + 640, before.top - 40 + 650};
    SendDpiChanged(144, suggested);
    const RECT moved = WindowRect();
    EXPECT_EQ(moved.left, suggested.left);
    EXPECT_EQ(moved.top, suggested.top);
    EXPECT_EQ(moved.right, suggested.right);
    EXPECT_EQ(moved.bottom, suggested.bottom);
    {
        SCOPED_TRACE("at 144 DPI");
        ExpectLaidOutAt(app, 144, 1);
    }

    SendDpiChanged(96, before);
    const RECT back = WindowRect();
    EXPECT_EQ(back.right - back.left, 426);
    EXPECT_EQ(back.bottom - back.top, 433);
    SCOPED_TRACE("back at 96 DPI");
    ExpectLaidOutAt(app, 96, 0);
}

// The directory box's list fills its frame and its rows grow with the font
// and the folder pictures; back at 96 DPI they are as they were.
TEST_F(DpiChange, TheDirectoryBoxsListFillsItsFrameAndItsRowsGrowWithTheDpi) {
    const HWND box = app.Control(ControlId::目录框文件名提取);
    const HWND rows = GetWindow(box, GW_CHILD);
    const auto rowHeight = [&] { return static_cast<int>(SendMessageW(rows, LB_GETITEMHEIGHT, 0, 0)); };
    const auto expectFillsTheBox = [&] {
        const RECT list = RectInParent(rows);
        const SIZE frame = ClientSize(box);
        EXPECT_EQ(list.left, 0);
        EXPECT_EQ(list.top, 0);
        EXPECT_EQ(list.right, frame.cx);
        EXPECT_EQ(list.bottom, frame.cy);
    };
    const RECT before = WindowRect();
    const RECT listBefore = RectInParent(rows);
    const int rowHeightBefore = rowHeight();
    expectFillsTheBox();

    SendDpiChanged(144, {before.left, before.top, before.left + 640, before.top + 650});
    {
        SCOPED_TRACE("at 144 DPI");
        expectFillsTheBox();
        EXPECT_NEAR(ClientSize(box).cy, AtDpi(RowOf(ControlId::目录框文件名提取).height, 144), 1);
        EXPECT_NEAR(rowHeight(), rowHeightBefore * 1.5, 2);
    }

    SendDpiChanged(96, before);
    SCOPED_TRACE("back at 96 DPI");
    const RECT listBack = RectInParent(rows);
    EXPECT_TRUE(EqualRect(&listBack, &listBefore));
    EXPECT_EQ(rowHeight(), rowHeightBefore);
}

// The check-list's one column keeps spanning the list, less the scroll bar.
TEST_F(DpiChange, TheFileListsColumnFollowsTheListsWidth) {
    const HWND list = app.Control(ControlId::选择列表框文件列表);
    const auto columnGap = [&] {
        return ClientSize(list).cx - static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
    };
    const RECT before = WindowRect();
    const int gapBefore = columnGap();
    const int widthBefore = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));

    SendDpiChanged(144, {before.left, before.top, before.left + 640, before.top + 650});
    EXPECT_EQ(columnGap(), gapBefore);

    SendDpiChanged(96, before);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), widthBefore);
}

TEST_F(DpiChange, AsksForTheDesignedOuterSizeAt96Dpi) {
    SIZE size{};
    ASSERT_TRUE(SendMessageW(app.Window(), kGetDpiScaledSize, 96, reinterpret_cast<LPARAM>(&size)));
    EXPECT_EQ(size.cx, 426);
    EXPECT_EQ(size.cy, 433);
}

// Wine's DPI for the processes started while this lives; the old value is
// put back however the test ends.
class LogPixelsSetting {
public:
    explicit LogPixelsSetting(DWORD dpi) {
        DWORD size = sizeof old_;
        hadValue_ = RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &old_,
                                 &size) == ERROR_SUCCESS;
        set_ = RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi) ==
               ERROR_SUCCESS;
    }
    ~LogPixelsSetting() {
        if (hadValue_) {
            RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &old_, sizeof old_);
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
        }
    }
    LogPixelsSetting(const LogPixelsSetting&) = delete;
    LogPixelsSetting& operator=(const LogPixelsSetting&) = delete;
    bool Set() const { return set_; }

private:
    DWORD old_ = 0;
    bool hadValue_ = false;
    bool set_ = false;
};

// This test program again, running one test; its exit code.
DWORD RunChildTest(const std::wstring& filter) {
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_also_run_disabled_tests --gtest_filter=" + filter;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION child{};
    if (!StartProcess(nullptr, command.data(), TRUE, 0, nullptr, &startup, &child)) {
        return GetLastError();
    }
    DWORD exitCode = STILL_ACTIVE;
    if (WaitForSingleObject(child.hProcess, 90000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(child.hProcess, &exitCode);
    } else {
        TerminateProcess(child.hProcess, 1);
    }
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return exitCode;
}

TEST(DpiStart, At144DpiEveryControlIsOneAndAHalfTimesItsPlaceAndAllOfItIsInTheClientArea) {
    if (ScreenDpi() != 96) GTEST_SKIP() << "the prefix is not at 96 DPI";
    SIZE clientAt96{};
    {
        ProgramFolder folder;
        TestApp app(folder.Path());
        clientAt96 = ClientSize(app.Window());
    }
    const std::string client = std::to_string(clientAt96.cx) + "x" + std::to_string(clientAt96.cy);
    SetEnvironmentVariableA(kClientAt96Variable, client.c_str());
    SetEnvironmentVariableA(kChildDpiVariable, "144");
    DWORD exitCode = 0;
    {
        const LogPixelsSetting dpi(144);
        ASSERT_TRUE(dpi.Set());
        exitCode = RunChildTest(L"DpiStartChild.*");
    }
    SetEnvironmentVariableA(kChildDpiVariable, nullptr);
    SetEnvironmentVariableA(kClientAt96Variable, nullptr);
    EXPECT_EQ(exitCode, 0u) << "the child's failures are printed above";
    EXPECT_EQ(ScreenDpi(), 96);
}

// As the program's manifest does: the test program has none.
void BecomeAwareOfTheDpiPerMonitor() {
    using SetAwareness = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto set = reinterpret_cast<SetAwareness>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (set && (set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) || set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE))) {
        return;
    }
    SetProcessDPIAware();
}

// Leftmost column of red ink in the caption band of a group box, or -1.
int CaptionInkLeft(HWND groupBox) {
    const Picture picture = Render(groupBox);
    const int band = std::abs(FontOf(groupBox).lfHeight);
    for (int x = 0; x < picture.width; ++x) {
        for (int y = 0; y < band && y < picture.height; ++y) {
            const COLORREF pixel = picture.At(x, y);
            if (GetRValue(pixel) > GetGValue(pixel) + 40 && GetRValue(pixel) > GetBValue(pixel) + 40) return x;
        }
    }
    return -1;
}

// Run only by DpiStart, in a process started at the DPI it names.
TEST(DpiStartChild, DISABLED_LaysOutTheWindowAtTheScreensDpi) {
    const char* expected = std::getenv(kChildDpiVariable);
    const char* clientAt96 = std::getenv(kClientAt96Variable);
    ASSERT_TRUE(expected && clientAt96) << "started by DpiStart only";
    const int dpi = std::atoi(expected);
    ASSERT_EQ(ScreenDpi(), dpi) << "Wine did not take the DPI from the registry";
    BecomeAwareOfTheDpiPerMonitor();

    ProgramFolder folder;
    TestApp app(folder.Path());
    ExpectLaidOutAt(app, dpi, 1);

    const HWND window = app.Window();
    const SIZE client = ClientSize(window);
    int width96 = 0, height96 = 0;
    ASSERT_EQ(std::sscanf(clientAt96, "%dx%d", &width96, &height96), 2);
    EXPECT_NEAR(client.cx, AtDpi(width96, dpi), 1);
    EXPECT_NEAR(client.cy, AtDpi(height96, dpi), 1);
    // Every control within the client area; the panels' frames begin a pixel
    // (at 96 DPI) above it by design.
    for (const ControlRow& row : ControlTable()) {
        SCOPED_TRACE(row.name);
        RECT rect{};
        GetWindowRect(app.Control(row.id), &rect);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_GE(rect.left, 0);
        EXPECT_GE(rect.top, -AtDpi(1, dpi) - 1);
        EXPECT_LE(rect.right, client.cx);
        EXPECT_LE(rect.bottom, client.cy);
    }
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_GE(outer.left, 0);
    EXPECT_GE(outer.top, 0);
    EXPECT_LE(outer.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LE(outer.bottom, GetSystemMetrics(SM_CYSCREEN));
    SIZE asked{};
    SendMessageW(window, kGetDpiScaledSize, static_cast<WPARAM>(dpi), reinterpret_cast<LPARAM>(&asked));
    EXPECT_EQ(outer.right - outer.left, asked.cx);
    EXPECT_EQ(outer.bottom - outer.top, asked.cy);

    const int captionLeft = CaptionInkLeft(app.Control(ControlId::分组框文件名提取框));
    EXPECT_GE(captionLeft, AtDpi(8, dpi)) << "the caption stands as far in as at 96 DPI, scaled";
    EXPECT_LE(captionLeft, AtDpi(8, dpi) + AtDpi(3, dpi));
}

}  // namespace
}  // namespace quillory::testing

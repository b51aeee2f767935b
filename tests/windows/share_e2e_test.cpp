// The real window on a network share whose every call takes a millisecond
// (tools/test-share.sh): the first names of a slow folder at once, a share
// that stops answering while it is listed, and the close box meanwhile.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/win32/encoding.h"
#include "support/clipboard.h"
#include "support/program_process.h"
#include "support/test_app.h"
#include "support/test_share.h"
#include "support/window_pinger.h"

namespace quillory::testing {
namespace {

constexpr int kFiles = 400;  // a second or two to list on the share
constexpr double kLongestAnswer = 100;  // milliseconds
constexpr ULONGLONG kFirstNames = 250;

std::wstring FileName(int index) { return L"IMG_" + std::to_wstring(index) + L".jpg"; }

BOOL CALLBACK TakeListView(HWND child, LPARAM found) {
    wchar_t name[64] = L"";
    GetClassNameW(child, name, 64);
    if (std::wstring(name) != WC_LISTVIEWW) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// The check-list of another process's window, wherever it lies in it.
HWND CheckListOf(HWND window) {
    HWND found = nullptr;
    EnumChildWindows(window, TakeListView, reinterpret_cast<LPARAM>(&found));
    return found;
}

class ShareEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::wstring why = TestShare::Missing(); !why.empty()) {
            GTEST_SKIP() << "no test share: " << win32::Utf8(why);
        }
        share.emplace();
        ASSERT_TRUE(share->MakeFiles(kFiles, FileName));
    }

    // Runs the window's messages until `done` holds, at most for `milliseconds`.
    static bool PumpUntil(TestApp& app, const std::function<bool()>& done, ULONGLONG milliseconds) {
        const ULONGLONG end = GetTickCount64() + milliseconds;
        while (!done()) {
            if (GetTickCount64() > end) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
            app.PumpPending();
        }
        return true;
    }

    std::optional<TestShare> share;
};

// Shown within a quarter of a second of the paste, before a batch could
// fill, while the rest comes a tenth of a second at a time.
TEST_F(ShareEndToEnd, TheFirstNamesOfASlowFolderShowAtOnce) {
    const ProgramFolder folder;
    TestApp app(folder.Path());
    const HWND list = app.Control(ControlId::选择列表框文件列表);
    PutTextOnClipboard(share->OnUnc());
    const ULONGLONG pasted = GetTickCount64();
    SendMessageW(app.Window(), WM_PASTE, 0, 0);
    ASSERT_TRUE(PumpUntil(app, [&] { return ListView_GetItemCount(list) > 0; }, 5000));
    EXPECT_LE(GetTickCount64() - pasted, kFirstNames);
    EXPECT_LT(ListView_GetItemCount(list), kFiles);
    app.Pump();
    EXPECT_EQ(ListView_GetItemCount(list), kFiles);
}

// Wine holds one lock for folder reads, so the window answers only while
// it reads no folder itself.
TEST_F(ShareEndToEnd, AShareThatStopsAnsweringMidListingLeavesTheWindowAnswering) {
    const ProgramFolder folder;
    TestApp app(folder.Path());
    const HWND list = app.Control(ControlId::选择列表框文件列表);
    {
        const WindowPinger pinger(app.Window());
        PutTextOnClipboard(share->OnDrive());
        SendMessageW(app.Window(), WM_PASTE, 0, 0);
        ASSERT_TRUE(PumpUntil(app, [&] { return ListView_GetItemCount(list) > 0; }, 5000));
        share->Stop();
        EXPECT_FALSE(PumpUntil(app, [&] { return app.Program().Settled(); }, 1500)) << "listed while stopped";
        share->Answer();
        app.Pump();
        EXPECT_LT(pinger.LongestWait(), kLongestAnswer);
    }
    EXPECT_EQ(ListView_GetItemCount(list), kFiles);
}

// The program in a process of its own, listing the folder named on its
// command line when its window's close box is pressed. The window goes at
// once; the process ends itself half a second later, but Wine keeps it
// until the share's call returns (the bound itself is tested with a worker
// that waits on an event), and then nothing else holds it.
TEST_F(ShareEndToEnd, TheCloseBoxDuringAListingOnAStoppedShareTakesTheWindowAtOnce) {
    const ProgramFolder folder;
    const std::wstring exe = folder / L"Quillory.exe";
    ASSERT_TRUE(CopyFileW(WindowsPath(QUILLORY_EXE_PATH).c_str(), exe.c_str(), FALSE));
    const StartedProgram program(exe, L"\"" + share->OnDrive() + L"\"");
    const HWND window = program.AwaitWindow();
    ASSERT_NE(window, nullptr);
    const HWND list = CheckListOf(window);
    const ULONGLONG end = GetTickCount64() + 5000;
    while (ListView_GetItemCount(list) == 0 && GetTickCount64() < end) Sleep(5);
    ASSERT_GT(ListView_GetItemCount(list), 0) << "no listing under way";
    share->Stop();
    Sleep(50);  // the listing waits inside the share now

    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WindowGoes(window));
    Sleep(1000);
    share->Answer();
    EXPECT_TRUE(program.EndsWithin(1000));
}

}  // namespace
}  // namespace quillory::testing

// The real window on a network share whose every call takes a millisecond
// (tools/test-share.sh): the first names of a slow folder at once, a share
// that stops answering while it is listed, the close box meanwhile, and the
// program kept on the share writing its day's file there.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/win32/encoding.h"
#include "support/clipboard.h"
#include "support/message_box_answerer.h"
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

// The check-list of another process's window.
HWND CheckListOf(HWND window) { return ControlOf(window, ControlId::选择列表框文件列表); }

// Waits up to 5 s for the other process's check-list to hold an item.
bool AwaitItems(HWND list) {
    const ULONGLONG end = GetTickCount64() + 5000;
    while (ListView_GetItemCount(list) == 0 && GetTickCount64() < end) Sleep(5);
    return ListView_GetItemCount(list) > 0;
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
    ASSERT_TRUE(app.PumpUntil([&] { return ListView_GetItemCount(list) > 0; }, 5000));
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
        ASSERT_TRUE(app.PumpUntil([&] { return ListView_GetItemCount(list) > 0; }, 5000));
        share->Stop();
        EXPECT_FALSE(app.PumpUntil([&] { return app.Program().Settled(); }, 1500)) << "listed while stopped";
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
    ASSERT_TRUE(AwaitItems(CheckListOf(window))) << "no listing under way";
    share->Stop();
    Sleep(50);  // the listing waits inside the share now

    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WindowGoes(window));
    Sleep(1000);
    share->Answer();
    EXPECT_TRUE(program.EndsWithin(1000));
}

// Lines like a real day's file's, some megabytes of them: a write of
// hundreds of the share's slow calls.
std::string OldDayFile() {
    std::string lines;
    for (int line = 0; lines.size() < (8u << 20); ++line) lines += "IMG_20261208_" + std::to_string(line) + ".jpg\r\n";
    return lines;
}

// The program as it ships, kept in a folder on the share with its day's file
// there, started from the network drive: 立即提取 writes on the share while
// the window answers, and the block goes in front of every old byte.
TEST_F(ShareEndToEnd, ExtractingIntoADayFileOnTheShareLeavesTheWindowAnswering) {
    ASSERT_TRUE(CopyShippedProgram(QUILLORY_DIST_DIR, share->Served()));
    ASSERT_TRUE(MakeFolders(share->Served(L"Quillory-存储")));
    const std::wstring dayFile = L"Quillory-存储\\" + TodayStem() + L".txt";
    const std::string old = OldDayFile();
    WriteBytes(share->Served(dayFile), old);
    TestFolder names;
    WriteBytes(names / L"名字.txt", "x");

    const StartedProgram program(share->OnDrive(L"Quillory.exe"), L"\"" + names.Path() + L"\"");
    const HWND window = program.AwaitWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(AwaitItems(CheckListOf(window)));
    MessageBoxAnswerer answerer(kMessageBoxTitle, IDOK, GetWindowThreadProcessId(window, nullptr));
    {
        const WindowPinger pinger(window);
        SendMessageW(ControlOf(window, ControlId::按钮提取文件名), BM_CLICK, 0, 0);
        EXPECT_TRUE(answerer.AwaitAnswers(1, 20'000)) << "no message";
        EXPECT_LT(pinger.LongestWait(), kLongestAnswer);
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.EndsWithin(5000));

    const std::vector<ShownMessage> told = answerer.Answered();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, "提取成功，所在目录为:" + win32::Utf8(share->OnDrive(dayFile)));
    const std::string block = "\r\n\xC3\xFB\xD7\xD6.txt\r\n";  // 名字.txt once, in code page 936
    const std::string now = ReadBytes(share->Served(dayFile));
    EXPECT_EQ(now.size(), block.size() + old.size());
    EXPECT_TRUE(now == block + old) << "the day's file is not the block and the old bytes";
}

}  // namespace
}  // namespace quillory::testing

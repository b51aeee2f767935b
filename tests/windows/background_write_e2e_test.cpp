// 立即提取 into a large day's file in the real window: the write runs in the
// background while another thread asks the window for answers, a second
// press meanwhile adds nothing, and the message comes when the write ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <string>

#include "support/message_box_answerer.h"
#include "support/test_app.h"
#include "support/test_folder.h"
#include "support/window_pinger.h"

namespace quillory::testing {
namespace {

// Large enough that Wine takes a while to copy it, made at once as a file
// with a hole.
constexpr std::size_t kDayFileBytes = 8u << 20;
constexpr double kLongestAnswer = 100;  // milliseconds
constexpr ULONGLONG kSignAfter = 1000;  // milliseconds of writing before the bytes show

void MakeLargeFile(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end{};
    end.QuadPart = kDayFileBytes;
    EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);
}

TEST(BackgroundWriteEndToEnd, TheWindowAnswersThroughALongWriteAndASecondPressAddsNothing) {
    ProgramFolder folder;
    TestFolder files;
    WriteBytes(files / L"名字.txt", "x");
    TestApp app(folder.Path());
    app.ShowFolder(files.Path());
    MakeLargeFile(folder.DayFile());

    MessageBoxAnswerer answerer;
    const HWND button = app.Control(ControlId::按钮提取文件名);
    std::atomic<bool> sawBytes{false};
    const ULONGLONG start = GetTickCount64();
    {
        const WindowPinger pinger(app.Window(), [&] {
            if (app.Text(ControlId::分组框实行操作框).find("已写入") != std::string::npos) sawBytes = true;
        });
        SendMessageW(button, BM_CLICK, 0, 0);
        SendMessageW(button, BM_CLICK, 0, 0);
        app.Pump();
        EXPECT_LT(pinger.LongestWait(), kLongestAnswer);
    }
    const ULONGLONG took = GetTickCount64() - start;

    const std::string block = "\r\n\xC3\xFB\xD7\xD6.txt\r\n";  // once, in code page 936
    const std::string now = ReadBytes(folder.DayFile());
    EXPECT_EQ(now.size(), kDayFileBytes + block.size());
    EXPECT_EQ(now.substr(0, block.size()), block);
    const std::vector<ShownMessage> told = answerer.Answered();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text.rfind("提取成功，所在目录为:", 0), 0u);
    EXPECT_EQ(app.Text(ControlId::分组框实行操作框), "执行操作框");
    if (took > kSignAfter + 500) {
        EXPECT_TRUE(sawBytes) << "the write took " << took << " ms";
    }
}

}  // namespace
}  // namespace quillory::testing

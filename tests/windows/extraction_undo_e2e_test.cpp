// 撤销上次提取 in the real window: the day's file byte for byte as before the
// extraction in each of its encodings, and nothing taken when another copy
// wrote a block in front of it since.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "extract/extraction_undo.h"
#include "platform/win32/encoding.h"
#include "platform/window_thread.h"
#include "platform/win32/win32_services.h"
#include "support/test_app.h"

namespace quillory::testing {
namespace {

bool Offered(HWND window) {
    return !(GetMenuState(GetMenu(window), static_cast<UINT>(Command::UndoExtraction), MF_BYCOMMAND) & MF_GRAYED);
}

class UndoEndToEnd : public ::testing::Test {
protected:
    UndoEndToEnd() {
        MakeFolders(files);
        for (const wchar_t* name : {L"名字.txt", L"한.txt", L"b.txt"}) WriteBytes(files + L"\\" + name, "x");
        MakeFolders(program.StorageFolder());
    }
    // The window started on a day's file that holds `before`, the folder shown.
    TestApp& Start(const std::string& before) {
        WriteBytes(program.DayFile(), before);
        TestApp& app = started.emplace(program.Path());
        app.ShowFolder(files);
        return app;
    }
    std::vector<ShownMessage> Choose(Command command) {
        MessageBoxAnswerer answerer;
        started->Choose(command);
        return answerer.Answered();
    }

    ProgramFolder program;
    TestFolder listed;
    const std::wstring files = listed / L"待提取";
    std::optional<TestApp> started;
};

TEST_F(UndoEndToEnd, TheDaysFileIsAsBeforeInEachEncoding) {
    const struct {
        const char* encoding;
        std::string before;
    } cases[] = {
        {"ANSI", "\xC3\xFB\xD7\xD6\r\n"},  // "名字" in code page 936
        {"UTF-8", "\xEF\xBB\xBF" "older\r\n"},
        {"UTF-16 LE", std::string("\xFF\xFEo\0l\0d\0\r\0\n\0", 12)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.encoding);
        TestApp& app = Start(c.before);
        EXPECT_FALSE(Offered(app.Window()));
        ASSERT_EQ(Choose(Command::Extract).size(), 1u);
        ASSERT_NE(ReadBytes(program.DayFile()), c.before);
        EXPECT_TRUE(Offered(app.Window()));
        const std::vector<ShownMessage> told = Choose(Command::UndoExtraction);
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0].text, UndoneMessage(3));
        EXPECT_EQ(ReadBytes(program.DayFile()), c.before);
        EXPECT_FALSE(Offered(app.Window()));
        started.reset();
    }
}

TEST_F(UndoEndToEnd, NothingIsTakenAfterAnotherCopyWroteInFront) {
    Start("older\r\n");
    ASSERT_EQ(Choose(Command::Extract).size(), 1u);
    win32::Win32Services otherCopy{win32::Utf8(program.Path())};
    LineBlock theirs;
    theirs.names = {"theirs.txt"};
    {
        // Another copy's write, on a thread of its own in its own process.
        const window_thread::WorkScope otherProgram;
        ASSERT_TRUE(otherCopy.InsertLine(win32::Utf8(program.DayFile()), theirs));
    }
    const std::string both = ReadBytes(program.DayFile());

    const std::vector<ShownMessage> told = Choose(Command::UndoExtraction);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, kUndoWrittenOverMessage);
    EXPECT_EQ(ReadBytes(program.DayFile()), both);
    EXPECT_FALSE(Offered(started->Window()));
}

}  // namespace
}  // namespace quillory::testing

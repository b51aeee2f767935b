// The menu items that hand today's file to the desktop, on the real window
// under Wine: there no handler is registered for text files, so Notepad opens
// the file, and Wine's explorer shows the storage folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/win32/encoding.h"
#include "support/test_app.h"
#include "support/window_queries.h"

namespace quillory::testing {
namespace {

// What another process's edit control holds (GetWindowTextW reads no content there).
std::string ContentOf(HWND edit) {
    wchar_t text[256] = L"";
    SendMessageW(edit, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return win32::Utf8(text);
}

// The window of that class that a program started by the item shows, waited
// for until its title is `title` while the program runs its messages; its
// process is ended with the test.
class StartedWindow {
public:
    explicit StartedWindow(const wchar_t* windowClass) : class_(windowClass) {
        EXPECT_EQ(FindWindowW(class_, nullptr), nullptr) << "one is open already";
    }
    ~StartedWindow() {
        DWORD process = 0;
        GetWindowThreadProcessId(FindWindowW(class_, nullptr), &process);
        if (const HANDLE started = process ? OpenProcess(PROCESS_TERMINATE, FALSE, process) : nullptr) {
            TerminateProcess(started, 0);
            CloseHandle(started);
        }
    }
    HWND WaitFor(TestApp& app, const std::string& title) const {
        for (int attempt = 0; attempt < 100; ++attempt) {
            app.Pump();
            const HWND shown = FindWindowW(class_, nullptr);
            if (shown && TextOf(shown) == title) return shown;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ADD_FAILURE() << "shown: " << TextOf(FindWindowW(class_, nullptr));
        return nullptr;
    }

private:
    const wchar_t* class_;
};

TEST(DayFileMenuEndToEnd, OpenDayFileShowsThatVeryFileInNotepad) {
    ProgramFolder folder;
    TestApp app{folder.Path()};
    const std::string marker = "day " + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "\r\n";
    WriteBytes(folder.DayFile(), marker);
    StartedWindow notepad(L"Notepad");
    app.Choose(Command::OpenDayFile);
    const HWND shown = notepad.WaitFor(app, win32::Utf8(TodayStem()) + ".txt - 记事本");
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(ContentOf(FindWindowExW(shown, nullptr, L"Edit", nullptr)), marker);
    EXPECT_EQ(ReadBytes(folder.DayFile()), marker);
}

TEST(DayFileMenuEndToEnd, OpenStorageFolderMakesAMissingStorageFolderAndDaysFileAndShowsThemInExplorer) {
    ProgramFolder folder;
    TestApp app{folder.Path()};
    ASSERT_TRUE(DeleteFileW(folder.DayFile().c_str()));
    ASSERT_TRUE(RemoveDirectoryW(folder.StorageFolder().c_str()));
    StartedWindow explorer(L"ExplorerWClass");
    app.Choose(Command::OpenStorageFolder);
    EXPECT_TRUE(Exists(folder.DayFile()));
    EXPECT_EQ(ReadBytes(folder.DayFile()), "");
    EXPECT_NE(explorer.WaitFor(app, "Quillory-存储"), nullptr);
}

}  // namespace
}  // namespace quillory::testing

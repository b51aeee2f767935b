// The program's start and end: the storage folder, the settings entry, the
// day's file, and the three ways out.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/scripted_extraction.h"
#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_services.h"
#include "support/message_box_answerer.h"
#include "support/program_process.h"
#include "support/test_app.h"
#include "support/window_queries.h"
#include "support/process_start.h"

namespace quillory::testing {
namespace {

using enum ControlId;

std::string Gbk(const std::wstring& text) {
    const int size = WideCharToMultiByte(936, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(936, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().wstring());
    return names;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(StartUp, PreparesTheStorageFolderTheSettingsEntryAndTheDayFile) {
    ProgramFolder folder;
    TestApp app(folder.Path());
    const std::wstring storage = folder.StorageFolder();
    EXPECT_EQ(app.Text(标签存放路径), win32::Utf8(folder.Path() + L"\\Quillory-存储"));
    EXPECT_TRUE(IsFolder(storage));
    EXPECT_EQ(ReadBytes(folder.SettingsFile()), Gbk(L"[存放路径]\r\n路径=" + storage + L"\r\n"));
    EXPECT_TRUE(Exists(folder.DayFile()));
    EXPECT_EQ(ReadBytes(folder.DayFile()), "");
    EXPECT_EQ(NamesIn(storage), std::vector<std::wstring>{TodayStem() + L".txt"});
    EXPECT_TRUE(app.StartupMessages().empty());
}

TEST(StartUp, ASecondStartKeepsTheDayFileAsItIs) {
    ProgramFolder folder;
    { TestApp first(folder.Path()); }
    WriteBytes(folder.DayFile(), "b.txt\r\na.txt\r\n");
    TestApp second(folder.Path());
    EXPECT_EQ(ReadBytes(folder.DayFile()), "b.txt\r\na.txt\r\n");
    // The probe of the folder leaves nothing behind.
    EXPECT_EQ(NamesIn(folder.StorageFolder()), std::vector<std::wstring>{TodayStem() + L".txt"});
    EXPECT_TRUE(second.StartupMessages().empty());
}

// A write killed between its two renames leaves the day's file's old content
// under a set-aside name; the next start puts it back, behind whatever was
// written since, and leaves a set-aside file alone only while a program holds
// it or when the two encodings differ. One start puts back every day's file.
TEST(StartUp, PutsBackDayFilesThatACrashLeftSetAside) {
    const std::string utf8 = "\xEF\xBB\xBF", utf16 = "\xFF\xFE";
    const struct {
        std::wstring dayName;
        std::optional<std::string> dayFile;  // none: missing
        std::string setAside;
        bool heldBySomeone;
        std::optional<std::string> expected;
        bool setAsideStays;
    } cases[] = {
        {TodayStem() + L".txt", std::nullopt, "b.txt\r\na.txt\r\n", false, "b.txt\r\na.txt\r\n", false},
        {L"empty.txt", "", utf16 + win32::Utf16Bytes("old\r\n", false), false,
         utf16 + win32::Utf16Bytes("old\r\n", false), false},
        {L"only a mark.txt", utf8, "old\r\n", false, "old\r\n", false},
        {L"newer block.txt", "new\r\n\r\n", "old\r\n", false, "new\r\n\r\nold\r\n", false},
        {L"both marked.txt", utf8 + "new\r\n", utf8 + "old\r\n", false, utf8 + "new\r\nold\r\n", false},
        {L"other encoding.txt", utf16 + win32::Utf16Bytes("new\r\n", false), "old\r\n", false,
         utf16 + win32::Utf16Bytes("new\r\n", false), true},
        {L"held.txt", std::nullopt, "old\r\n", true, std::nullopt, true},
    };
    ProgramFolder folder;
    const std::wstring storage = folder.StorageFolder() + L"\\";
    CreateDirectoryW(folder.StorageFolder().c_str(), nullptr);
    const auto asideOf = [&](const auto& c) {
        return L"~quillory-396-" + std::to_wstring(&c - cases) + L"-" + c.dayName + L".old";
    };
    std::vector<win32::FileHandle> writers;
    std::vector<std::wstring> expectedNames;
    for (const auto& c : cases) {
        const std::wstring aside = asideOf(c);
        WriteBytes(storage + aside, c.setAside);
        if (c.dayFile) WriteBytes(storage + c.dayName, *c.dayFile);
        // As the writer holds it until its replacement is done.
        if (c.heldBySomeone) {
            writers.emplace_back(CreateFileW((storage + aside).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                             FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
        }
        if (c.expected) expectedNames.push_back(c.dayName);
        if (c.setAsideStays) expectedNames.push_back(aside);
    }
    { TestApp app(folder.Path()); }
    writers.clear();

    for (const auto& c : cases) {
        SCOPED_TRACE(win32::Utf8(c.dayName));
        if (c.expected) {
            EXPECT_EQ(ReadBytes(storage + c.dayName), *c.expected);
        }
    }
    std::vector<std::wstring> names = NamesIn(folder.StorageFolder());
    std::ranges::sort(names);
    std::ranges::sort(expectedNames);
    EXPECT_EQ(names, expectedNames);
    for (const auto& c : cases) {
        if (c.setAsideStays) {
            EXPECT_EQ(ReadBytes(storage + asideOf(c)), c.setAside);
        }
    }
}

TEST(StartUp, WithoutTheSideFolderGoesOnWithoutAWord) {
    TestFolder folder;
    TestApp app(folder.Path());
    EXPECT_TRUE(app.StartupMessages().empty());
    EXPECT_FALSE(Exists(folder / L"PLXE"));
    EXPECT_EQ(app.Text(标签存放路径), win32::Utf8(folder / L"Quillory-存储"));
    EXPECT_TRUE(Exists(folder / (L"Quillory-存储\\" + TodayStem() + L".txt")));
}

TEST(StartUp, ReportsAStorageFolderThatCannotBeWrittenOnceAndGoesOn) {
    ProgramFolder folder;
    WriteBytes(folder.StorageFolder(), "");  // a file where the folder belongs
    TestApp app(folder.Path());
    ASSERT_EQ(app.StartupMessages().size(), 1u);
    const ShownMessage& message = app.StartupMessages()[0];
    EXPECT_EQ(message.title, "Velkor工作室提醒您");
    // The first sentence as ever; then the folder and the reason, as a scripted run words them.
    EXPECT_EQ(message.text, "您好，请确认文件夹所在磁盘具有写入权限！\n" + win32::Utf8(folder.StorageFolder()) +
                                "\n存储文件夹不存在或无法写入。请确认文件夹所在磁盘具有写入权限。");
    EXPECT_EQ(message.buttons.size(), 1u);
    EXPECT_FALSE(message.hasIcon);
    EXPECT_EQ(app.Text(标签存放路径), win32::Utf8(folder.StorageFolder()));
    EXPECT_FALSE(app.Ended());
}

// Each way out ends the program at once, without a question, with exit code 0.
class Ending : public ::testing::Test {
protected:
    void ExpectEndedQuietly() {
        EXPECT_TRUE(app.Ended());
        EXPECT_EQ(app.ExitCode(), 0);
        EXPECT_EQ(app.Window(), nullptr);
        EXPECT_TRUE(questions.Answered().empty());
    }

    ProgramFolder folder;
    TestApp app{folder.Path()};
    MessageBoxAnswerer questions;
};

TEST_F(Ending, EscWithTheFocusOnTheFileList) {
    app.PressKey(VK_ESCAPE);
    ExpectEndedQuietly();
}

TEST_F(Ending, EscWithTheFocusInTheCountBox) {
    SetFocus(app.Control(编辑框参数2));
    app.PressKey(VK_ESCAPE);
    ExpectEndedQuietly();
}

TEST_F(Ending, EscInTheOpenDriveListClosesOnlyTheList) {
    const HWND drives = app.Control(驱动器框文件名提取);
    SetFocus(drives);
    SendMessageW(drives, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(SendMessageW(drives, CB_GETDROPPEDSTATE, 0, 0));
    app.PressKey(VK_ESCAPE);
    EXPECT_FALSE(SendMessageW(drives, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_FALSE(app.Ended());
}

TEST_F(Ending, TheCloseBox) {
    PostMessageW(app.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    app.Pump();
    ExpectEndedQuietly();
}

TEST_F(Ending, QuitFromTheFileMenu) {
    app.Choose(Command::Quit);
    ExpectEndedQuietly();
}

std::wstring CurrentFolder() {
    wchar_t folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    return folder;
}

struct ProcessWindow {
    DWORD process;
    HWND found = nullptr;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<ProcessWindow*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.process || !IsWindowVisible(window) || TextOf(window).rfind("Quillory ----", 0) != 0) return TRUE;
    search.found = window;
    return FALSE;
}

// The built executable in a program folder of its own, as a process of its own.
TEST(Program, StartsInItsOwnFolderAndEndsWithExitCodeZero) {
    ProgramFolder folder;
    const std::wstring exe = folder / L"Quillory.exe";
    ASSERT_TRUE(CopyFileW(WindowsPath(QUILLORY_EXE_PATH).c_str(), exe.c_str(), FALSE));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    // Started from elsewhere: the program folder is the executable's, not the current one.
    ASSERT_TRUE(StartProcess(exe.c_str(), commandLine.data(), FALSE, 0, nullptr, &startup, &process));
    WaitForInputIdle(process.hProcess, 20000);
    ProcessWindow search{process.dwProcessId};
    for (int round = 0; round < 300 && !search.found; ++round) {
        EnumWindows(&MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(100);
    }
    EXPECT_NE(search.found, nullptr);
    if (search.found) {
        EXPECT_TRUE(Exists(folder.DayFile()));
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(process.dwThreadId, &gui);
        const HWND focus = gui.hwndFocus ? gui.hwndFocus : search.found;
        PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(focus, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    }
    const bool ended = WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(process.hProcess, 1);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_TRUE(ended);
    EXPECT_EQ(exitCode, 0u);
}

// From a folder this deep the system starts no program: the program runs
// here in the test's process, on that program folder.
class DeepStart : public ::testing::Test {
protected:
    std::wstring DayFile(const std::wstring& programFolder) const {
        return programFolder + L"\\Quillory-存储\\" + TodayStem() + L".txt";
    }

    TestFolder place_;
};

TEST_F(DeepStart, ThreeHundredCharactersDeepTheSettingsAndTheSkinAreReachedThroughShortNames) {
    const std::wstring deep = MakeFolderOfLength(place_.Path(), L'd', 60, 300);
    const std::wstring settings = deep + L"\\PLXE\\PLXE.ini";
    ASSERT_TRUE(MakeFolders(deep + L"\\PLXE"));
    ASSERT_TRUE(CopyOneFile(WindowsPath(QUILLORY_SPY_SKIN_DLL), deep + L"\\PLXE\\SkinH_EL.dll"));
    WriteBytes(settings, win32::Ansi("[皮肤颜色变化-色调]\r\n色调=-30\r\n"));
    {
        TestApp app(deep);
        EXPECT_TRUE(app.StartupMessages().empty());
        EXPECT_EQ(app.Text(标签存放路径), win32::Utf8(deep + L"\\Quillory-存储"));
    }
    EXPECT_TRUE(Exists(DayFile(deep)));
    EXPECT_NE(ReadBytes(settings).find(win32::Ansi("路径=" + win32::Utf8(deep) + "\\Quillory-存储")), std::string::npos);
    const std::string calls = ReadBytes(deep + L"\\PLXE\\skin_calls.log");
    EXPECT_NE(calls.find("SkinH_AdjustHSV(-30, 0, 0)"), std::string::npos) << calls;
    // The skin file by a name that leads to it, not one cut short.
    const std::size_t named = calls.find("SkinH_AttachEx(\"") + 16;
    const std::wstring skinFile = win32::Wide(calls.substr(named, calls.find('"', named) - named));
    wchar_t longName[1024] = L"";
    WriteBytes(deep + L"\\PLXE\\skinh.she", "");
    EXPECT_NE(GetLongPathNameW(skinFile.c_str(), longName, 1024), 0u) << calls;
    EXPECT_EQ(std::wstring(longName), deep + L"\\PLXE\\skinh.she");
}

TEST_F(DeepStart, TooDeepEvenForShortNamesTheWindowAndTheScriptedRunSayItAndUseTheDefaults) {
    const std::wstring deep = MakeFolderOfLength(place_.Path(), L'e', 8, 330);
    ASSERT_TRUE(MakeFolders(deep + L"\\PLXE"));
    const TestFolder listed;
    WriteBytes(listed / L"a.txt", "x");
    const std::vector<std::wstring> before = NamesIn(CurrentFolder());
    const std::string told = "程序所在文件夹的路径太深，无法读写设置文件：\n" + win32::Utf8(deep) +
                             "\\PLXE\\PLXE.ini\n本次运行使用默认设置，所作的选择也不会保存。";
    {
        TestApp app(deep);
        ASSERT_EQ(app.StartupMessages().size(), 1u);
        EXPECT_EQ(app.StartupMessages()[0].text, told);
        EXPECT_EQ(app.StartupMessages()[0].title, "Velkor工作室提醒您");
    }
    win32::Win32Services services(win32::Utf8(deep));
    ScriptedExtraction request;
    request.folder = win32::Utf8(listed.Path());
    const ScriptedOutcome run = RunScriptedExtraction(services, request);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.error, told);
    EXPECT_EQ(ReadBytes(DayFile(deep)), "\r\na.txt\r\n");
    EXPECT_FALSE(Exists(deep + L"\\PLXE\\PLXE.ini"));
    EXPECT_EQ(NamesIn(CurrentFolder()), before);
}

}  // namespace
}  // namespace quillory::testing

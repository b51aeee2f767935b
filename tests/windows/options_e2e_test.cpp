// The options menu in the real window: the name form in the day's file and in
// Ctrl+C, the list orders on files made in another order, hidden files, and
// the choices read back from the settings file by the next start.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/encoding.h"
#include "support/held_key.h"
#include "support/list_view_queries.h"
#include "support/test_app.h"

namespace quillory::testing {
namespace {

using win32::Utf8;
using win32::Wide;
using Names = std::vector<std::string>;

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Last written `hoursAgo` hours before now.
void MakeFile(const std::wstring& path, int hoursAgo) {
    WriteBytes(path, "x");
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart -= static_cast<ULONGLONG>(hoursAgo) * 36'000'000'000ULL;
    const FILETIME written{time.LowPart, time.HighPart};
    const HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
}

bool MenuMarked(HWND window, Command command) {
    return (GetMenuState(GetMenu(window), static_cast<UINT>(command), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

class OptionsEndToEnd : public ::testing::Test {
protected:
    OptionsEndToEnd() { CreateDirectoryW(files.c_str(), nullptr); }

    TestApp& Start() { return app.emplace(folder.Path()); }
    HWND List() const { return app->Control(ControlId::选择列表框文件列表); }
    Names Listed() const { return ShownNames(List()); }

    void Open() { Open(files); }
    void Open(const std::wstring& shown) { app->ShowFolder(shown); }

    // The block this extraction put in front of the day's file.
    std::string Extracted() {
        const std::string before = ReadBytes(folder.DayFile());
        MessageBoxAnswerer answerer;
        app->Click(ControlId::按钮提取文件名);
        answerer.Answered();
        const std::string after = ReadBytes(folder.DayFile());
        return after.substr(0, after.size() - before.size());
    }

    std::wstring Copied() {
        SetFocus(List());
        const HeldKey control(VK_CONTROL);
        app->PressKey('C');
        return ClipboardText();
    }

    ProgramFolder folder;
    TestFolder listed;
    std::wstring files = listed / L"选项";
    std::optional<TestApp> app;
};

TEST_F(OptionsEndToEnd, EachNameFormInTheDaysFileAndInCtrlCWhileTheListShowsBareNames) {
    MakeFile(files + L"\\报告.final.docx", 2);
    MakeFile(files + L"\\README", 1);
    Start();
    Open();
    app->Choose(Command::OrderTime);
    ASSERT_EQ(Listed(), (Names{"报告.final.docx", "README"}));
    const std::string path = Utf8(files) + "\\";
    const struct {
        Command command;
        std::string first, second;
    } forms[] = {
        {Command::NameFormStem, "报告.final", "README"},
        {Command::NameFormPath, path + "报告.final.docx", path + "README"},
        {Command::NameFormName, "报告.final.docx", "README"},
    };
    for (const auto& form : forms) {
        app->Choose(form.command);
        EXPECT_TRUE(MenuMarked(app->Window(), form.command));
        EXPECT_EQ(Listed(), (Names{"报告.final.docx", "README"}));
        // Reverse order, one empty line: the last listed name first.
        EXPECT_EQ(Extracted(), win32::Ansi("\r\n" + form.second + "\r\n\r\n" + form.first + "\r\n"));
        EXPECT_EQ(Copied(), Wide(form.first + "\r\n" + form.second));
    }
}

TEST_F(OptionsEndToEnd, NaturalAndTimeOrdersAndHiddenFilesSurviveARestart) {
    MakeFile(files + L"\\f10.txt", 1);
    MakeFile(files + L"\\f2.txt", 3);
    MakeFile(files + L"\\f1.txt", 2);
    MakeFile(files + L"\\隐藏.txt", 4);
    SetFileAttributesW((files + L"\\隐藏.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    Start();
    Open();
    EXPECT_TRUE(MenuMarked(app->Window(), Command::OrderFileSystem));
    EXPECT_EQ(Listed().size(), 3u);

    app->Choose(Command::OrderName);
    EXPECT_EQ(Listed(), (Names{"f1.txt", "f2.txt", "f10.txt"}));
    app->Choose(Command::OrderTime);
    EXPECT_EQ(Listed(), (Names{"f2.txt", "f1.txt", "f10.txt"}));
    app->Choose(Command::ShowHiddenFiles);
    EXPECT_EQ(Listed(), (Names{"隐藏.txt", "f2.txt", "f1.txt", "f10.txt"}));
    app->Click(ControlId::单选框正序);
    EXPECT_EQ(Extracted(), win32::Ansi("\r\n隐藏.txt\r\n\r\nf2.txt\r\n\r\nf1.txt\r\n\r\nf10.txt\r\n"));
    app->Choose(Command::NameFormStem);
    EXPECT_NE(ReadBytes(folder.SettingsFile())
                  .find(win32::Ansi("[选项]\r\n排列顺序=修改时间\r\n显示隐藏文件=1\r\n名称格式=不含扩展名\r\n")),
              std::string::npos);

    app.reset();
    Start();
    Open();
    EXPECT_EQ(Listed(), (Names{"隐藏.txt", "f2.txt", "f1.txt", "f10.txt"}));
    for (Command marked : {Command::NameFormStem, Command::OrderTime, Command::ShowHiddenFiles}) {
        EXPECT_TRUE(MenuMarked(app->Window(), marked));
    }
    for (Command unmarked : {Command::NameFormName, Command::OrderName, Command::OrderFileSystem}) {
        EXPECT_FALSE(MenuMarked(app->Window(), unmarked));
    }
}

TEST_F(OptionsEndToEnd, AFolderThatCannotBeListedIsToldAnEmptyOneIsNot) {
    Start();
    Open();
    MessageBoxAnswerer emptyFolder;
    app->Choose(Command::OrderName);
    EXPECT_TRUE(emptyFolder.Answered().empty());

    MakeFile(files + L"\\a.txt", 1);
    // Another program holds the folder open, sharing nothing, before it is
    // shown again: a shown folder is watched, so the program holds it too.
    Open(folder.StorageFolder());
    const HANDLE held = CreateFileW(files.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    MessageBoxAnswerer answerer;
    Open();
    const std::vector<ShownMessage> told = answerer.Answered();
    CloseHandle(held);
    EXPECT_TRUE(Listed().empty());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].title, kMessageBoxTitle);
    EXPECT_TRUE(told[0].hasWarningIcon);
    EXPECT_EQ(told[0].text.rfind("无法列出文件夹中的文件：\n" + Utf8(files) + "\n系统提示：", 0), 0u) << told[0].text;

    app->Choose(Command::OrderFileSystem);
    EXPECT_EQ(Listed(), Names{"a.txt"});
}

}  // namespace
}  // namespace quillory::testing

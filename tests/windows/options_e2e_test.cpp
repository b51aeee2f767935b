// The options menu in the real window: the name form in the day's file and in
// Ctrl+C, the list orders on files made in another order, hidden files, the
// subfolders of a tree, ticking by pattern, and the choices read back from the
// settings file by the next start.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/encoding.h"
#include "platform/win32/long_path.h"
#include "support/folder_link.h"
#include "support/held_key.h"
#include "support/list_view_queries.h"
#include "support/test_app.h"
#include "support/text_dialog_answerer.h"

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

void SetWriteTime(const std::wstring& path, const FILETIME& written) {
    const HANDLE file = CreateFileW(win32::ExtendedPath(Utf8(path)).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
}

// Last written `hoursAgo` hours before now; at any depth.
void MakeFile(const std::wstring& path, int hoursAgo) {
    WriteBytes(path, "x");
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart -= static_cast<ULONGLONG>(hoursAgo) * 36'000'000'000ULL;
    SetWriteTime(path, {time.LowPart, time.HighPart});
}

void MakeFolder(const std::wstring& path) { CreateDirectoryW(win32::ExtendedPath(Utf8(path)).c_str(), nullptr); }

// A folder part of each name, in list order, and the names themselves in
// order of their text: what the file system's order fixes of a tree.
std::pair<Names, Names> FolderPartsAndSortedNames(Names names) {
    Names parts;
    for (const std::string& name : names) {
        const std::size_t slash = name.find_last_of('\\');
        parts.push_back(slash == std::string::npos ? "" : name.substr(0, slash));
    }
    std::ranges::sort(names);
    return {parts, names};
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

TEST_F(OptionsEndToEnd, SubfoldersListATreeAsRelativePathsInEachOrderPastHiddenLockedAndLinkedFolders) {
    const std::wstring deep = files + L"\\子\\孙\\" + std::wstring(100, L'L') + L"\\" + std::wstring(100, L'M');
    for (const std::wstring& made : {files + L"\\子", files + L"\\子\\孙", files + L"\\.隐藏", files + L"\\locked",
                                     deep.substr(0, deep.size() - 101), deep}) {
        MakeFolder(made);
    }
    SetFileAttributesW((files + L"\\.隐藏").c_str(), FILE_ATTRIBUTE_HIDDEN);
    const std::pair<const wchar_t*, int> made[] = {{L"b.txt", 6},        {L"a.jpg", 2},          {L"子\\c.jpg", 5},
                                                   {L"子\\孙\\d.txt", 1}, {L"子\\孙\\e.jpg", 4}, {L".隐藏\\h.txt", 3},
                                                   {L"locked\\l.txt", 7}};
    for (const auto& [name, hoursAgo] : made) MakeFile(files + L"\\" + name, hoursAgo);
    MakeFile(deep + L"\\深.txt", 8);
    ASSERT_GT(deep.size() + 6, static_cast<std::size_t>(MAX_PATH));
    MakeFolder(listed / L"外面");
    MakeFile(listed / L"外面\\out.txt", 9);
    const FolderLink up(files + L"\\子\\回到上面", L"..");
    const FolderLink out(files + L"\\子\\外面", L"..\\..\\外面");
    ASSERT_TRUE(up.IsLink() && out.IsLink());
    const std::string deepName = "子\\孙\\" + std::string(100, 'L') + "\\" + std::string(100, 'M') + "\\深.txt";
    Start();
    Open();
    EXPECT_EQ(FolderPartsAndSortedNames(Listed()), FolderPartsAndSortedNames({"a.jpg", "b.txt"}));

    // Another program holds one subfolder, sharing nothing, while the tree is listed.
    const HANDLE held = CreateFileW((files + L"\\locked").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    MessageBoxAnswerer answerer;
    app->Choose(Command::IncludeSubfolders);
    const std::vector<ShownMessage> told = answerer.Answered();
    CloseHandle(held);
    EXPECT_TRUE(MenuMarked(app->Window(), Command::IncludeSubfolders));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].hasWarningIcon);
    EXPECT_EQ(told[0].text.rfind("有 1 个子文件夹无法读取，其中的文件未列出。第一个是：\n" + Utf8(files) + "\\locked\n系统提示：", 0),
              0u)
        << told[0].text;
    // A folder's own files before its subfolders', depth first; nothing through the links.
    EXPECT_EQ(FolderPartsAndSortedNames(Listed()),
              FolderPartsAndSortedNames({"a.jpg", "b.txt", "子\\c.jpg", "子\\孙\\d.txt", "子\\孙\\e.jpg", deepName}));

    app->Choose(Command::OrderName);
    EXPECT_EQ(Listed(),
              (Names{"a.jpg", "b.txt", "locked\\l.txt", "子\\c.jpg", "子\\孙\\d.txt", "子\\孙\\e.jpg", deepName}));
    app->Choose(Command::ShowHiddenFiles);
    app->Choose(Command::OrderTime);
    EXPECT_EQ(Listed(), (Names{deepName, "locked\\l.txt", "b.txt", "子\\c.jpg", "子\\孙\\e.jpg", ".隐藏\\h.txt", "a.jpg",
                               "子\\孙\\d.txt"}));
    // F5 lists the whole tree again, down to a file three levels below.
    MakeFolder(files + L"\\子\\孙\\曾孙");
    MakeFile(files + L"\\子\\孙\\曾孙\\新.txt", 0);
    SetFocus(List());
    app->PressKey(VK_F5);
    EXPECT_EQ(Listed().back(), "子\\孙\\曾孙\\新.txt");

    app.reset();
    Start();
    Open();
    EXPECT_TRUE(MenuMarked(app->Window(), Command::IncludeSubfolders));
    EXPECT_EQ(Listed().size(), 9u);
}

TEST_F(OptionsEndToEnd, EachNameFormOfRelativePathsAndTheDetailsFormInTheDaysFileAndInCtrlC) {
    MakeFolder(files + L"\\v1.2");
    MakeFolder(files + L"\\子");
    WriteBytes(files + L"\\v1.2\\README", "12345");
    WriteBytes(files + L"\\子\\报告.final.docx", std::string(1234, 'x'));
    // Written at a known local time, whatever the time zone.
    const SYSTEMTIME local{2024, 3, 2, 5, 6, 7, 8, 0};
    SYSTEMTIME universal{};
    FILETIME written{};
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal));
    ASSERT_TRUE(SystemTimeToFileTime(&universal, &written));
    SetWriteTime(files + L"\\v1.2\\README", written);
    SetWriteTime(files + L"\\子\\报告.final.docx", written);
    Start();
    Open();
    app->Choose(Command::IncludeSubfolders);
    app->Choose(Command::OrderName);
    ASSERT_EQ(Listed(), (Names{"v1.2\\README", "子\\报告.final.docx"}));
    const std::string path = Utf8(files) + "\\";
    const struct {
        Command command;
        std::string first, second;
    } forms[] = {
        {Command::NameFormName, "v1.2\\README", "子\\报告.final.docx"},
        {Command::NameFormStem, "v1.2\\README", "子\\报告.final"},
        {Command::NameFormPath, path + "v1.2\\README", path + "子\\报告.final.docx"},
        {Command::NameFormDetails, "v1.2\\README\t5\t2024-03-05 06:07:08", "子\\报告.final.docx\t1234\t2024-03-05 06:07:08"},
    };
    for (const auto& form : forms) {
        app->Choose(form.command);
        EXPECT_TRUE(MenuMarked(app->Window(), form.command));
        EXPECT_EQ(Extracted(), win32::Ansi("\r\n" + form.second + "\r\n\r\n" + form.first + "\r\n"));
        EXPECT_EQ(Copied(), Wide(form.first + "\r\n" + form.second));
    }
    // A file gone since it was listed keeps its tabs, with nothing between them.
    DeleteFileW((files + L"\\v1.2\\README").c_str());
    EXPECT_EQ(Copied(), Wide("v1.2\\README\t\t\r\n子\\报告.final.docx\t1234\t2024-03-05 06:07:08"));
    EXPECT_NE(ReadBytes(folder.SettingsFile()).find(win32::Ansi("名称格式=名称大小时间\r\n")), std::string::npos);
}

TEST_F(OptionsEndToEnd, TickingAndUntickingByAPatternTypedInTheDialogChangesOnlyTheMatchingNames) {
    MakeFolder(files + L"\\tmp");
    for (const wchar_t* name : {L"a.JPG", L"b.png", L"Жук.txt", L"tmp\\c.jpg"}) MakeFile(files + L"\\" + name, 1);
    Start();
    Open();
    app->Choose(Command::IncludeSubfolders);
    app->Choose(Command::OrderName);
    ASSERT_EQ(Listed(), (Names{"a.JPG", "b.png", "tmp\\c.jpg", "Жук.txt"}));
    const auto answer = [&](Command command, std::optional<std::string> typed) {
        TextDialogAnswerer dialog(std::move(typed));
        app->Choose(command);
        return dialog.Answered();
    };

    const std::optional<ShownTextDialog> untick = answer(Command::UntickByPattern, "*.jpg;tmp\\*");
    ASSERT_TRUE(untick.has_value());
    EXPECT_EQ(untick->title, "按模式取消勾选");
    EXPECT_EQ(untick->initial, "");
    EXPECT_NE(untick->label, "");
    EXPECT_EQ(untick->buttons, (std::vector<std::string>{"确定", "取消"}));
    EXPECT_EQ(untick->owner, app->Window());
    EXPECT_EQ(ShownTicks(List()), (std::vector<bool>{false, true, false, true}));

    const std::optional<ShownTextDialog> tick = answer(Command::TickByPattern, "tmp\\*");
    ASSERT_TRUE(tick.has_value());
    EXPECT_EQ(tick->title, "按模式勾选");
    EXPECT_EQ(tick->initial, "*.jpg;tmp\\*");
    EXPECT_EQ(ShownTicks(List()), (std::vector<bool>{false, true, true, true}));
    // Esc changes nothing; letters of any script match without regard to case.
    ASSERT_TRUE(answer(Command::UntickByPattern, std::nullopt).has_value());
    EXPECT_EQ(ShownTicks(List()), (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(answer(Command::UntickByPattern, "жук*")->initial, "tmp\\*");
    EXPECT_EQ(ShownTicks(List()), (std::vector<bool>{false, true, true, false}));
    // The table follows: what is extracted is what is ticked.
    app->Click(ControlId::单选框正序);
    EXPECT_EQ(Extracted(), win32::Ansi("\r\nb.png\r\n\r\ntmp\\c.jpg\r\n"));
    EXPECT_NE(ReadBytes(folder.SettingsFile()).find(win32::Ansi("勾选模式=жук*\r\n")), std::string::npos);

    MessageBoxAnswerer invalid;
    ASSERT_TRUE(answer(Command::TickByPattern, "*.png a|b").has_value());
    const std::vector<ShownMessage> told = invalid.Answered();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text.rfind("模式无效：a|b", 0), 0u);
    EXPECT_EQ(ShownTicks(List()), (std::vector<bool>{false, true, true, false}));

    // Beyond the edit box's own limit of 30,000 characters, the list is taken whole.
    std::string many;
    while (many.size() < 40000) many += "x*.none;";
    ASSERT_TRUE(answer(Command::TickByPattern, many + "жук*").has_value());
    EXPECT_EQ(ShownTicks(List()), (std::vector<bool>{false, true, true, true}));
}

// Notepad saves UTF-8 without a mark by default: read whole, and written in UTF-8.
TEST_F(OptionsEndToEnd, AUtf8SettingsFileWithoutAMarkIsReadAndKeepsItsEncoding) {
    const std::string settings = "[输出编码]\r\n编码=UTF-8\r\n[选项]\r\n名称格式=名称大小时间\r\n";
    WriteBytes(folder.SettingsFile(), settings);
    MakeFile(files + L"\\한.txt", 1);
    Start();
    EXPECT_TRUE(MenuMarked(app->Window(), Command::NameFormDetails));
    Open();
    Extracted();
    const std::string day = ReadBytes(folder.DayFile());
    EXPECT_EQ(day.rfind("\xEF\xBB\xBF\r\n한.txt\t1\t", 0), 0u) << day;

    app->Choose(Command::OrderName);
    const std::string bytes = ReadBytes(folder.SettingsFile());
    EXPECT_EQ(bytes.rfind(settings + "排列顺序=名称\r\n", 0), 0u) << bytes;
    EXPECT_NE(bytes.find("[存放路径]\r\n路径=" + Utf8(folder.StorageFolder()) + "\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find(win32::Ansi("存放路径")), std::string::npos) << bytes;
}

}  // namespace
}  // namespace quillory::testing

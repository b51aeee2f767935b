// The built program started with --extract as a process of its own, as a
// script starts it: exit codes, the day's file and what it prints, and never a
// window or a box (a box would hold the process until the wait runs out).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/scripted_extraction.h"
#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"
#include "support/program_process.h"
#include "support/test_app.h"
#include "support/host_command.h"

namespace quillory::testing {
namespace {

using win32::Utf8;

std::vector<std::string> FileSystemOrder(const std::wstring& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    const win32::FindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    for (bool found = bool(search); found; found = FindNextFileW(search.Get(), &entry)) {
        if (!(entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN))) {
            names.push_back(Utf8(entry.cFileName));
        }
    }
    return names;
}

std::string Block(std::vector<std::string> names, bool reverse, int blankLines) {
    if (reverse) std::ranges::reverse(names);
    std::string bytes;
    for (const std::string& name : names) {
        for (int line = 0; line < blankLines; ++line) bytes += "\r\n";
        bytes += win32::Ansi(name) + "\r\n";  // a day's file made as ANSI
    }
    return bytes;
}

class ScriptedExtractionEndToEnd : public ::testing::Test {
protected:
    ScriptedExtractionEndToEnd() {
        CreateDirectoryW(program.c_str(), nullptr);
        CreateDirectoryW((program + L"\\PLXE").c_str(), nullptr);
        EXPECT_TRUE(CopyFileW(WindowsPath(QUILLORY_EXE_PATH).c_str(), exe.c_str(), FALSE));
        CreateDirectoryW(names.c_str(), nullptr);
    }
    Finished Run(const std::wstring& arguments, bool redirected = true) {
        const Finished finished = RunProgram(exe, arguments, redirected);
        EXPECT_FALSE(finished.windowSeen) << Utf8(arguments);
        return finished;
    }
    std::wstring Quoted(const std::wstring& path) const { return L"\"" + path + L"\""; }

    TestFolder place;
    const std::wstring program = place / L"程序 folder";
    const std::wstring exe = program + L"\\Quillory.exe";
    const std::wstring dayFile = program + L"\\Quillory-存储\\" + TodayStem() + L".txt";
    const std::wstring names = place / L"名字";
};

TEST_F(ScriptedExtractionEndToEnd, WritesTheListedNamesInEitherOrderAndPrintsTheDaysFile) {
    for (const wchar_t* name : {L"一.txt", L"b c.txt", L"三"}) WriteBytes(names + L"\\" + name, "x");
    WriteBytes(names + L"\\hidden.txt", "x");
    SetFileAttributesW((names + L"\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryW((names + L"\\sub").c_str(), nullptr);
    const std::vector<std::string> listed = FileSystemOrder(names);
    ASSERT_EQ(listed.size(), 3u);

    const Finished reverse = Run(L"--extract " + Quoted(names));
    EXPECT_EQ(reverse.exitCode, 0u);
    EXPECT_EQ(reverse.output, AsPrinted(Utf8(dayFile) + "\r\n"));
    EXPECT_EQ(reverse.error, "");
    const std::string first = Block(listed, true, 1);
    EXPECT_EQ(ReadBytes(dayFile), first);

    EXPECT_EQ(Run(L"--forward --blank 2 --extract " + Quoted(names)).exitCode, 0u);
    const std::string second = Block(listed, false, 2) + first;
    EXPECT_EQ(ReadBytes(dayFile), second);

    EXPECT_EQ(Run(L"--extract " + Quoted(names + L"\\") + L" --blank -4").exitCode, 0u);
    EXPECT_EQ(ReadBytes(dayFile), Block(listed, true, 0) + second);
}

TEST_F(ScriptedExtractionEndToEnd, BadArgumentsExitWithTwoAndNothingWrittenWithOneSayingWhy) {
    WriteBytes(names + L"\\a.txt", "x");
    for (const std::wstring& arguments : {std::wstring(L"--extract"), L"--extract " + Quoted(names) + L" --blank x",
                                          L"--extract " + Quoted(names + L"\\a.txt")}) {
        const Finished bad = Run(arguments);
        EXPECT_EQ(bad.exitCode, 2u) << Utf8(arguments);
        EXPECT_NE(bad.error.find(AsPrinted("用法：Quillory.exe --extract")), std::string::npos) << Utf8(arguments);
    }
    EXPECT_FALSE(Exists(program + L"\\Quillory-存储"));

    // Mistyped, never a window that waits: each named with what was meant.
    const std::pair<std::wstring, std::string> mistyped[] = {
        {L"-extract " + Quoted(names), "未知的选项：-extract（应为 --extract）"},
        {L"/Extract " + Quoted(names), "未知的选项：/Extract（应为 --extract）"},
        {L"—extract " + Quoted(names), "未知的选项：—extract（应为 --extract）"},
        {L"--extract \"\"\"", "文件夹参数为空"},
        {L"--extract " + Quoted(names) + L" --include --recurse", "--include 后须跟文件名模式"},
        {L"--extract " + Quoted(names) + L" --exclude \";;\"", "--exclude 后须跟文件名模式"},
        {L"/x " + Quoted(names), "未知的选项：/x"},
    };
    for (const auto& [arguments, told] : mistyped) {
        const Finished bad = Run(arguments);
        EXPECT_EQ(bad.exitCode, 2u) << Utf8(arguments);
        EXPECT_EQ(bad.error.rfind(AsPrinted(told), 0), 0u) << bad.error;
    }
    EXPECT_FALSE(Exists(program + L"\\Quillory-存储"));

    DeleteFileW((names + L"\\a.txt").c_str());
    const Finished empty = Run(L"--extract " + Quoted(names));
    EXPECT_EQ(empty.exitCode, 1u);
    EXPECT_EQ(empty.output, "");
    EXPECT_EQ(empty.error, AsPrinted("所选待提取名称为空！\r\n" + Utf8(names) + "\r\n"));
    EXPECT_EQ(ReadBytes(dayFile), "");  // made ready as a start makes it

    WriteBytes(names + L"\\a.txt", "x");
    SetFileAttributesW(dayFile.c_str(), FILE_ATTRIBUTE_READONLY);
    const Finished readOnly = Run(L"--extract " + Quoted(names));
    EXPECT_EQ(readOnly.exitCode, 1u);
    EXPECT_NE(readOnly.error.find(AsPrinted("只读")), std::string::npos);
    SetFileAttributesW(dayFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(dayFile), "");
}

TEST_F(ScriptedExtractionEndToEnd, RecurseIncludeAndExcludeWriteTheTreesPickedNamesAsRelativePaths) {
    for (const wchar_t* folder : {L"\\tmp", L"\\照片", L"\\照片\\tmp"}) CreateDirectoryW((names + folder).c_str(), nullptr);
    for (const wchar_t* name : {L"a.jpg", L"b.png", L"tmp\\c.jpg", L"照片\\d.JPG", L"照片\\tmp\\e.jpg"}) {
        WriteBytes(names + L"\\" + name, "12345");
    }
    const Finished picked = Run(L"--extract " + Quoted(names) +
                                L" --recurse --include \"*.jpg\" --exclude \"tmp\\*\" --sort name --forward --blank 0");
    EXPECT_EQ(picked.exitCode, 0u);
    EXPECT_EQ(picked.error, "");
    EXPECT_EQ(ReadBytes(dayFile), win32::Ansi("a.jpg\r\n照片\\d.JPG\r\n照片\\tmp\\e.jpg\r\n"));

    // Details: tab-separated size and local time, 19 characters.
    EXPECT_EQ(Run(L"--extract " + Quoted(names) + L" --include b.png --name details --blank 0").exitCode, 0u);
    const std::string line = ReadBytes(dayFile).substr(0, ReadBytes(dayFile).find("\r\n"));
    EXPECT_EQ(line.substr(0, 8), "b.png\t5\t");
    EXPECT_EQ(line.size(), 8u + 19u) << line;
    EXPECT_EQ(line.substr(8, 10), Utf8(TodayStem()));  // written just now

    const Finished bad = Run(L"--extract " + Quoted(names) + L" --include \"a<b\"");
    EXPECT_EQ(bad.exitCode, 2u);
    EXPECT_EQ(bad.error.rfind(AsPrinted("模式无效：a<b"), 0), 0u) << bad.error;
}

TEST_F(ScriptedExtractionEndToEnd, AFileNamedZeroIsWrittenInEitherOrderAndAbove200TheErrorOutputTellsIt) {
    for (const wchar_t* name : {L"0", L"a.txt", L"b.txt"}) WriteBytes(names + L"\\" + name, "x");
    const Finished byName = Run(L"--extract " + Quoted(names) + L" --sort name --forward --blank 0");
    EXPECT_EQ(byName.exitCode, 0u);
    EXPECT_EQ(ReadBytes(dayFile), "0\r\na.txt\r\nb.txt\r\n");
    EXPECT_EQ(Run(L"--extract " + Quoted(names) + L" --sort fs").exitCode, 0u);
    EXPECT_EQ(ReadBytes(dayFile), Block(FileSystemOrder(names), true, 1) + "0\r\na.txt\r\nb.txt\r\n");

    for (int i = 0; i < 250; ++i) WriteBytes(names + L"\\f" + std::to_wstring(1000 + i), "x");
    WriteBytes(dayFile, "");
    const Finished many = Run(L"--extract " + Quoted(names) + L" --sort name --forward --blank 0");
    EXPECT_EQ(many.exitCode, 0u);
    EXPECT_EQ(many.error, AsPrinted("共勾选了 253 个名称，每次最多提取 200 个：已写入列表中前 200 个勾选的名称，按所选顺序排列。\r\n"));
    const std::string written = ReadBytes(dayFile);
    EXPECT_EQ(written.substr(0, 8), "0\r\na.txt");
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 200);
}

// cmd keeps the quotes in the line it starts, and the backslash before the
// folder's closing quote would escape it by the system's rules.
TEST_F(ScriptedExtractionEndToEnd, ThroughCmdAFolderEndingInABackslashKeepsTheQuotedPatternsWhole) {
    for (const wchar_t* name : {L"a.a", L"b.b", L"c.c"}) WriteBytes(names + L"\\" + name, "x");
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const Finished run = RunProgram(std::wstring(system) + L"\\cmd.exe",
                                    L"/c \"\"" + exe + L"\" --extract \"" + names +
                                        L"\\\" --include \"*.a *.b\" --sort name --forward\"");
    EXPECT_EQ(run.exitCode, 0u) << run.error;
    EXPECT_EQ(ReadBytes(dayFile), "\r\na.a\r\n\r\nb.b\r\n");
}

// What the console shows after a run started from it without redirection.
std::wstring ConsoleText() {
    const HANDLE screen = GetStdHandle(STD_OUTPUT_HANDLE);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(screen, &info)) return {};
    std::wstring text(static_cast<std::size_t>(info.dwSize.X) * (info.dwCursorPosition.Y + 1), L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen, text.data(), static_cast<DWORD>(text.size()), {0, 0}, &read);
    text.resize(read);
    return text;
}

TEST_F(ScriptedExtractionEndToEnd, StartedFromAConsoleItPrintsThereInFull) {
    WriteBytes(names + L"\\a.txt", "x");
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    const Finished written = Run(L"--extract " + Quoted(names), false);
    const Finished bad = Run(L"--extract " + Quoted(place / L"不存在 한"), false);
    const std::wstring shown = ConsoleText();
    FreeConsole();
    EXPECT_EQ(written.exitCode, 0u);
    EXPECT_EQ(bad.exitCode, 2u);
    EXPECT_NE(shown.find(dayFile), std::wstring::npos) << Utf8(shown);
    // Korean has no place in the Chinese code page: the console shows it all the same.
    EXPECT_NE(shown.find(L"不是文件夹：" + place / L"不存在 한"), std::wstring::npos) << Utf8(shown);
}

// --list prints what --extract would write and makes nothing: into a pipe
// and, through cmd, into a file in the console's code page with "?" for what
// it lacks, counted on the error output; with --utf8 every name whole; in a
// console whole as well.
TEST_F(ScriptedExtractionEndToEnd, ListPrintsTheNamesInAPipeAFileAndAConsoleAndTouchesNothing) {
    for (const wchar_t* name : {L"一.txt", L"한.txt", L"a.txt"}) WriteBytes(names + L"\\" + name, "x");
    const std::vector<std::string> listed = FileSystemOrder(names);
    std::string printed, utf8;
    for (auto name = listed.rbegin(); name != listed.rend(); ++name) {
        printed += "\r\n" + (*name == "한.txt" ? std::string("?.txt") : AsPrinted(*name)) + "\r\n";
        utf8 += "\r\n" + *name + "\r\n";
    }
    const std::string lostNote = AsPrinted(ListedLostCharactersNote(1) + "\r\n");

    const Finished piped = Run(L"--list " + Quoted(names));
    EXPECT_EQ(piped.exitCode, 0u);
    EXPECT_EQ(piped.output, printed);
    EXPECT_EQ(piped.error, lostNote);
    const Finished whole = Run(L"--utf8 --list " + Quoted(names));
    EXPECT_EQ(whole.output, utf8);
    EXPECT_EQ(whole.error, "");

    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring file = place / L"名单.txt";
    const Finished redirected = RunProgram(std::wstring(system) + L"\\cmd.exe",
                                           L"/c \"\"" + exe + L"\" --list " + Quoted(names) + L" > " + Quoted(file) + L"\"");
    EXPECT_EQ(redirected.exitCode, 0u) << redirected.error;
    EXPECT_EQ(ReadBytes(file), printed);
    EXPECT_EQ(redirected.error, lostNote);

    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    const Finished shown = Run(L"--list " + Quoted(names), false);
    const std::wstring console = ConsoleText();
    FreeConsole();
    EXPECT_EQ(shown.exitCode, 0u);
    EXPECT_NE(console.find(L"한.txt"), std::wstring::npos) << Utf8(console);

    EXPECT_EQ(Run(L"--list " + Quoted(place / L"不存在")).exitCode, 2u);
    DeleteFileW(file.c_str());
    for (const std::string& name : listed) DeleteFileW((names + L"\\" + win32::Wide(name)).c_str());
    EXPECT_EQ(Run(L"--list " + Quoted(names)).exitCode, 1u);
    EXPECT_FALSE(Exists(program + L"\\Quillory-存储"));
    EXPECT_FALSE(Exists(program + L"\\PLXE\\PLXE.ini"));
}

// Only the \\?\ form reaches a folder whose name ends in a dot; it is taken
// as it stands. Without the prefix the system's rules drop the dot.
TEST_F(ScriptedExtractionEndToEnd, AnExtendedPathIsTakenAsItStandsTrailingDotAndAll) {
    const std::wstring dotted = L"\\\\?\\" + names + L"\\f3.";
    ASSERT_TRUE(CreateDirectoryW(dotted.c_str(), nullptr));
    WriteBytes(dotted + L"\\in-dotted.txt", "x");
    ASSERT_TRUE(MakeFolders(names + L"\\f3"));
    WriteBytes(names + L"\\f3\\in-sibling.txt", "x");

    const Finished asGiven = Run(L"--extract " + Quoted(dotted) + L" --name path");
    EXPECT_EQ(asGiven.exitCode, 0u) << asGiven.error;
    const std::string first = Block({Utf8(dotted) + "\\in-dotted.txt"}, true, 1);
    EXPECT_EQ(ReadBytes(dayFile), first);
    EXPECT_EQ(Run(L"--extract " + Quoted(names + L"\\f3.")).exitCode, 0u);
    EXPECT_EQ(ReadBytes(dayFile), Block({"in-sibling.txt"}, true, 1) + first);
}

// Windows refuses a line feed in a name; the file systems of other systems,
// reached through a share, allow it. Under Wine a program of the host makes
// such a file, and Wine lists it with its line feed. False where that cannot be done.
bool MakeFileOnTheHost(const std::wstring& folder, const std::string& name) {
    const std::wstring unixFolder = UnixPathOf(folder);
    if (unixFolder.empty()) return false;
    const std::wstring path = unixFolder + L"/" + win32::Wide(name);
    if (!StartUnixCommand(L"Z:\\bin\\sh", L"/bin/sh -c \"printf x > \\\"$0\\\"\" \"" + path + L"\"")) return false;
    // The folder's listing is waited for: a Windows path cannot hold the name.
    for (int look = 0; look < 500; ++look) {
        if (!FileSystemOrder(folder).empty()) return FileSystemOrder(folder).size() == 1;
        Sleep(20);
    }
    return false;
}

TEST_F(ScriptedExtractionEndToEnd, ANameWithALineFeedStaysOnItsLineWithAQuestionMarkAndIsCounted) {
    if (!MakeFileOnTheHost(names, "a\nb.txt")) GTEST_SKIP() << "no way to make such a name here";
    ASSERT_EQ(FileSystemOrder(names), std::vector<std::string>{"a\nb.txt"});
    const Finished run = Run(L"--extract " + Quoted(names));
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(ReadBytes(dayFile), "\r\na?b.txt\r\n");
    EXPECT_NE(run.error.find(AsPrinted("有 1 个名称")), std::string::npos) << run.error;
}

// Looked up by the name the system listed, not by the "?" the line shows.
TEST_F(ScriptedExtractionEndToEnd, TheDetailsOfANameWithATabAreThoseOfItsFile) {
    if (!MakeFileOnTheHost(names, "a\tb.txt")) GTEST_SKIP() << "no way to make such a name here";
    const Finished run = Run(L"--extract " + Quoted(names) + L" --name details --blank 0");
    EXPECT_EQ(run.exitCode, 0u);
    const std::string line = ReadBytes(dayFile);
    EXPECT_EQ(line.substr(0, 10), "a?b.txt\t1\t") << line;
    EXPECT_EQ(line.size(), 10u + 19u + 2u) << line;
    EXPECT_EQ(run.error.find(AsPrinted("未能取得大小")), std::string::npos) << run.error;
}

}  // namespace
}  // namespace quillory::testing

// The built program started with --extract as a process of its own, as a
// script starts it: exit codes, the day's file and what it prints, and never a
// window or a box (a box would hold the process until the wait runs out).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"
#include "support/test_app.h"
#include "support/window_queries.h"

namespace quillory::testing {
namespace {

using win32::FileHandle;
using win32::Utf8;

std::wstring WindowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:" + win32::Wide(unixPath);
    std::ranges::replace(path, L'/', L'\\');
    return path;
}

// The code page in which the program writes to a redirected handle: the
// console's, which it shares with this process, or the ANSI one without.
std::string AsPrinted(const std::string& utf8) {
    const UINT console = GetConsoleOutputCP();
    return win32::InCodePage(utf8, console ? console : CP_ACP);
}

std::string ReadAll(HANDLE pipe) {
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

struct Pipe {
    Pipe() {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        HANDLE readEnd = nullptr, writeEnd = nullptr;
        CreatePipe(&readEnd, &writeEnd, &inherited, 1 << 16);
        SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        read.Reset(readEnd);
        write.Reset(writeEnd);
    }
    FileHandle read, write;
};

struct Finished {
    DWORD exitCode = 259;
    std::string output;  // bytes as printed
    std::string error;
    bool windowSeen = false;
};

bool IsShown(HWND window) { return IsWindowVisible(window) != FALSE; }

// Runs the program to its end, its standard output and error redirected to
// pipes, or left to the console this process has.
Finished RunProgram(const std::wstring& exe, const std::wstring& arguments, bool redirected = true) {
    Pipe output, error;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (redirected) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output.write.Get();
        startup.hStdError = error.write.Get();
    }
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    Finished finished;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, redirected, 0, nullptr, nullptr, &startup,
                        &process)) {
        ADD_FAILURE() << "cannot start the program, error " << GetLastError();
        return finished;
    }
    output.write.Reset();
    error.write.Reset();
    bool ended = false;
    for (int round = 0; round < 1000 && !ended; ++round) {
        finished.windowSeen = finished.windowSeen || FindThreadWindow(process.dwThreadId, IsShown) != nullptr;
        ended = WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0;
    }
    if (!ended) TerminateProcess(process.hProcess, 3);
    EXPECT_TRUE(ended) << "still running after 20 s: a window or a box holds it";
    GetExitCodeProcess(process.hProcess, &finished.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    finished.output = ReadAll(output.read.Get());
    finished.error = ReadAll(error.read.Get());
    return finished;
}

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

}  // namespace
}  // namespace quillory::testing

#include "support/program_process.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/encoding.h"
#include "support/test_folder.h"
#include "support/window_queries.h"
#include "process_start.h"

namespace quillory::testing {

namespace {

using win32::FileHandle;

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

bool IsShown(HWND window) { return IsWindowVisible(window) != FALSE; }

}  // namespace

std::wstring WindowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:" + win32::Wide(unixPath);
    std::ranges::replace(path, L'/', L'\\');
    return path;
}

bool CopyShippedProgram(const std::string& distFolder, const std::wstring& programFolder) {
    const std::wstring dist = WindowsPath(distFolder);
    if (!MakeFolders(programFolder + L"\\PLXE")) return false;
    for (const wchar_t* file : {L"\\Quillory.exe", L"\\PLXE\\SkinH_EL.dll", L"\\PLXE\\skinh.she"}) {
        if (!CopyFileW((dist + file).c_str(), (programFolder + file).c_str(), FALSE)) return false;
    }
    return true;
}

std::string AsPrinted(const std::string& utf8) {
    const UINT console = GetConsoleOutputCP();
    return win32::InCodePage(utf8, console ? console : CP_ACP);
}

StartedProgram::StartedProgram(const std::wstring& exe, const std::wstring& arguments, bool redirected) {
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
    if (!StartProcess(exe.c_str(), commandLine.data(), redirected, 0, nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start the program, error " << GetLastError();
        return;
    }
    CloseHandle(process.hThread);
    process_.Reset(process.hProcess);
    thread_ = process.dwThreadId;
    outputRead_ = std::move(output.read);
    errorRead_ = std::move(error.read);
}

StartedProgram::~StartedProgram() {
    if (process_ && !Ended()) TerminateProcess(process_.Get(), 3);
}

HWND StartedProgram::AwaitWindow() const {
    for (int round = 0; round < 1000 && process_ && !Ended(); ++round) {
        if (const HWND window = FindThreadWindow(thread_, IsShown)) return window;
        Sleep(20);
    }
    return nullptr;
}

Finished StartedProgram::Finish() {
    Finished finished;
    if (!process_) return finished;
    bool ended = false;
    for (int round = 0; round < 1000 && !ended; ++round) {
        finished.windowSeen = finished.windowSeen || FindThreadWindow(thread_, IsShown) != nullptr;
        ended = WaitForSingleObject(process_.Get(), 20) == WAIT_OBJECT_0;
    }
    if (!ended) TerminateProcess(process_.Get(), 3);
    EXPECT_TRUE(ended) << "still running after 20 s: a window or a box holds it";
    GetExitCodeProcess(process_.Get(), &finished.exitCode);
    finished.output = ReadAll(outputRead_.Get());
    finished.error = ReadAll(errorRead_.Get());
    return finished;
}

bool WindowGoes(HWND window) {
    for (int round = 0; round < 1000 && IsWindow(window); ++round) Sleep(5);
    return !IsWindow(window);
}

Finished RunProgram(const std::wstring& exe, const std::wstring& arguments, bool redirected) {
    return StartedProgram(exe, arguments, redirected).Finish();
}

}  // namespace quillory::testing

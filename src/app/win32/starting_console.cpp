#include "app/win32/starting_console.h"

#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"

namespace quillory::win32 {

namespace {

std::string WithWindowsLineEnds(const std::string& text) {
    std::string lines;
    for (const char c : text) {
        if (c == '\n') lines += '\r';
        lines += c;
    }
    return lines + "\r\n";
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != FALSE;
}

// A handle the starter passed on; a stale or missing one has no type.
bool IsFileOrPipe(HANDLE handle) {
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// WriteConsoleW, so that the console shows every character, whatever its code page.
void WriteToConsole(HANDLE console, const std::string& text) {
    const std::wstring wide = Wide(text);
    DWORD written = 0;
    WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

void WriteBytes(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

StartingConsole::StartingConsole() : attached_(AttachConsole(ATTACH_PARENT_PROCESS) != FALSE) {}

StartingConsole::~StartingConsole() {
    if (attached_) FreeConsole();
}

bool StartingConsole::Reaches(DWORD standardHandle) const {
    const HANDLE handle = GetStdHandle(standardHandle);
    return attached_ || IsConsole(handle) || IsFileOrPipe(handle);
}

void StartingConsole::Print(DWORD standardHandle, const std::string& text) const {
    if (text.empty()) return;
    const std::string lines = WithWindowsLineEnds(text);
    const HANDLE handle = GetStdHandle(standardHandle);
    if (IsConsole(handle)) return WriteToConsole(handle, lines);
    if (IsFileOrPipe(handle)) {
        const UINT consoleCodePage = attached_ ? GetConsoleOutputCP() : 0;
        return WriteBytes(handle, InCodePage(lines, consoleCodePage ? consoleCodePage : CP_ACP));
    }
    if (!attached_) return;
    const FileHandle console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
    if (console) WriteToConsole(console.Get(), lines);
}

}  // namespace quillory::win32

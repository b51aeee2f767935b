#include "app/win32/starting_console.h"

#include "platform/text.h"
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

// The code page of what goes into a file or pipe.
UINT OutputCodePage(bool attached) {
    const UINT console = attached ? GetConsoleOutputCP() : 0;
    return console ? console : CP_ACP;
}

// The line in the code page, "?" for each character it lacks (no look-alike
// in its place); true in `lost` when there was one.
std::string InCodePageNoting(const std::wstring& line, UINT codePage, bool& lost) {
    BOOL usedDefault = FALSE;
    const bool noting = codePage != CP_UTF8;
    const int size = static_cast<int>(line.size());
    DWORD flags = noting ? WC_NO_BEST_FIT_CHARS : 0;
    int length = WideCharToMultiByte(codePage, flags, line.data(), size, nullptr, 0, nullptr, nullptr);
    // Some code pages take no flags.
    if (length == 0 && GetLastError() == ERROR_INVALID_FLAGS) {
        flags = 0;
        length = WideCharToMultiByte(codePage, flags, line.data(), size, nullptr, 0, nullptr, nullptr);
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, line.data(), size, bytes.data(), length, nullptr,
                        noting ? &usedDefault : nullptr);
    lost = usedDefault != FALSE;
    return bytes;
}

// Large writes in pieces: a console takes only so much at once.
constexpr std::size_t kPieceSize = 16 * 1024;

}  // namespace

int StartingConsole::PrintNames(const LineBlock& names, bool utf8) const {
    HANDLE target = GetStdHandle(STD_OUTPUT_HANDLE);
    FileHandle console;
    if (!IsConsole(target) && !IsFileOrPipe(target)) {
        if (!attached_) return 0;
        console.Reset(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
        if (!console) return 0;
        target = console.Get();
    }
    const bool toConsole = IsConsole(target);
    const UINT codePage = utf8 ? CP_UTF8 : OutputCodePage(attached_);
    std::wstring wide;
    std::string bytes;
    int lostNames = 0;
    const auto flush = [&] {
        if (toConsole) {
            DWORD written = 0;
            WriteConsoleW(target, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        } else {
            WriteBytes(target, bytes);
        }
        wide.clear();
        bytes.clear();
    };
    for (std::size_t i = 0; i < names.names.size(); ++i) {
        for (std::int32_t blank = 0; blank < names.blankLinesBefore; ++blank) {
            wide += L"\r\n";
            bytes += "\r\n";
        }
        const std::wstring line = Wide(OnOneLine(names.names[i]) + std::string(names.ColumnsOf(i)));
        bool lost = HasControlCharacters(names.names[i]);
        if (toConsole) {
            wide += line + L"\r\n";
        } else {
            bool lostHere = false;
            bytes += InCodePageNoting(line, codePage, lostHere) + "\r\n";
            lost = lost || lostHere;
        }
        lostNames += lost ? 1 : 0;
        if (wide.size() + bytes.size() >= kPieceSize) flush();
    }
    flush();
    return lostNames;
}

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

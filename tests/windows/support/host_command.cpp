#include "support/host_command.h"

#include <windows.h>

#include "platform/win32/encoding.h"
#include "process_start.h"

namespace quillory::testing {

std::wstring UnixPathOf(const std::wstring& path) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* const name = unixName ? unixName(path.c_str()) : nullptr;
    if (!name) return {};
    std::wstring wide = win32::Wide(name);
    HeapFree(GetProcessHeap(), 0, name);
    return wide;
}

bool StartUnixCommand(const wchar_t* program, std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!StartProcess(program, commandLine.data(), FALSE, 0, nullptr, &startup, &process)) return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool AwaitPresence(const std::wstring& path, bool present) {
    for (int poll = 0; poll < 500; ++poll) {
        if ((GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) == present) return true;
        Sleep(20);
    }
    return false;
}

}  // namespace quillory::testing

#include "support/folder_link.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/encoding.h"
#include "process_start.h"

namespace quillory::testing {

namespace {

// A Unix command run by its program's path; Wine cannot wait for it, so the
// caller waits for what it does.
bool StartUnixCommand(const wchar_t* program, std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!StartProcess(program, commandLine.data(), FALSE, 0, nullptr, &startup, &process)) {
        return false;
    }
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

std::wstring UnixPathOf(const std::wstring& path) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName =
        reinterpret_cast<UnixName>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name"));
    char* const name = unixName ? unixName(path.c_str()) : nullptr;
    if (!name) return {};
    std::wstring wide = win32::Wide(name);
    HeapFree(GetProcessHeap(), 0, name);
    return wide;
}

}  // namespace

FolderLink::FolderLink(std::wstring link, const std::wstring& relativeTarget) : link_(std::move(link)) {
    if (CreateSymbolicLinkW(link_.c_str(), relativeTarget.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) && IsLink()) return;
    unixLink_ = UnixPathOf(link_);
    if (unixLink_.empty()) return;
    std::wstring unixTarget = relativeTarget;
    std::ranges::replace(unixTarget, L'\\', L'/');
    if (StartUnixCommand(L"Z:\\bin\\ln", L"ln -s \"" + unixTarget + L"\" \"" + unixLink_ + L"\"")) {
        AwaitPresence(link_, true);
    }
}

FolderLink::~FolderLink() {
    if (unixLink_.empty()) {
        RemoveDirectoryW(link_.c_str());
    } else if (StartUnixCommand(L"Z:\\bin\\rm", L"rm \"" + unixLink_ + L"\"")) {
        AwaitPresence(link_, false);
    }
}

bool FolderLink::IsLink() const {
    const DWORD attributes = GetFileAttributesW(link_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace quillory::testing

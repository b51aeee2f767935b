#include "browse/win32/subfolders.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>

#include "platform/text.h"
#include "platform/win32/handles.h"
#include "platform/win32/long_path.h"

namespace quillory::win32 {

namespace {

// A 32-bit program on 64-bit Windows would otherwise be shown SysWOW64 when
// it asks for System32.
class RedirectionOff {
public:
    RedirectionOff() : off_(Wow64DisableWow64FsRedirection(&previous_)) {}
    ~RedirectionOff() {
        if (off_) Wow64RevertWow64FsRedirection(previous_);
    }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

private:
    PVOID previous_ = nullptr;
    BOOL off_;
};

// Folders marked system stay: the file manager shows them (customised folders
// carry that mark); hidden ones, system or not, it hides.
bool IsVisibleSubfolder(const WIN32_FIND_DATAW& entry) {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) return false;
    const std::wstring_view name = entry.cFileName;
    return name != L"." && name != L"..";
}

}  // namespace

std::vector<std::wstring> VisibleSubfolders(const std::string& folder) {
    std::vector<std::wstring> names;
    if (folder.empty()) return names;
    const std::wstring pattern = ExtendedPattern(JoinPath(folder, "*"));
    {
        const RedirectionOff redirectionOff;
        WIN32_FIND_DATAW entry;
        const FindHandle search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                                 FindExSearchLimitToDirectories, nullptr,
                                                 FIND_FIRST_EX_LARGE_FETCH));
        if (!search) return names;
        do {
            if (IsVisibleSubfolder(entry)) names.emplace_back(entry.cFileName);
        } while (FindNextFileW(search.Get(), &entry));
    }
    std::sort(names.begin(), names.end(), [](const std::wstring& left, const std::wstring& right) {
        return StrCmpLogicalW(left.c_str(), right.c_str()) < 0;
    });
    return names;
}

}  // namespace quillory::win32

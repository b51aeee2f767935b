#include "browse/win32/subfolders.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>

#include "platform/text.h"
#include "platform/win32/folder_listing.h"
#include "platform/win32/handles.h"
#include "platform/win32/long_path.h"

namespace quillory::win32 {

namespace {

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
        WIN32_FIND_DATAW entry;
        const FindHandle search = OpenFolderListing(pattern, entry, FindExSearchLimitToDirectories);
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

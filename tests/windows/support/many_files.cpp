#include "support/many_files.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"

namespace quillory::testing {

std::wstring FolderForMaking(const std::wstring& folder) {
    using UnixFileName = char*(CDECL*)(LPCWSTR);
    const auto unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unixPath = unixFileName ? unixFileName(folder.c_str()) : nullptr;
    if (!unixPath) return folder;
    std::wstring path = L"\\\\?\\unix" + win32::Wide(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

bool MakeEmptyFiles(const std::wstring& folder, int count, const std::function<std::wstring(int)>& nameOf) {
    const std::wstring making = FolderForMaking(folder);
    for (int index = 0; index < count; ++index) {
        const win32::FileHandle file(CreateFileW((making + L"\\" + nameOf(index)).c_str(), GENERIC_WRITE, 0, nullptr,
                                                 CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
    }
    return true;
}

}  // namespace quillory::testing

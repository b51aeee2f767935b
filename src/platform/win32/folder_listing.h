#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "platform/services.h"
#include "platform/win32/handles.h"

namespace quillory::win32 {

// Starts a folder listing (FindFirstFileExW, basic information, large
// fetch) with the 32-bit program's file-system redirection off, so the folder
// listed is the folder the user named. Null when nothing can be listed.
FindHandle OpenFolderListing(const std::wstring& pattern, WIN32_FIND_DATAW& first);

// Every entry of the folder, opened as OpenFolderListing opens it,
// described, until `visit` answers false: a buffer of them at each call to
// the system, each folder with the file index that names it, so a walk
// tells a folder reached twice without opening it again. The error that
// ended the reading: ERROR_NO_MORE_FILES at the end, ERROR_SUCCESS when
// `visit` ended it, the open's when the folder cannot be read.
DWORD ReadFolder(const std::wstring& folder, const std::function<bool(const FoundEntry&)>& visit);

// A folder's identity, as FolderIdentity and the listing tell it; empty
// where the file system gives no index.
std::string FolderIdentityText(std::uint64_t fileIndex);

// The entry as the listing services tell it; `entry` is reused, so a
// listing allocates nothing per name.
void Describe(const WIN32_FIND_DATAW& data, FoundEntry& entry);

}  // namespace quillory::win32

#pragma once
#include <windows.h>

#include <string>

#include "platform/services.h"
#include "platform/win32/handles.h"

namespace quillory::win32 {

// Starts a folder listing (FindFirstFileExW, basic information, large
// fetch) with the 32-bit program's file-system redirection off, so the folder
// listed is the folder the user named. Null when nothing can be listed.
FindHandle OpenFolderListing(const std::wstring& pattern, WIN32_FIND_DATAW& first);

// The entry as the listing services tell it; `entry` is reused, so a
// listing allocates nothing per name.
void Describe(const WIN32_FIND_DATAW& data, FoundEntry& entry);

}  // namespace quillory::win32

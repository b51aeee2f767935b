#pragma once
#include <string>
#include <vector>

namespace quillory::win32 {

// The subfolders that the file manager shows in a folder by default, in its
// order; none when the folder is missing or cannot be read.
std::vector<std::wstring> VisibleSubfolders(const std::string& folder);

}  // namespace quillory::win32

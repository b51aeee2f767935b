#pragma once
// Paths in the form the W functions take beyond MAX_PATH characters.
#include <string>
#include <string_view>

namespace quillory::win32 {

// The full path behind the \\?\ (or \\?\UNC\) prefix. The prefix switches off
// the system's own clean-up of the path, so it is done first here: "." and
// "..", forward slashes and doubled backslashes.
std::wstring ExtendedPath(std::string_view utf8);

// A search pattern: the folder part extended, the last component ("*.*")
// kept exactly as given.
std::wstring ExtendedPattern(std::string_view utf8);

// The path as the user knows it: without the \\?\ or \\?\UNC\ prefix.
std::wstring WithoutExtendedPrefix(std::wstring_view path);

// The path up to and including its last backslash.
std::wstring FolderPart(std::wstring_view path);

}  // namespace quillory::win32

#pragma once
// Paths in the form the W functions take beyond MAX_PATH characters.
#include <string>
#include <string_view>

namespace quillory::win32 {

// The full path behind the \\?\ (or \\?\UNC\) prefix. The prefix switches off
// the system's own clean-up of the path, so it is done first here: "." and
// "..", forward slashes and doubled backslashes.
std::wstring ExtendedPath(std::string_view utf8);

// The path as the user knows it: without the \\?\ or \\?\UNC\ prefix.
std::wstring WithoutExtendedPrefix(std::wstring_view path);

// A path the user named, as the program shows and uses it: one given with
// the \\?\ prefix exactly as given, a trailing dot or blank and all; any
// other full (taken from the current folder) and without the prefix.
std::string PathAsGiven(std::string_view utf8);

// The path in a form that the functions limited to MAX_PATH characters take:
// as it is when short enough, else through the short names of its folders;
// empty when neither is short enough. The file itself need not exist.
std::wstring WithinMaxPath(std::string_view utf8);

// The path up to and including its last backslash.
std::wstring FolderPart(std::wstring_view path);

}  // namespace quillory::win32

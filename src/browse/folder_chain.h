#pragma once
// A folder path as the chain of folders from its root down, the way the
// directory box shows it.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

// "C:\Users\me\" gives {"C:\", "Users", "me"}, "C:" gives {"C:\"} and
// "\\server\share\x" gives {"\\server\share\", "x"}. Either slash separates;
// nothing else is normalised.
std::vector<std::string> FolderChain(std::string_view path);

// The path of a chain: a root keeps its backslash, any other folder has none.
std::string ChainPath(std::span<const std::string> chain);

}  // namespace quillory

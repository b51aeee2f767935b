#pragma once
// The folders the user showed lately, newest first, as the 文件 menu lists them.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

inline constexpr std::size_t kRecentFolderCount = 10;
// Beyond this many characters a path is shortened in the middle in the menu.
inline constexpr std::size_t kRecentCaptionLength = 60;

// How the system compares paths: without regard to case.
using FoldCase = std::function<std::string(std::string_view)>;

// The folder at the top, any earlier mention of it (in another case, or with
// a trailing backslash) gone, and the oldest dropped beyond the ten.
std::vector<std::string> WithRecentFolder(std::vector<std::string> folders, const std::string& folder,
                                          const FoldCase& upper);

// The path whole when it is at most `length` characters long, else its
// beginning and its end with "…" between them, `length` characters in all.
std::string ShortenedInMiddle(std::string_view path, std::size_t length);

// The menu item's caption of the folder at `position` (from 0): "&1 " to
// "&9 " and "&0 " for the tenth, the path shortened, its "&" kept as text.
std::string RecentFolderCaption(std::size_t position, std::string_view folder);

// What choosing a recent folder that is no longer there tells.
std::string RecentFolderGoneMessage(const std::string& folder);

}  // namespace quillory

#include "browse/recent_folders.h"

#include <algorithm>

namespace quillory {

namespace {

// "C:\" keeps its backslash; "C:\a\" and "C:\a" are one folder.
std::string_view WithoutTrailingBackslash(std::string_view path) {
    while (path.size() > 3 && path.back() == '\\') path.remove_suffix(1);
    return path;
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offsets of the characters of a UTF-8 text, and its size at the end.
std::vector<std::size_t> CharacterStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsContinuationByte(text[i])) starts.push_back(i);
    }
    starts.push_back(text.size());
    return starts;
}

}  // namespace

std::vector<std::string> WithRecentFolder(std::vector<std::string> folders, const std::string& folder,
                                          const FoldCase& upper) {
    const std::string shown(WithoutTrailingBackslash(folder));
    const std::string key = upper(shown);
    std::erase_if(folders, [&](const std::string& known) { return upper(WithoutTrailingBackslash(known)) == key; });
    folders.insert(folders.begin(), shown);
    if (folders.size() > kRecentFolderCount) folders.resize(kRecentFolderCount);
    return folders;
}

std::string ShortenedInMiddle(std::string_view path, std::size_t length) {
    const std::vector<std::size_t> starts = CharacterStarts(path);
    const std::size_t characters = starts.size() - 1;
    if (characters <= length || length < 3) return std::string(path);
    // The end tells the folder apart, so it keeps the larger half.
    const std::size_t kept = length - 1;
    const std::size_t head = kept / 2;
    const std::size_t tail = kept - head;
    return std::string(path.substr(0, starts[head])) + "…" + std::string(path.substr(starts[characters - tail]));
}

std::string RecentFolderCaption(std::size_t position, std::string_view folder) {
    std::string caption = "&";
    caption += static_cast<char>('0' + (position + 1) % 10);
    caption += ' ';
    for (const char c : ShortenedInMiddle(folder, kRecentCaptionLength)) {
        if (c == '&') caption += '&';
        caption += c;
    }
    return caption;
}

std::string RecentFolderGoneMessage(const std::string& folder) {
    return "这个文件夹已不存在（被移动、删除，或所在的驱动器未连接）：\n" + folder +
           "\n它仍留在最近的文件夹中，连接驱动器后可再选择。";
}

}  // namespace quillory

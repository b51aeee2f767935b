#include "browse/folder_chain.h"

#include "platform/text.h"

namespace quillory {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::size_t NextSeparator(std::string_view path, std::size_t from) {
    while (from < path.size() && !IsSeparator(path[from])) ++from;
    return from;
}

// The root at the start of the path ("C:\", "\\server\share\", "\" or none)
// and where the folders after it begin.
std::pair<std::string, std::size_t> RootOf(std::string_view path) {
    if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') {
        return {std::string(path.substr(0, 2)) + "\\", 2};
    }
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        std::string root = "\\\\";
        std::size_t position = 2;
        for (int part = 0; part < 2 && position < path.size(); ++part) {
            const std::size_t end = NextSeparator(path, position);
            root.append(path.substr(position, end - position)).push_back('\\');
            position = end + 1;
        }
        return {root, position};
    }
    if (!path.empty() && IsSeparator(path[0])) return {"\\", 1};
    return {"", 0};
}

}  // namespace

std::vector<std::string> FolderChain(std::string_view path) {
    std::vector<std::string> chain;
    auto [root, position] = RootOf(path);
    if (!root.empty()) chain.push_back(std::move(root));
    while (position < path.size()) {
        const std::size_t end = NextSeparator(path, position);
        if (end > position) chain.emplace_back(path.substr(position, end - position));
        position = end + 1;
    }
    return chain;
}

std::string ChainPath(std::span<const std::string> chain) {
    if (chain.empty()) return {};
    std::string path = chain.front();
    for (const std::string& folder : chain.subspan(1)) path = JoinPath(path, folder);
    return path;
}

}  // namespace quillory

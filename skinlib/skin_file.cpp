#include "skin_file.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace skin {
namespace {

std::filesystem::path ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return std::filesystem::path(path).parent_path();
        }
        path.resize(path.size() * 2);
    }
}

std::wstring FromAnsi(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.pop_back();  // the terminating zero
    return wide;
}

}  // namespace

std::optional<std::string> ReadSkinFile(const char* name) {
    if (!name) return std::nullopt;
    const std::wstring wide = FromAnsi(name);
    if (wide.empty()) return std::nullopt;
    // An absolute name replaces the folder.
    std::ifstream in(ProgramFolder() / std::filesystem::path(wide), std::ios::binary);
    if (!in) return std::nullopt;
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return text;
}

}  // namespace skin

#include "app/win32/dropped_folder.h"

#include <filesystem>

#include "platform/win32/encoding.h"
#include "platform/win32/long_path.h"

namespace quillory::win32 {

namespace {

constexpr UINT kFileCount = 0xFFFFFFFF;

std::wstring FirstPath(HDROP drop) {
    if (DragQueryFileW(drop, kFileCount, nullptr, 0) == 0) return {};
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    path.resize(DragQueryFileW(drop, 0, path.data(), length + 1));
    return path;
}

std::optional<std::string> FolderOf(const std::wstring& path) {
    if (path.empty()) return std::nullopt;
    const DWORD attributes = GetFileAttributesW(ExtendedPath(Utf8(path)).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Utf8(path);
    // As the folder dialog names a folder: no trailing backslash but on a root.
    return Utf8(std::filesystem::path(path).parent_path().native());
}

}  // namespace

std::optional<std::string> TakeDroppedFolder(HDROP drop) {
    const std::wstring path = FirstPath(drop);
    DragFinish(drop);
    return FolderOf(path);
}

std::optional<std::string> FolderOnCommandLine(const std::string& path) {
    return FolderOf(WithoutExtendedPrefix(ExtendedPath(path)));
}

}  // namespace quillory::win32

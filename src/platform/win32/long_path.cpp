#include "platform/win32/long_path.h"

#include <windows.h>

#include "platform/win32/encoding.h"

namespace quillory::win32 {

namespace {

constexpr std::wstring_view kExtendedPrefix = L"\\\\?\\";
constexpr std::wstring_view kExtendedUncPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";
constexpr std::wstring_view kUncPrefix = L"\\\\";

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
    return full;
}

}  // namespace

std::wstring ExtendedPath(std::string_view utf8) {
    const std::wstring path = Wide(utf8);
    if (path.empty() || path.starts_with(kExtendedPrefix) || path.starts_with(kDevicePrefix)) return path;
    const std::wstring full = FullPath(path);
    if (full.starts_with(kUncPrefix)) return std::wstring(kExtendedUncPrefix) + full.substr(kUncPrefix.size());
    return std::wstring(kExtendedPrefix) + full;
}

std::wstring WithoutExtendedPrefix(std::wstring_view path) {
    if (path.starts_with(kExtendedUncPrefix)) return std::wstring(kUncPrefix) + std::wstring(path.substr(kExtendedUncPrefix.size()));
    if (path.starts_with(kExtendedPrefix)) return std::wstring(path.substr(kExtendedPrefix.size()));
    return std::wstring(path);
}

std::string PathAsGiven(std::string_view utf8) {
    if (Wide(utf8).starts_with(kExtendedPrefix)) return std::string(utf8);
    return Utf8(WithoutExtendedPrefix(ExtendedPath(utf8)));
}

std::wstring WithinMaxPath(std::string_view utf8) {
    const std::wstring full = ExtendedPath(utf8);
    if (WithoutExtendedPrefix(full).size() < MAX_PATH) return WithoutExtendedPrefix(full);
    const std::wstring folder = FolderPart(full);
    std::wstring shortFolder(GetShortPathNameW(folder.c_str(), nullptr, 0), L'\0');
    if (shortFolder.empty()) return {};
    shortFolder.resize(GetShortPathNameW(folder.c_str(), shortFolder.data(), static_cast<DWORD>(shortFolder.size())));
    if (!shortFolder.ends_with(L'\\')) shortFolder += L'\\';
    const std::wstring shortPath = WithoutExtendedPrefix(shortFolder) + full.substr(folder.size());
    return shortPath.size() < MAX_PATH ? shortPath : std::wstring();
}

std::wstring FolderPart(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash + 1));
}

}  // namespace quillory::win32

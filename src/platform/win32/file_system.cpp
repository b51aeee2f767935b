// Folders, whole files and folder listings.
#include <windows.h>

#include <shlwapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <limits>

#include "platform/text.h"
#include "platform/win32/aside_recovery.h"
#include "platform/win32/encoding.h"
#include "platform/win32/file_claim.h"
#include "platform/win32/folder_listing.h"
#include "platform/win32/handles.h"
#include "platform/win32/long_path.h"
#include "platform/win32/redirection_off.h"
#include "platform/win32/temporary_file.h"
#include "platform/win32/win32_services.h"
#include "platform/window_thread.h"
#include "platform/win32/write_outcome.h"

namespace quillory::win32 {

namespace {

// A folder that is there but yields nothing, or is not there at all (the
// start folder of another user), is no fault the user must hear of.
ListingOutcome ListingOutcomeOf(DWORD error) {
    if (error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
        error == ERROR_NO_MORE_FILES) {
        return {};
    }
    return {false, error, SystemText(error)};
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    constexpr std::size_t kMaxWrite = std::numeric_limits<DWORD>::max() / 2;
    while (!bytes.empty()) {
        const DWORD size = static_cast<DWORD>(std::min(bytes.size(), kMaxWrite));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), size, &written, nullptr) || written != size) return false;
        bytes.remove_prefix(size);
    }
    return true;
}

// Local time by the time-zone rules of the file's own date, as the file manager shows it.
std::string LocalTimeText(const FILETIME& written) {
    SYSTEMTIME universal{}, local{};
    if (!FileTimeToSystemTime(&written, &universal) || !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
        return {};
    }
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", local.wYear, local.wMonth, local.wDay,
                  local.wHour, local.wMinute, local.wSecond);
    return text;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool Win32Services::CreateFolder(const std::string& path) {
    window_thread::CheckFileSystemCall("CreateFolder");
    const std::wstring folder = ExtendedPath(path);
    return CreateDirectoryW(folder.c_str(), nullptr) || IsFolder(folder);
}

bool Win32Services::FileExists(const std::string& path) const {
    window_thread::CheckFileSystemCall("FileExists");
    const DWORD attributes = GetFileAttributesW(ExtendedPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32Services::FolderExists(const std::string& path) const {
    window_thread::CheckFileSystemCall("FolderExists");
    const RedirectionOff redirectionOff;
    return IsFolder(ExtendedPath(path));
}

bool Win32Services::WriteWholeFile(const std::string& path, std::string_view bytes) {
    window_thread::CheckFileSystemCall("WriteWholeFile");
    const FileHandle file(CreateFileW(ExtendedPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && WriteAll(file.Get(), bytes);
}

// Under the claim: a copy that inserts into the new file meanwhile would
// find it empty, and its block would be overwritten by these bytes.
WriteOutcome Win32Services::CreateNewFile(const std::string& path, std::string_view bytes) {
    window_thread::CheckFileSystemCall("CreateNewFile");
    const std::wstring file = ExtendedPath(path);
    const FileClaim claim(file);
    if (!claim.Outcome()) return claim.Outcome();
    FileHandle created(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!created) {
        const DWORD error = GetLastError();
        return IsFolder(file) ? Refusal(WriteFault::DayFileIsFolder) : FolderFailureOf(error);
    }
    if (WriteAll(created.Get(), bytes)) return {};
    const WriteOutcome failure = FailureOf(GetLastError());
    // A file that does not hold its bytes is not left behind.
    created.Reset();
    DeleteFileW(file.c_str());
    return failure;
}

void Win32Services::RemoveLeftoverTemporaryFiles(const std::string& folder) {
    window_thread::CheckFileSystemCall("RemoveLeftoverTemporaryFiles");
    win32::RemoveLeftoverTemporaryFiles(ExtendedPath(folder + "\\"));
    PutBackSetAsideFiles(ExtendedPath(folder + "\\"));
}

WriteOutcome Win32Services::CanWriteInFolder(const std::string& folder) {
    window_thread::CheckFileSystemCall("CanWriteInFolder");
    // A file of our own, never the day's file, so nothing of the user's is touched.
    const TemporaryFile probe(ExtendedPath(folder + "\\"), FILE_ATTRIBUTE_TEMPORARY);
    return probe.Created() ? WriteOutcome{} : FolderFailureOf(probe.Error());
}

// With its backslash: "C:" alone would name the drive's current folder.
ListingOutcome Win32Services::FindFiles(const std::string& folder,
                                        const std::function<bool(const FoundEntry&)>& visit) {
    window_thread::CheckFileSystemCall("FindFiles");
    return ListingOutcomeOf(ReadFolder(ExtendedPath(JoinPath(folder, "")), visit));
}

// The file index names a folder whatever path leads to it, as a listing
// tells it of each subfolder. The volume's serial is left out: asking for it
// costs Wine a look at the device, and a walk only leaves its volume by a
// link the system marks, which it does not follow.
std::string Win32Services::FolderIdentity(const std::string& path) {
    window_thread::CheckFileSystemCall("FolderIdentity");
    const RedirectionOff redirectionOff;
    const FileHandle folder(CreateFileW(ExtendedPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    FILE_INTERNAL_INFORMATION index{};
    IO_STATUS_BLOCK status{};
    if (!folder || !NT_SUCCESS(NtQueryInformationFile(folder.Get(), &status, &index, sizeof index,
                                                      FileInternalInformation))) {
        return {};
    }
    return FolderIdentityText(static_cast<std::uint64_t>(index.IndexNumber.QuadPart));
}

namespace {

// A share of another system may hold a name with a character Windows
// refuses (a tab, a line feed, "?"); the system lists such a file but opens
// nothing by that name.
bool NameWindowsRefuses(std::wstring_view name) {
    return std::ranges::any_of(name, [](wchar_t c) { return c < 0x20 || std::wstring_view(L"<>:\"|?*").find(c) != std::wstring_view::npos; });
}

std::optional<FileDetails> DetailsOf(DWORD attributes, DWORD sizeHigh, DWORD sizeLow, const FILETIME& written) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    return FileDetails{(static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow, LocalTimeText(written)};
}

// The entry of that exact name, as its folder lists it.
std::optional<FileDetails> ListedDetails(const std::wstring& folder, std::wstring_view name) {
    WIN32_FIND_DATAW entry{};
    const FindHandle search(FindFirstFileExW(ExtendedPath(Utf8(folder + L"\\*")).c_str(), FindExInfoBasic, &entry,
                                             FindExSearchNameMatch, nullptr, 0));
    for (bool found = bool(search); found; found = FindNextFileW(search.Get(), &entry)) {
        if (name == entry.cFileName) {
            return DetailsOf(entry.dwFileAttributes, entry.nFileSizeHigh, entry.nFileSizeLow, entry.ftLastWriteTime);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<FileDetails> Win32Services::DescribeFile(const std::string& path) {
    window_thread::CheckFileSystemCall("DescribeFile");
    const RedirectionOff redirectionOff;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExW(ExtendedPath(path).c_str(), GetFileExInfoStandard, &data)) {
        return DetailsOf(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
    }
    const std::wstring wide = Wide(path);
    const std::size_t split = wide.find_last_of(L'\\');
    if (split == std::wstring::npos || !NameWindowsRefuses(std::wstring_view(wide).substr(split + 1))) return std::nullopt;
    return ListedDetails(wide.substr(0, split), std::wstring_view(wide).substr(split + 1));
}

// The names are made wide once, into one buffer, not at every comparison.
std::vector<std::uint32_t> Win32Services::NaturalOrder(const NameList& names) {
    std::wstring wide;
    std::vector<std::size_t> starts;
    starts.reserve(static_cast<std::size_t>(names.Count()));
    for (int i = 0; i < names.Count(); ++i) {
        starts.push_back(wide.size());
        wide += Wide(names.Name(i));
        wide += L'\0';
    }
    std::vector<std::uint32_t> positions(starts.size());
    for (std::size_t i = 0; i < positions.size(); ++i) positions[i] = static_cast<std::uint32_t>(i);
    std::stable_sort(positions.begin(), positions.end(), [&](std::uint32_t left, std::uint32_t right) {
        return StrCmpLogicalW(wide.c_str() + starts[left], wide.c_str() + starts[right]) < 0;
    });
    return positions;
}

bool Win32Services::NaturallyBefore(std::string_view left, std::string_view right) {
    return StrCmpLogicalW(Wide(left).c_str(), Wide(right).c_str()) < 0;
}

}  // namespace quillory::win32

#include "support/test_folder.h"

#include <windows.h>

#include <atomic>

#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"
#include "platform/win32/long_path.h"

namespace quillory::testing {

namespace {

// Any depth: past MAX_PATH the W functions need the \\?\ form.
std::wstring Extended(const std::wstring& path) { return win32::ExtendedPath(win32::Utf8(path)); }

bool IsDots(const wchar_t* name) { return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0; }

void RemoveTree(const std::wstring& folder);

// Read-only attributes set by a test would stop the removal. A link to a
// folder goes, not what it links to.
void RemoveEntriesOf(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    const win32::FindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    for (bool found = bool(search); found; found = FindNextFileW(search.Get(), &entry)) {
        if (IsDots(entry.cFileName)) continue;
        const std::wstring path = folder + L"\\" + entry.cFileName;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        const bool isFolder = entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (isFolder && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            RemoveTree(path);
        } else if (isFolder) {
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    }
}

void RemoveTree(const std::wstring& folder) {
    RemoveEntriesOf(folder);
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
}

// Wine hands out process identifiers again from one run to the next, and a
// crashed run leaves its folders behind: the start time and a count make the
// name new, and a name that is taken all the same is passed over.
std::wstring NewFolder() {
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring stem = std::wstring(temp) + L"quillory-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount64()) + L"-";
    for (;;) {
        const std::wstring path = stem + std::to_wstring(counter++);
        if (CreateDirectoryW(Extended(path).c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS) return path;
    }
}

// Shared as the C library shares its files: a test may hold one open meanwhile.
constexpr DWORD kShared = FILE_SHARE_READ | FILE_SHARE_WRITE;

win32::FileHandle OpenFile(const std::wstring& path, DWORD access, DWORD disposition) {
    return win32::FileHandle(CreateFileW(Extended(path).c_str(), access, kShared, nullptr, disposition,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

TestFolder::TestFolder() : path_(NewFolder()) {}

TestFolder::~TestFolder() { RemoveTree(Extended(path_)); }

std::string ReadBytes(const std::wstring& path) {
    const win32::FileHandle file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) return {};
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return {};
    bytes.resize(read);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    const win32::FileHandle file = OpenFile(path, GENERIC_WRITE, CREATE_ALWAYS);
    DWORD written = 0;
    if (file) WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(Extended(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MakeFolders(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos && !Exists(path.substr(0, slash))) MakeFolders(path.substr(0, slash));
    return CreateDirectoryW(Extended(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool CopyOneFile(const std::wstring& from, const std::wstring& to) {
    return CopyFileW(Extended(from).c_str(), Extended(to).c_str(), FALSE) != FALSE;
}

std::wstring MakeFolderOfLength(const std::wstring& base, wchar_t letter, std::size_t longest, std::size_t length) {
    std::wstring path = base;
    for (;;) {
        const std::size_t remaining = length - path.size();
        if (remaining <= longest + 1) {
            path += L"\\" + std::wstring(remaining - 1, letter);
            break;
        }
        // Never leave a single character, which would make an empty name.
        path += L"\\" + std::wstring(remaining == longest + 2 ? longest - 1 : longest, letter);
    }
    MakeFolders(path);
    return path;
}

}  // namespace quillory::testing

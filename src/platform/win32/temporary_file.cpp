#include "platform/win32/temporary_file.h"

#include <atomic>
#include <string_view>

#include "platform/win32/file_claim.h"

namespace quillory::win32 {

namespace {

constexpr int kNameAttempts = 100;
constexpr std::wstring_view kPrefix = L"~quillory-";
constexpr std::wstring_view kSuffix = L".tmp";
constexpr std::wstring_view kAsideSuffix = L".old";

std::wstring UniqueName(std::wstring_view suffix = kSuffix) {
    static std::atomic<unsigned> counter{0};
    return std::wstring(kPrefix) + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++) +
           std::wstring(suffix);
}

bool IsNumber(std::wstring_view text) {
    if (text.empty()) return false;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
    }
    return true;
}

// Exactly the names UniqueName() gives: prefix, process, "-", counter, suffix.
bool IsTemporaryName(std::wstring_view name) {
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return false;
    name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    const std::size_t dash = name.find(L'-');
    return dash != std::wstring_view::npos && IsNumber(name.substr(0, dash)) && IsNumber(name.substr(dash + 1));
}

// Opening without any sharing fails while another handle is open, in this
// process or any other; so only a file nobody holds is removed.
void RemoveUnlessHeld(const std::wstring& path) {
    const FileHandle file(CreateFileW(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE,
                                      nullptr));
}

}  // namespace

TemporaryFile::TemporaryFile(const std::wstring& folder, DWORD attributes) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::wstring path = folder + UniqueName();
        // Delete sharing lets the file be renamed while it stays held.
        handle_.Reset(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                  attributes | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (handle_) {
            path_ = path;
            return;
        }
        error_ = GetLastError();
        // Another file of that name is chance; anything else will not go away by retrying.
        if (error_ != ERROR_FILE_EXISTS) return;
    }
}

TemporaryFile::~TemporaryFile() {
    handle_.Reset();
    if (!path_.empty()) DeleteFileW(path_.c_str());
}

bool TemporaryFile::MoveTo(const std::wstring& target) {
    if (!MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return false;
    path_.clear();
    return true;
}

void TemporaryFile::KeepAs(const std::wstring& keptPath) {
    // Should even the rename fail, the copy stays under its own name.
    MoveFileExW(path_.c_str(), keptPath.c_str(), MOVEFILE_WRITE_THROUGH);
    path_.clear();
}

std::wstring AsideName(const std::wstring& folder) { return folder + UniqueName(kAsideSuffix); }

void RemoveLeftoverTemporaryFiles(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    const FindHandle search(FindFirstFileW((folder + std::wstring(kPrefix) + L"*").c_str(), &data));
    if (!search) return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            (IsTemporaryName(data.cFileName) || IsClaimName(data.cFileName))) {
            RemoveUnlessHeld(folder + data.cFileName);
        }
    } while (FindNextFileW(search.Get(), &data));
}

}  // namespace quillory::win32

#include "platform/win32/temporary_file.h"

#include <atomic>

namespace quillory::win32 {

namespace {

constexpr int kNameAttempts = 100;

std::wstring UniqueName() {
    static std::atomic<unsigned> counter{0};
    return L"~quillory-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++) + L".tmp";
}

}  // namespace

TemporaryFile::TemporaryFile(const std::wstring& folder, DWORD attributes) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::wstring path = folder + UniqueName();
        handle_.Reset(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  attributes | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (handle_) {
            path_ = path;
            return;
        }
        // Another file of that name is chance; anything else will not go away by retrying.
        if (GetLastError() != ERROR_FILE_EXISTS) return;
    }
}

TemporaryFile::~TemporaryFile() {
    handle_.Reset();
    if (!path_.empty()) DeleteFileW(path_.c_str());
}

bool TemporaryFile::ReplaceOnto(const std::wstring& target) {
    if (!MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return false;
    path_.clear();
    return true;
}

}  // namespace quillory::win32

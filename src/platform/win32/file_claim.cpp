#include "platform/win32/file_claim.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/win32/encoding.h"
#include "platform/win32/long_path.h"
#include "platform/win32/write_outcome.h"

namespace quillory::win32 {

namespace {

constexpr std::wstring_view kPrefix = L"~quillory-";
constexpr std::wstring_view kSuffix = L".lock";
constexpr ULONGLONG kPatienceMs = 30'000;
// A write takes some milliseconds: the first looks come soon, later ones spaced out.
constexpr DWORD kFirstWaitMs = 2;
constexpr DWORD kLongestWaitMs = 100;
constexpr DWORD kClaimAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE;

// "~quillory-2026-12-08.lock" beside "2026-12-08.txt".
std::wstring ClaimPath(const std::wstring& file) {
    const std::wstring folder = FolderPart(file);
    std::wstring stem = file.substr(folder.size());
    if (const std::size_t dot = stem.find_last_of(L'.'); dot != std::wstring::npos && dot > 0) stem.resize(dot);
    return folder + std::wstring(kPrefix) + stem + std::wstring(kSuffix);
}

// Something that is no claim file bears the claim file's name: a folder, or
// a file that cannot be removed when closed (read-only, or the access list
// forbids it). Waiting would not make it go.
std::optional<WriteOutcome> NameTaken(DWORD error, const std::wstring& claimPath) {
    if (error != ERROR_ACCESS_DENIED) return std::nullopt;
    const DWORD attributes = GetFileAttributesW(claimPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    constexpr DWORD kClaimLike = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY;
    // Another copy's claim the system is still removing.
    if (!folder && !(attributes & FILE_ATTRIBUTE_READONLY) && (attributes & kClaimLike) == kClaimLike) {
        return std::nullopt;
    }
    WriteOutcome taken = Refusal(WriteFault::ClaimNameTaken);
    taken.path = Utf8(WithoutExtendedPrefix(claimPath));
    taken.pathIsFolder = folder;
    return taken;
}

// A refusal that another copy's turn explains: its open handle, or its closed
// one whose file the system is still removing (a delete pending refuses any
// open with access denied). Denied where no claim file exists, the folder
// refuses new files.
bool HeldByAnotherCopy(DWORD error, const std::wstring& claimPath) {
    if (error == ERROR_SHARING_VIOLATION) return true;
    if (error != ERROR_ACCESS_DENIED) return false;
    return GetFileAttributesW(claimPath.c_str()) != INVALID_FILE_ATTRIBUTES || GetLastError() == ERROR_ACCESS_DENIED;
}

// Only painting: input waits until the write is done, so nothing starts a
// second write in the middle of the first.
void WaitPainting(DWORD milliseconds) {
    const ULONGLONG until = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < until; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_PAINT | QS_SENDMESSAGE);
        MSG message;
        while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&message);
    }
}

}  // namespace

FileClaim::FileClaim(const std::wstring& file) {
    const std::wstring path = ClaimPath(file);
    const ULONGLONG start = GetTickCount64();
    for (DWORD wait = kFirstWaitMs;; wait = std::min(2 * wait, kLongestWaitMs)) {
        claim_.Reset(CreateFileW(path.c_str(), DELETE, 0, nullptr, OPEN_ALWAYS, kClaimAttributes, nullptr));
        if (claim_) return;
        const DWORD error = GetLastError();
        if (std::optional<WriteOutcome> taken = NameTaken(error, path)) {
            outcome_ = std::move(*taken);
            return;
        }
        if (!HeldByAnotherCopy(error, path)) {
            outcome_ = FolderFailureOf(error);
            return;
        }
        if (GetTickCount64() - start >= kPatienceMs) {
            outcome_ = Refusal(WriteFault::OtherCopyWriting);
            return;
        }
        WaitPainting(wait);
    }
}

bool IsClaimName(std::wstring_view name) {
    return name.size() > kPrefix.size() + kSuffix.size() && name.starts_with(kPrefix) && name.ends_with(kSuffix);
}

}  // namespace quillory::win32

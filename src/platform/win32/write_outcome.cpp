#include "platform/win32/write_outcome.h"

#include "platform/win32/encoding.h"

namespace quillory::win32 {

namespace {

WriteFault FaultOf(DWORD error) {
    switch (error) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return WriteFault::Held;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return WriteFault::DiskFull;
        case ERROR_PATH_NOT_FOUND: return WriteFault::FolderUnwritable;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return WriteFault::AlreadyExists;
        default: return WriteFault::Other;
    }
}

}  // namespace

std::string SystemText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring words(text, length);
    LocalFree(text);
    // The system ends its text with a line break, which the message puts itself.
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' ')) words.pop_back();
    return Utf8(words);
}

WriteOutcome FailureOf(DWORD error) {
    WriteOutcome outcome;
    outcome.fault = FaultOf(error);
    outcome.systemError = error;
    outcome.systemText = SystemText(error);
    return outcome;
}

WriteOutcome Refusal(WriteFault fault) {
    WriteOutcome outcome;
    outcome.fault = fault;
    return outcome;
}

WriteOutcome FolderFailureOf(DWORD error) {
    WriteOutcome outcome = FailureOf(error);
    if (error == ERROR_ACCESS_DENIED) outcome.fault = WriteFault::FolderUnwritable;
    return outcome;
}

WriteOutcome DiskFull(const std::wstring& folder, std::uint64_t needed, std::optional<std::uint64_t> free) {
    WriteOutcome outcome = FailureOf(ERROR_DISK_FULL);
    outcome.bytesNeeded = needed;
    outcome.bytesFree = free ? *free : FreeSpace(folder).value_or(0);
    return outcome;
}

std::optional<std::uint64_t> FreeSpace(const std::wstring& folder) {
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExW(folder.c_str(), &available, nullptr, nullptr)) return std::nullopt;
    return available.QuadPart;
}

}  // namespace quillory::win32

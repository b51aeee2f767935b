#include "platform/win32/folder_listing.h"

#include "platform/win32/encoding.h"

namespace quillory::win32 {

namespace {

// A 32-bit program on 64-bit Windows is shown SysWOW64 when it names
// System32. Only the opening resolves the path, so the redirection is off
// just for that. On systems without redirection the calls fail and change nothing.
class RedirectionOff {
public:
    RedirectionOff() : off_(Wow64DisableWow64FsRedirection(&previous_) != FALSE) {}
    ~RedirectionOff() {
        if (off_) Wow64RevertWow64FsRedirection(previous_);
    }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

private:
    PVOID previous_ = nullptr;
    bool off_;
};

}  // namespace

FindHandle OpenFolderListing(const std::wstring& pattern, WIN32_FIND_DATAW& first) {
    const RedirectionOff redirectionOff;
    return FindHandle(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &first, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH));
}

void Describe(const WIN32_FIND_DATAW& data, FoundEntry& entry) {
    Utf8Into(data.cFileName, entry.name);
    entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isHidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    entry.isSystem = (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    entry.isReparsePoint = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.modified = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                     data.ftLastWriteTime.dwLowDateTime;
}

}  // namespace quillory::win32

#include "platform/win32/folder_listing.h"

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

}  // namespace quillory::win32

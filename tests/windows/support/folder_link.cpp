#include "support/folder_link.h"

#include <windows.h>

#include <algorithm>

#include "support/host_command.h"

namespace quillory::testing {

FolderLink::FolderLink(std::wstring link, const std::wstring& relativeTarget, bool toFolder)
    : link_(std::move(link)), toFolder_(toFolder) {
    const DWORD kind = toFolder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0;
    if (CreateSymbolicLinkW(link_.c_str(), relativeTarget.c_str(), kind) && IsLink()) return;
    unixLink_ = UnixPathOf(link_);
    if (unixLink_.empty()) return;
    std::wstring unixTarget = relativeTarget;
    std::ranges::replace(unixTarget, L'\\', L'/');
    if (StartUnixCommand(L"Z:\\bin\\ln", L"ln -s \"" + unixTarget + L"\" \"" + unixLink_ + L"\"")) {
        AwaitPresence(link_, true);
    }
}

FolderLink::~FolderLink() {
    if (unixLink_.empty()) {
        toFolder_ ? RemoveDirectoryW(link_.c_str()) : DeleteFileW(link_.c_str());
    } else if (StartUnixCommand(L"Z:\\bin\\rm", L"rm \"" + unixLink_ + L"\"")) {
        AwaitPresence(link_, false);
    }
}

bool FolderLink::IsLink() const {
    const DWORD attributes = GetFileAttributesW(link_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace quillory::testing

#pragma once
// A symbolic link to a folder, or to a file, for as long as the object lives.
#include <string>

namespace quillory::testing {

// As the system makes one. Wine 8 makes neither symbolic links nor junctions
// (CreateSymbolicLinkW says yes and makes nothing) but shows a Unix one as a
// symbolic link, so ln makes that; and as Wine's RemoveDirectoryW removes
// the folder a Unix link leads to, when it is empty, rather than the link,
// rm takes it away again.
class FolderLink {
public:
    FolderLink(std::wstring link, const std::wstring& relativeTarget, bool toFolder = true);
    ~FolderLink();
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;

    // There, and marked as a link.
    bool IsLink() const;

private:
    std::wstring link_;
    std::wstring unixLink_;  // empty for a link the system made
    bool toFolder_;
};

}  // namespace quillory::testing

#pragma once
// A new file with a name of its own, removed when its owner ends unless it
// was moved into place.
#include <windows.h>

#include <string>

#include "platform/win32/handles.h"

namespace quillory::win32 {

class TemporaryFile {
public:
    // Creates the file in `folder` (a path ending in a backslash), opened for
    // reading and writing; Created() tells whether that worked.
    TemporaryFile(const std::wstring& folder, DWORD attributes);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool Created() const { return static_cast<bool>(handle_); }
    HANDLE Handle() const { return handle_.Get(); }
    const std::wstring& Path() const { return path_; }

    // Lets go of the handle, so the file can be renamed.
    void Close() { handle_.Reset(); }
    // Renames the closed file onto `target`, replacing it; it is no longer
    // ours to remove once that succeeded.
    bool ReplaceOnto(const std::wstring& target);
    // Leaves the file on disk when it holds the only whole copy of something.
    void Keep() { path_.clear(); }

private:
    std::wstring path_;
    FileHandle handle_;
};

}  // namespace quillory::win32

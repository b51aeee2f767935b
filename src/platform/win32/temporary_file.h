#pragma once
// A new file with a name of its own, removed when its owner ends unless it
// was moved into place. It stays open for its whole life: the start-up of
// another copy of the program removes only the temporary files nobody holds.
#include <windows.h>

#include <string>

#include "platform/win32/handles.h"

namespace quillory::win32 {

class TemporaryFile {
public:
    // Creates the file in `folder` (a path ending in a backslash), opened for
    // reading and writing; Created() tells whether that worked, Error() why not.
    TemporaryFile(const std::wstring& folder, DWORD attributes);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool Created() const { return static_cast<bool>(handle_); }
    DWORD Error() const { return error_; }
    HANDLE Handle() const { return handle_.Get(); }
    const std::wstring& Path() const { return path_; }

    // Renames the file to `target`, which must not exist; it is no longer
    // ours to remove once that succeeded, but stays held until its owner
    // ends. On failure GetLastError() tells why.
    bool MoveTo(const std::wstring& target);
    // Leaves the file on disk when it holds the only whole copy of something,
    // under `keptPath`, a name the start-up's clean-up passes by.
    void KeepAs(const std::wstring& keptPath);

private:
    std::wstring path_;
    FileHandle handle_;
    DWORD error_ = ERROR_SUCCESS;
};

// A name in `folder` for a file set aside in the middle of a write: of the
// temporary files' kind, but left alone by the clean-up below, since after a
// crash it may hold the only copy of a day's file.
std::wstring AsideName(const std::wstring& folder);

// Removes from the folder (ending in a backslash) the temporary files and
// claim files that this program left behind when it, or the system, was ended
// in the middle of a write. A file that some running program holds open
// stays; so do all other names.
void RemoveLeftoverTemporaryFiles(const std::wstring& folder);

}  // namespace quillory::win32

#pragma once
// A copy of the program's turn at writing a file. Every copy, on this computer
// or on another that reaches the folder, opens the same claim file beside the
// file, with no sharing at all, so that one copy at a time holds it; the
// system removes the claim file when its holder closes it, or ends in any way.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/services.h"
#include "platform/win32/handles.h"

namespace quillory::win32 {

class FileClaim {
public:
    // Waits while another copy holds the turn, up to 30 seconds; a window of
    // the waiting thread keeps painting meanwhile.
    explicit FileClaim(const std::wstring& file);
    FileClaim(const FileClaim&) = delete;
    FileClaim& operator=(const FileClaim&) = delete;

    // Written() while the turn is held; otherwise why it could not be had.
    const WriteOutcome& Outcome() const { return outcome_; }

private:
    FileHandle claim_;
    WriteOutcome outcome_;
};

// Whether the name is one that FileClaim gives its claim files.
bool IsClaimName(std::wstring_view name);

}  // namespace quillory::win32

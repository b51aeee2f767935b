#pragma once
// Making the day's file's content anew from its old content, all or nothing,
// so that no other program's write to it is lost meanwhile. Putting a block
// in front is one such edit.
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/services.h"
#include "platform/win32/chunk_writer.h"

namespace quillory::win32 {

// The old content as an edit is given it.
struct OldContent {
    TextEncoding encoding;
    std::uint64_t head;  // bytes of the byte-order mark at the start, or none
    std::uint64_t size;  // every byte, the mark's included
};

// What the old content becomes.
class ContentEdit {
public:
    virtual ~ContentEdit() = default;
    // Readies the edit for this old content, which `file` reads from its
    // start, where it is left; a refusal leaves the file as it is. Called
    // again when the file changed before the new content took its place.
    virtual WriteOutcome Prepare(const OldContent& old, HANDLE file) = 0;
    virtual std::uint64_t NewSize() const = 0;
    // The whole new content, from the old read through `old` at its start.
    virtual void WriteNew(ChunkWriter& out, HANDLE old) const = 0;
    // The whole old content again, from the new read through `written` at
    // its start: for a rewrite in place that failed half-way.
    virtual void WriteOld(ChunkWriter& out, HANDLE written) const = 0;
};

// Under this program's claim on the file (FileClaim), a file that exists and
// is no folder gets the edit's new content in one step; otherwise it stays as
// it was. A symbolic link leads to the file written, and stays a link; a file
// of several names has each of them see the new content; the owner, the
// access list, the creation time and the attributes stay. Other programs that
// write to the file meanwhile are refused by the system and may try again;
// whatever another program wrote, also where the system cannot refuse it (a
// program of another system on a share), stays behind the new content.
WriteOutcome RewriteDayFile(const std::wstring& path, ContentEdit& edit);

}  // namespace quillory::win32

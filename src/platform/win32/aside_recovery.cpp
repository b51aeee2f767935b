#include "platform/win32/aside_recovery.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/day_file_rewrite.h"
#include "platform/win32/encoded_block.h"
#include "platform/win32/file_claim.h"
#include "platform/win32/handles.h"
#include "platform/win32/temporary_file.h"
#include "platform/win32/write_outcome.h"

namespace quillory::win32 {

namespace {

// Blocks go in front, so what was written since the crash is the newer part:
// it comes first, the old content after it without a second mark. A newer
// file with nothing but its mark gives way to the old content whole.
class OldContentBehind : public ContentEdit {
public:
    OldContentBehind(HANDLE aside, const OldContent& old) : aside_(aside), old_(old) {}

    WriteOutcome Prepare(const OldContent& newer, HANDLE file) override {
        newer_ = newer;
        const std::optional<ByteOrderMark> mark = MarkOf(file);
        newerMark_ = mark ? std::string(mark->bytes) : std::string();
        if (!NewerIsEmpty() && newer.encoding != old_.encoding) return Refusal(WriteFault::Other);
        LARGE_INTEGER start;
        start.QuadPart = static_cast<LONGLONG>(OldFrom());
        if (!SetFilePointerEx(aside_, start, nullptr, FILE_BEGIN)) return FailureOf(GetLastError());
        return {};
    }
    std::uint64_t NewSize() const override { return (NewerIsEmpty() ? 0 : newer_.size) + old_.size - OldFrom(); }
    void WriteNew(ChunkWriter& out, HANDLE newer) const override {
        if (!NewerIsEmpty()) out.AppendFrom(newer, newer_.size);
        out.AppendFrom(aside_, old_.size - OldFrom());
    }
    void WriteOld(ChunkWriter& out, HANDLE written) const override {
        if (NewerIsEmpty()) {
            out.Append(newerMark_);
        } else {
            out.AppendFrom(written, newer_.size);
        }
    }

private:
    bool NewerIsEmpty() const { return newer_.size == newer_.head; }
    std::uint64_t OldFrom() const { return NewerIsEmpty() ? 0 : old_.head; }

    HANDLE aside_;
    OldContent old_;
    OldContent newer_{};
    std::string newerMark_;
};

std::optional<OldContent> ContentOf(HANDLE file) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) return std::nullopt;
    const std::optional<ByteOrderMark> mark = MarkOf(file);
    return OldContent{mark ? mark->encoding : TextEncoding::Ansi, mark ? mark->bytes.size() : 0,
                      static_cast<std::uint64_t>(size.QuadPart)};
}

void PutBack(const std::wstring& aside, const std::wstring& dayFile) {
    const FileClaim claim(dayFile);
    if (!claim.Outcome()) return;
    // The writer holds its set-aside file until the replacement is done, so
    // one that can be had without sharing is a crashed write's, and ours now.
    const FileHandle old(CreateFileW(aside.c_str(), GENERIC_READ | DELETE, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!old) return;
    if (MoveFileExW(aside.c_str(), dayFile.c_str(), MOVEFILE_WRITE_THROUGH)) return;
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return;
    const std::optional<OldContent> content = ContentOf(old.Get());
    if (!content) return;
    OldContentBehind edit(old.Get(), *content);
    if (RewriteClaimedDayFile(dayFile, edit)) DeleteFileW(aside.c_str());
}

}  // namespace

void PutBackSetAsideFiles(const std::wstring& folder) {
    // Collected first: putting back renames within the folder being listed.
    std::vector<std::wstring> asides;
    WIN32_FIND_DATAW data;
    if (const FindHandle search(FindFirstFileW((folder + L"*.old").c_str(), &data)); search) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && DayFileOfAside(data.cFileName)) {
                asides.push_back(data.cFileName);
            }
        } while (FindNextFileW(search.Get(), &data));
    }
    for (const std::wstring& name : asides) PutBack(folder + name, folder + *DayFileOfAside(name));
}

}  // namespace quillory::win32

// Putting a block of lines in front of an existing file, all or nothing, and
// saying why when it cannot be done.
// The copies of the program take turns at the day's file (FileClaim). The new
// content is built in a temporary file beside the day's file and then takes
// its place; the day's file is rewritten in place only when another program
// holds it open in a way that forbids the replacement.
#include <windows.h>

#include <optional>

#include "platform/win32/chunk_writer.h"
#include "platform/win32/encoded_block.h"
#include "platform/win32/file_claim.h"
#include "platform/win32/handles.h"
#include "platform/win32/long_path.h"
#include "platform/win32/temporary_file.h"
#include "platform/win32/win32_services.h"
#include "platform/window_thread.h"
#include "platform/win32/write_outcome.h"

namespace quillory::win32 {

namespace {

// Another program that changes the day's file keeps doing so past this many rounds.
constexpr int kBuildAttempts = 5;
// A virus scanner or indexer holds a new file only briefly.
constexpr DWORD kRetryDelaysMs[] = {10, 20, 40, 80, 160, 320};
// Attributes the day's file keeps across its replacement.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// What tells whether the day's file changed while the new content was built.
struct Stamp {
    std::uint64_t size;
    FILETIME lastWrite;

    bool operator==(const Stamp& other) const {
        return size == other.size && CompareFileTime(&lastWrite, &other.lastWrite) == 0;
    }
};

std::uint64_t Join(DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; }

std::optional<Stamp> StampOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
    return Stamp{Join(info.nFileSizeHigh, info.nFileSizeLow), info.ftLastWriteTime};
}

// Asked through a handle: the folder entry that GetFileAttributesExW reads
// can lag behind a file that another program holds open.
std::optional<Stamp> StampOf(const std::wstring& path) {
    const FileHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      0, nullptr));
    if (!file) return std::nullopt;
    return StampOf(file.Get());
}

bool MoveTo(HANDLE file, std::uint64_t offset) {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) != FALSE;
}

// Sets the file's size; a full disk fails here, before any content is written.
bool Resize(HANDLE file, std::uint64_t size) { return MoveTo(file, size) && SetEndOfFile(file) && MoveTo(file, 0); }

bool IsLockedOut(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

// The day's file as it was when its content was copied.
struct DayFile {
    std::wstring path;
    Stamp stamp;
    FILETIME created;
    DWORD attributes;
    TextEncoding encoding;
    std::uint64_t head;  // bytes that stay in front of the block: the byte-order mark, or none

    std::wstring Folder() const { return FolderPart(path); }
};

// The mark the file begins with, if any; the reader is back at the start afterwards.
std::optional<ByteOrderMark> MarkOf(HANDLE reader) {
    char head[kLongestMark];
    DWORD read = 0;
    if (!ReadFile(reader, head, sizeof head, &read, nullptr) || !MoveTo(reader, 0)) return std::nullopt;
    return MarkAt(std::string_view(head, read));
}

WriteOutcome OpenDayFile(const std::wstring& path, FileHandle& reader, DayFile& day) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return FailureOf(GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FailureOf(ERROR_DIRECTORY);
    // Read-only is the user's word that the file must not change.
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        WriteOutcome outcome = FailureOf(ERROR_ACCESS_DENIED);
        outcome.fault = WriteFault::ReadOnly;
        return outcome;
    }
    reader.Reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!reader || !GetFileInformationByHandle(reader.Get(), &info)) return FailureOf(GetLastError());
    const std::uint64_t size = Join(info.nFileSizeHigh, info.nFileSizeLow);
    const std::optional<ByteOrderMark> mark = MarkOf(reader.Get());
    const TextEncoding encoding = mark ? mark->encoding : TextEncoding::Ansi;
    // Half a code unit at the end: whatever the file is, text in front of it would not mend it.
    if (IsUtf16(encoding) && size % 2 != 0) return Refusal(WriteFault::BrokenUtf16);
    day = DayFile{path, {size, info.ftLastWriteTime}, info.ftCreationTime, attributes, encoding,
                  mark ? mark->bytes.size() : 0};
    return {};
}

// A failure met on the way to `needed` bytes, told with the sizes when the disk is full.
WriteOutcome WithSizes(const WriteOutcome& outcome, const DayFile& day, std::uint64_t needed) {
    return outcome.fault == WriteFault::DiskFull ? DiskFull(day.Folder(), needed) : outcome;
}

WriteOutcome WriteFailure(DWORD error, const DayFile& day, std::uint64_t needed) {
    return WithSizes(FailureOf(error), day, needed);
}

// The outcome of one round of reading, building and replacing; none when
// another program changed the day's file meanwhile, so the round must be run again.
using Round = std::optional<WriteOutcome>;
constexpr Round kChangedMeanwhile = std::nullopt;

// The head, the block, then the rest of the old content, flushed to the disk.
WriteOutcome BuildNewContent(TemporaryFile& temporary, const EncodedBlock& block, HANDLE oldContent,
                             const DayFile& day) {
    const std::uint64_t newSize = block.Size() + day.stamp.size;
    if (!Resize(temporary.Handle(), newSize)) return WriteFailure(GetLastError(), day, newSize);
    ChunkWriter writer(temporary.Handle());
    writer.AppendFrom(oldContent, day.head);
    block.WriteTo(writer);
    writer.AppendFrom(oldContent, day.stamp.size - day.head);
    if (!writer.Flush()) return WriteFailure(writer.Error(), day, newSize);
    if (!SetFileTime(temporary.Handle(), &day.created, nullptr, nullptr) || !FlushFileBuffers(temporary.Handle())) {
        return WriteFailure(GetLastError(), day, newSize);
    }
    return {};
}

enum class Replacement { Done, LockedOut, Changed, Failed };

Replacement ReplaceDayFile(TemporaryFile& temporary, const DayFile& day, DWORD& error) {
    for (std::size_t attempt = 0;; ++attempt) {
        if (StampOf(day.path) != day.stamp) return Replacement::Changed;
        if (temporary.ReplaceOnto(day.path)) return Replacement::Done;
        error = GetLastError();
        if (!IsLockedOut(error)) return Replacement::Failed;
        if (attempt == std::size(kRetryDelaysMs)) return Replacement::LockedOut;
        Sleep(kRetryDelaysMs[attempt]);
    }
}

// Only for a day's file that another program holds open with write sharing
// but without delete sharing. The full new content is safe in the temporary
// file before the first byte of the day's file is touched.
Round RewriteInPlace(TemporaryFile& temporary, const DayFile& day, std::uint64_t blockSize) {
    const FileHandle target(CreateFileW(day.path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    if (!target) return FailureOf(GetLastError());
    if (StampOf(target.Get()) != day.stamp) return kChangedMeanwhile;
    const HANDLE source = temporary.Handle();
    const std::uint64_t newSize = blockSize + day.stamp.size;
    if (!MoveTo(source, 0)) return FailureOf(GetLastError());
    if (!Resize(target.Get(), newSize)) {
        const DWORD error = GetLastError();
        Resize(target.Get(), day.stamp.size);
        return WriteFailure(error, day, newSize);
    }
    ChunkWriter writer(target.Get());
    writer.AppendFrom(source, newSize);
    if (writer.Flush() && FlushFileBuffers(target.Get())) return WriteOutcome{};
    const WriteOutcome failure = WriteFailure(writer.Error() != ERROR_SUCCESS ? writer.Error() : GetLastError(), day,
                                              newSize);

    // Put the old content back from the temporary file (the head is the same
    // in both); should that fail too, the temporary file is kept as the one
    // whole copy.
    ChunkWriter restorer(target.Get());
    if (MoveTo(target.Get(), day.head) && MoveTo(source, day.head + blockSize)) {
        restorer.AppendFrom(source, day.stamp.size - day.head);
    }
    if (!restorer.Flush() || !Resize(target.Get(), day.stamp.size)) temporary.KeepAs(day.path + L".bak");
    return failure;
}

// Puts the block in and keeps the temporary file held until it has taken the
// day's file's place.
Round Insert(const EncodedBlock& block, FileHandle& reader, const DayFile& day) {
    // The temporary file holds the whole new content. Where the space cannot
    // be asked for, the writes will tell.
    const std::uint64_t newSize = block.Size() + day.stamp.size;
    if (const auto free = FreeSpace(day.Folder()); free && newSize > *free) return DiskFull(day.Folder(), newSize);

    const DWORD kept = day.attributes & kKeptAttributes;
    TemporaryFile temporary(day.Folder(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL);
    if (!temporary.Created()) return WithSizes(FolderFailureOf(temporary.Error()), day, newSize);
    if (WriteOutcome built = BuildNewContent(temporary, block, reader.Get(), day); !built) return built;
    // The day's file may not be open here, or the replacement is refused.
    reader.Reset();
    DWORD error = ERROR_SUCCESS;
    switch (ReplaceDayFile(temporary, day, error)) {
        case Replacement::Done: return WriteOutcome{};
        case Replacement::LockedOut: return RewriteInPlace(temporary, day, block.Size());
        case Replacement::Changed: return kChangedMeanwhile;
        case Replacement::Failed: return FailureOf(error);
    }
    return FailureOf(error);
}

}  // namespace

// Under the claim no copy of this program changes the file; another program
// that does so meanwhile has its change kept, in front of which the block goes.
WriteOutcome Win32Services::InsertLine(const std::string& path, const LineBlock& lines) {
    window_thread::CheckFileSystemCall("InsertLine");
    const std::wstring file = ExtendedPath(path);
    const FileClaim claim(file);
    if (!claim.Outcome()) return claim.Outcome();
    for (int attempt = 0; attempt < kBuildAttempts; ++attempt) {
        FileHandle reader;
        DayFile day;
        if (WriteOutcome opened = OpenDayFile(file, reader, day); !opened) return opened;
        const EncodedBlock block(lines, day.encoding);
        if (Round outcome = Insert(block, reader, day)) {
            if (*outcome) outcome->namesWithLostCharacters = block.NamesWithLostCharacters();
            return *outcome;
        }
    }
    return Refusal(WriteFault::KeptChanging);
}

}  // namespace quillory::win32

// Putting a block of lines in front of an existing file, all or nothing.
// The new content is built in a temporary file beside the day's file and then
// takes its place; the day's file is rewritten in place only when another
// program holds it open in a way that forbids the replacement.
#include <windows.h>

#include <optional>

#include "platform/win32/chunk_writer.h"
#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"
#include "platform/win32/long_path.h"
#include "platform/win32/temporary_file.h"
#include "platform/win32/win32_services.h"

namespace quillory::win32 {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
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

bool EnoughSpace(const std::wstring& folder, std::uint64_t size) {
    ULARGE_INTEGER available;
    // Where the space cannot be asked for, the writes will tell.
    if (!GetDiskFreeSpaceExW(folder.c_str(), &available, nullptr, nullptr)) return true;
    return size <= available.QuadPart;
}

class Block {
public:
    explicit Block(const LineBlock& block) : blankLines_(block.blankLinesBefore > 0 ? block.blankLinesBefore : 0) {
        for (const std::string& name : block.names) names_.push_back(Ansi(name));
    }

    std::uint64_t Size() const {
        std::uint64_t size = 0;
        for (const std::string& name : names_) size += blankLines_ * kLineEnd.size() + name.size() + kLineEnd.size();
        return size;
    }

    void WriteTo(ChunkWriter& writer) const {
        for (const std::string& name : names_) {
            writer.AppendRepeated(kLineEnd, blankLines_);
            writer.Append(name);
            writer.Append(kLineEnd);
        }
    }

private:
    std::uint64_t blankLines_;
    std::vector<std::string> names_;
};

bool IsLockedOut(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

// The day's file as it was when its content was copied.
struct DayFile {
    std::wstring path;
    Stamp stamp;
    FILETIME created;
    DWORD attributes;
};

std::optional<DayFile> OpenDayFile(const std::wstring& path, FileHandle& reader) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    // Read-only is the user's word that the file must not change.
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        return std::nullopt;
    }
    reader.Reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!reader || !GetFileInformationByHandle(reader.Get(), &info)) return std::nullopt;
    return DayFile{path, {Join(info.nFileSizeHigh, info.nFileSizeLow), info.ftLastWriteTime}, info.ftCreationTime,
                   attributes};
}

// The block, then the old content, flushed to the disk.
bool BuildNewContent(TemporaryFile& temporary, const Block& block, HANDLE oldContent, const DayFile& day) {
    if (!Resize(temporary.Handle(), block.Size() + day.stamp.size)) return false;
    ChunkWriter writer(temporary.Handle());
    block.WriteTo(writer);
    writer.AppendFrom(oldContent, day.stamp.size);
    return writer.Flush() && SetFileTime(temporary.Handle(), &day.created, nullptr, nullptr) &&
           FlushFileBuffers(temporary.Handle());
}

enum class Replacement { Done, LockedOut, Failed };

Replacement ReplaceDayFile(TemporaryFile& temporary, const DayFile& day) {
    for (std::size_t attempt = 0;; ++attempt) {
        if (StampOf(day.path) != day.stamp) return Replacement::Failed;
        if (temporary.ReplaceOnto(day.path)) return Replacement::Done;
        if (!IsLockedOut(GetLastError())) return Replacement::Failed;
        if (attempt == std::size(kRetryDelaysMs)) return Replacement::LockedOut;
        Sleep(kRetryDelaysMs[attempt]);
    }
}

// Only for a day's file that another program holds open with write sharing
// but without delete sharing. The full new content is safe in the temporary
// file before the first byte of the day's file is touched.
bool RewriteInPlace(TemporaryFile& temporary, const DayFile& day, std::uint64_t blockSize) {
    const FileHandle target(CreateFileW(day.path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    const FileHandle source(CreateFileW(temporary.Path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!target || !source || StampOf(target.Get()) != day.stamp) return false;
    const std::uint64_t newSize = blockSize + day.stamp.size;
    if (!Resize(target.Get(), newSize)) {
        Resize(target.Get(), day.stamp.size);
        return false;
    }
    ChunkWriter writer(target.Get());
    writer.AppendFrom(source.Get(), newSize);
    if (writer.Flush() && FlushFileBuffers(target.Get())) return true;

    // Put the old content back from the temporary file; should that fail
    // too, the temporary file stays as the one whole copy.
    ChunkWriter restorer(target.Get());
    if (MoveTo(target.Get(), 0) && MoveTo(source.Get(), blockSize)) restorer.AppendFrom(source.Get(), day.stamp.size);
    if (!restorer.Flush() || !Resize(target.Get(), day.stamp.size)) temporary.Keep();
    return false;
}

}  // namespace

bool Win32Services::InsertLine(const std::string& path, const LineBlock& lines) {
    const Block block(lines);
    FileHandle reader;
    const std::optional<DayFile> day = OpenDayFile(ExtendedPath(path), reader);
    if (!day) return false;
    const std::wstring folder = FolderPart(day->path);
    if (!EnoughSpace(folder, block.Size() + day->stamp.size)) return false;

    const DWORD kept = day->attributes & kKeptAttributes;
    TemporaryFile temporary(folder, kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL);
    if (!temporary.Created() || !BuildNewContent(temporary, block, reader.Get(), *day)) return false;
    // Neither file may be open here, or the replacement is refused.
    reader.Reset();
    temporary.Close();
    switch (ReplaceDayFile(temporary, *day)) {
        case Replacement::Done: return true;
        case Replacement::LockedOut: return RewriteInPlace(temporary, *day, block.Size());
        case Replacement::Failed: return false;
    }
    return false;
}

}  // namespace quillory::win32

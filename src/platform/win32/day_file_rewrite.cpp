// The day's file is held open with sharing that refuses other writers while
// its content is copied, with the edit made, into a temporary file beside it.
// Still held, it is renamed aside; the temporary file takes its name and the
// old file goes. The name is free only for that one rename, and whatever a
// program writes into that moment, or into the old file where the system
// could not refuse it, is taken in behind the new content.
// A file that another program keeps open for writing, or that has more than
// one name, is rewritten in place from the temporary file instead: under a
// lock that refuses the other handles' writes, with the old content
// restorable until the last byte is written.
#include "platform/win32/day_file_rewrite.h"

#include <aclapi.h>

#include <cstring>
#include <optional>

#include "platform/win32/encoded_block.h"
#include "platform/win32/file_claim.h"
#include "platform/win32/handles.h"
#include "platform/win32/long_path.h"
#include "platform/win32/temporary_file.h"
#include "platform/win32/write_outcome.h"

namespace quillory::win32 {

namespace {

// Another program that changes the day's file keeps doing so past this many rounds.
constexpr int kBuildAttempts = 5;
// A virus scanner, an indexer or a logger between two lines holds a file only briefly.
constexpr ULONGLONG kHoldPatienceMs = 700;
constexpr DWORD kRetryDelaysMs[] = {10, 20, 40, 80, 160, 320};
// Attributes the day's file keeps across its replacement.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Readers may go on reading, and the file may be renamed; nobody else writes.
constexpr DWORD kShareNoWriting = FILE_SHARE_READ | FILE_SHARE_DELETE;

// What tells whether the day's file changed since its content was copied.
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

bool MoveTo(HANDLE file, std::uint64_t offset, DWORD from = FILE_BEGIN) {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, position, nullptr, from) != FALSE;
}

// Sets the file's size; a full disk fails here, before any content is written.
bool Resize(HANDLE file, std::uint64_t size) { return MoveTo(file, size) && SetEndOfFile(file) && MoveTo(file, 0); }

bool IsLockedOut(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

bool IsTaken(DWORD error) { return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS; }

// Opens the file so that no other program can write to it while it is held.
// A program that writes to the file line by line holds it most of the time,
// so the moments between its writes are watched for closely, for a while.
FileHandle OpenRefusingWriters(const std::wstring& path, DWORD& error) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        FileHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, kShareNoWriting, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (file) return file;
        error = GetLastError();
        if (!IsLockedOut(error) || GetTickCount64() - start >= kHoldPatienceMs) return file;
        Sleep(1);
    }
}

// Held against other writers where the system allows it; otherwise, since a
// program keeps the file open for writing (a logger, say), opened beside it.
FileHandle OpenForRewrite(const std::wstring& path, DWORD& error, bool& refusesWriters) {
    FileHandle file = OpenRefusingWriters(path, error);
    refusesWriters = static_cast<bool>(file);
    if (!file && error == ERROR_SHARING_VIOLATION) {
        file.Reset(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file) error = GetLastError();
    }
    return file;
}

// The path of the file that a symbolic link leads to.
std::wstring FinalPath(HANDLE file, const std::wstring& link) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return link;
        if (length < path.size()) return path.substr(0, length);
        path.resize(length);
    }
}

// The day's file, held while its content is copied.
struct HeldFile {
    FileHandle handle;
    bool refusesWriters = false;  // the sharing refuses other writers while it is held
    std::wstring path;            // the file itself, a symbolic link followed
    Stamp stamp{};
    FILETIME created{};
    DWORD attributes = 0;
    DWORD names = 1;
    OldContent old{};

    std::wstring Folder() const { return FolderPart(path); }
    std::wstring Name() const { return path.substr(Folder().size()); }
    bool RewrittenInPlace() const { return !refusesWriters || names > 1; }
};

WriteOutcome Hold(const std::wstring& path, HeldFile& held) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return FailureOf(GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Refusal(WriteFault::DayFileIsFolder);
    // Read-only is the user's word that the file must not change.
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        WriteOutcome outcome = FailureOf(ERROR_ACCESS_DENIED);
        outcome.fault = WriteFault::ReadOnly;
        return outcome;
    }
    DWORD error = ERROR_SUCCESS;
    held.handle = OpenForRewrite(path, error, held.refusesWriters);
    BY_HANDLE_FILE_INFORMATION info;
    if (!held.handle) return FailureOf(error);
    if (!GetFileInformationByHandle(held.handle.Get(), &info)) return FailureOf(GetLastError());
    // Asked of every file: Wine shows no link of its host as one.
    held.path = FinalPath(held.handle.Get(), path);
    held.stamp = {Join(info.nFileSizeHigh, info.nFileSizeLow), info.ftLastWriteTime};
    held.created = info.ftCreationTime;
    held.attributes = info.dwFileAttributes;
    held.names = info.nNumberOfLinks;

    const std::optional<ByteOrderMark> mark = MarkOf(held.handle.Get());
    const TextEncoding encoding = mark ? mark->encoding : TextEncoding::Ansi;
    // Part of a code unit at the end: whatever the file is, text in front of it would not mend it.
    if (held.stamp.size % UnitBytes(encoding) != 0) {
        return Refusal(UnitBytes(encoding) == 2 ? WriteFault::BrokenUtf16 : WriteFault::BrokenUtf32);
    }
    held.old = {encoding, mark ? mark->bytes.size() : 0, held.stamp.size};
    return {};
}

// The bytes the write needs in the folder: the new content in the temporary
// file, and for a rewrite in place the file's growth as well.
struct Space {
    std::wstring folder;
    std::uint64_t needed;
    std::optional<std::uint64_t> free;  // before the write began
};

Space SpaceFor(const HeldFile& held, std::uint64_t newSize) {
    const std::uint64_t growth = newSize > held.stamp.size ? newSize - held.stamp.size : 0;
    return {held.Folder(), newSize + (held.RewrittenInPlace() ? growth : 0), FreeSpace(held.Folder())};
}

// A failure met on the way, told with the sizes when the disk is full.
WriteOutcome WithSizes(const WriteOutcome& outcome, const Space& space) {
    return outcome.fault == WriteFault::DiskFull ? DiskFull(space.folder, space.needed, space.free) : outcome;
}

WriteOutcome WriteFailure(DWORD error, const Space& space) { return WithSizes(FailureOf(error), space); }

// The outcome of one round of copying and replacing; none when another
// program changed the day's file meanwhile, so the round must be run again.
using Round = std::optional<WriteOutcome>;
constexpr Round kChangedMeanwhile = std::nullopt;

// The new content, flushed to the disk, with the day's file's creation time.
WriteOutcome Build(TemporaryFile& temporary, const ContentEdit& edit, const HeldFile& held, const Space& space) {
    const HANDLE file = temporary.Handle();
    if (!Resize(file, edit.NewSize())) return WriteFailure(GetLastError(), space);
    ChunkWriter writer(file);
    edit.WriteNew(writer, held.handle.Get());
    if (!writer.Flush()) return WriteFailure(writer.Error(), space);
    if (!SetFileTime(file, &held.created, nullptr, nullptr) || !FlushFileBuffers(file)) {
        return WriteFailure(GetLastError(), space);
    }
    return {};
}

// A file's owner, group and access list.
class Security {
public:
    explicit Security(HANDLE file)
        : read_(GetSecurityInfo(file, SE_FILE_OBJECT,
                                OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                &owner_, &group_, &access_, nullptr, &descriptor_) == ERROR_SUCCESS) {
        DWORD revision = 0;
        if (read_) GetSecurityDescriptorControl(descriptor_, &control_, &revision);
    }
    ~Security() { LocalFree(descriptor_); }
    Security(const Security&) = delete;
    Security& operator=(const Security&) = delete;

    bool Read() const { return read_; }
    bool operator==(const Security& other) const {
        return SameSid(owner_, other.owner_) && SameSid(group_, other.group_) && SameAcl(access_, other.access_) &&
               Protected() == other.Protected();
    }

    // Given to the file of that name, each part as far as the system lets it.
    void GiveTo(const std::wstring& path) const {
        std::wstring target = path;
        SetNamedSecurityInfoW(target.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION,
                              owner_, group_, nullptr, nullptr);
        const SECURITY_INFORMATION inheritance =
            Protected() ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION;
        SetNamedSecurityInfoW(target.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | inheritance, nullptr,
                              nullptr, access_, nullptr);
    }

private:
    bool Protected() const { return (control_ & SE_DACL_PROTECTED) != 0; }
    static bool SameSid(PSID a, PSID b) { return a == b || (a && b && EqualSid(a, b)); }
    static bool SameAcl(PACL a, PACL b) {
        if (!a || !b) return a == b;
        if (a->AceCount != b->AceCount) return false;
        for (DWORD index = 0; index < a->AceCount; ++index) {
            void* ours = nullptr;
            void* theirs = nullptr;
            if (!GetAce(a, index, &ours) || !GetAce(b, index, &theirs)) return false;
            const WORD size = static_cast<ACE_HEADER*>(ours)->AceSize;
            if (size != static_cast<ACE_HEADER*>(theirs)->AceSize || std::memcmp(ours, theirs, size) != 0) return false;
        }
        return true;
    }

    PSID owner_ = nullptr;
    PSID group_ = nullptr;
    PACL access_ = nullptr;
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
    SECURITY_DESCRIPTOR_CONTROL control_ = 0;
    bool read_;
};

// The owner and the access list of the day's file, for the file that takes
// its place. Where the file system keeps none, or the owner cannot be given
// (that takes a privilege), the new file has what its folder gives it. Most
// often the folder gave both files the same, and nothing is set: on a share
// each setting is a round trip that opens the file anew.
void KeepSecurity(HANDLE from, const TemporaryFile& to) {
    const Security kept(from);
    if (!kept.Read()) return;  // a file system without security descriptors
    if (const Security given(to.Handle()); given.Read() && given == kept) return;
    kept.GiveTo(to.Path());
}

// Refuses the writes of every other handle of the file while it lives.
class WriteLock {
public:
    explicit WriteLock(HANDLE file) : file_(file) {
        for (std::size_t attempt = 0;; ++attempt) {
            OVERLAPPED whole{};
            held_ = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                               &whole) != FALSE;
            if (held_ || attempt == std::size(kRetryDelaysMs)) return;
            Sleep(kRetryDelaysMs[attempt]);
        }
    }
    ~WriteLock() {
        OVERLAPPED whole{};
        if (held_) UnlockFileEx(file_, 0, MAXDWORD, MAXDWORD, &whole);
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

    bool Held() const { return held_; }

private:
    HANDLE file_;
    bool held_ = false;
};

// Every name of the file sees the new content, and a program that keeps the
// file open keeps its handle on it. The full new content is safe in the
// temporary file before the first byte of the day's file is touched.
Round RewriteInPlace(TemporaryFile& temporary, const ContentEdit& edit, const HeldFile& held, const Space& space) {
    const HANDLE target = held.handle.Get();
    const HANDLE source = temporary.Handle();
    const WriteLock lock(target);
    if (!lock.Held()) return FailureOf(ERROR_LOCK_VIOLATION);
    if (StampOf(target) != held.stamp) return kChangedMeanwhile;
    const std::uint64_t newSize = edit.NewSize();
    if (!MoveTo(source, 0)) return FailureOf(GetLastError());
    if (!Resize(target, newSize)) {
        const DWORD error = GetLastError();
        Resize(target, held.stamp.size);
        return WriteFailure(error, space);
    }
    ChunkWriter writer(target);
    writer.AppendFrom(source, newSize);
    if (writer.Flush() && FlushFileBuffers(target)) return WriteOutcome{};
    const WriteOutcome failure =
        WriteFailure(writer.Error() != ERROR_SUCCESS ? writer.Error() : GetLastError(), space);

    // The old content back from the new; should that fail too, the temporary
    // file is kept as the one whole copy.
    ChunkWriter restorer(target);
    if (MoveTo(target, 0) && MoveTo(source, 0)) edit.WriteOld(restorer, source);
    if (!restorer.Flush() || !Resize(target, held.stamp.size)) temporary.KeepAs(held.path + L".bak");
    return failure;
}

// Appends `count` bytes of `from`, read from `offset` on, to the end of `to`.
bool AppendTail(HANDLE from, std::uint64_t offset, std::uint64_t count, HANDLE to) {
    if (!MoveTo(from, offset) || !MoveTo(to, 0, FILE_END)) return false;
    ChunkWriter writer(to);
    writer.AppendFrom(from, count);
    return writer.Flush();
}

// A program made the day's file anew in the moment its name was free (a
// logger that creates the file it appends to): its file, held against its
// writes, takes the new content in place, in front of what it wrote. Its
// lines are then in both, so should that fail, the temporary file stays.
WriteOutcome FillNewcomer(TemporaryFile& temporary, const std::wstring& path) {
    DWORD error = ERROR_SUCCESS;
    bool refusesWriters = false;
    const FileHandle newcomer = OpenForRewrite(path, error, refusesWriters);
    if (!newcomer) return FailureOf(error);
    const WriteLock lock(newcomer.Get());
    if (!lock.Held()) return FailureOf(ERROR_LOCK_VIOLATION);
    LARGE_INTEGER built{};
    if (!GetFileSizeEx(temporary.Handle(), &built)) return FailureOf(GetLastError());
    // Taken until it stops growing: a writer the lock does not reach (the
    // host's under Wine) may still be adding lines.
    std::uint64_t taken = 0;
    for (std::optional<Stamp> now = StampOf(newcomer.Get()); !now || now->size != taken;
         now = StampOf(newcomer.Get())) {
        if (!now || now->size < taken || !AppendTail(newcomer.Get(), taken, now->size - taken, temporary.Handle())) {
            return FailureOf(GetLastError());
        }
        taken = now->size;
    }
    const std::uint64_t size = static_cast<std::uint64_t>(built.QuadPart) + taken;
    if (!Resize(newcomer.Get(), size) || !MoveTo(temporary.Handle(), 0)) return FailureOf(GetLastError());
    ChunkWriter writer(newcomer.Get());
    writer.AppendFrom(temporary.Handle(), size);
    if (writer.Flush() && FlushFileBuffers(newcomer.Get())) return {};
    temporary.KeepAs(path + L".bak");
    return FailureOf(writer.Error() != ERROR_SUCCESS ? writer.Error() : GetLastError());
}

WriteOutcome MoveIntoPlace(TemporaryFile& temporary, const std::wstring& path) {
    if (temporary.MoveTo(path)) return {};
    const DWORD error = GetLastError();
    return IsTaken(error) ? FillNewcomer(temporary, path) : FailureOf(error);
}

// The temporary file takes the day's file's place while the day's file is
// still held, so no program of this system can have written to it since it
// was copied.
Round Replace(TemporaryFile& temporary, const ContentEdit& edit, const HeldFile& held, const Space& space) {
    // Programs the sharing does not reach (the host's under Wine, another
    // system's on a share) may have: what they appended follows the new
    // content below, any other change has it built again.
    const std::optional<Stamp> now = StampOf(held.handle.Get());
    if (!now || now->size < held.stamp.size || (now->size == held.stamp.size && *now != held.stamp)) {
        return kChangedMeanwhile;
    }
    KeepSecurity(held.handle.Get(), temporary);
    const std::wstring aside = AsideName(held.Folder(), held.Name());
    if (!MoveFileExW(held.path.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH)) {
        // A file system that renames no open file: the file is still held, so in place.
        if (IsLockedOut(GetLastError())) return RewriteInPlace(temporary, edit, held, space);
        return FailureOf(GetLastError());
    }
    // Their bytes, to the moment the old file went aside.
    if (const std::optional<Stamp> late = StampOf(held.handle.Get()); late && late->size > held.stamp.size) {
        AppendTail(held.handle.Get(), held.stamp.size, late->size - held.stamp.size, temporary.Handle());
    }
    if (WriteOutcome moved = MoveIntoPlace(temporary, held.path); !moved) {
        // The old file back under its name; failing that it stays aside, whole.
        MoveFileExW(aside.c_str(), held.path.c_str(), MOVEFILE_WRITE_THROUGH);
        return moved;
    }
    DeleteFileW(aside.c_str());
    return WriteOutcome{};
}

Round Rewrite(ContentEdit& edit, const HeldFile& held) {
    const Space space = SpaceFor(held, edit.NewSize());
    if (space.free && space.needed > *space.free) return DiskFull(space.folder, space.needed, space.free);
    const DWORD kept = held.attributes & kKeptAttributes;
    TemporaryFile temporary(held.Folder(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL);
    if (!temporary.Created()) return WithSizes(FolderFailureOf(temporary.Error()), space);
    if (WriteOutcome built = Build(temporary, edit, held, space); !built) return built;
    if (held.RewrittenInPlace()) return RewriteInPlace(temporary, edit, held, space);
    return Replace(temporary, edit, held, space);
}

}  // namespace

WriteOutcome RewriteDayFile(const std::wstring& path, ContentEdit& edit) {
    const FileClaim claim(path);
    if (!claim.Outcome()) return claim.Outcome();
    return RewriteClaimedDayFile(path, edit);
}

WriteOutcome RewriteClaimedDayFile(const std::wstring& path, ContentEdit& edit) {
    for (int attempt = 0; attempt < kBuildAttempts; ++attempt) {
        HeldFile held;
        if (WriteOutcome opened = Hold(path, held); !opened) return opened;
        if (WriteOutcome prepared = edit.Prepare(held.old, held.handle.Get()); !prepared) return prepared;
        if (Round outcome = Rewrite(edit, held)) return *outcome;
    }
    return Refusal(WriteFault::KeptChanging);
}

}  // namespace quillory::win32

#pragma once
// The blocking half of the system services: everything that may wait for a
// disk, a share or the registry. Work on a thread of its own holds it; the
// window's thread never calls it (see window_thread.h).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/block_place.h"

namespace quillory {

enum class RegistryRoot { LocalMachine, CurrentUser };

struct FoundEntry {
    std::string name;  // without its folder
    bool isFolder = false;
    bool isHidden = false;
    bool isSystem = false;
    // A link to a place elsewhere: a junction, a symbolic link or a mount point.
    bool isReparsePoint = false;
    std::uint64_t modified = 0;  // last write, in 100-ns steps since 1601 (UTC)
    // A folder's, as FolderIdentity gives it, where the listing tells it; empty otherwise.
    std::string identity{};
};

// What a line of the details name form tells beside the name.
struct FileDetails {
    std::uint64_t size = 0;  // in bytes
    std::string modified;    // last write, local time, YYYY-MM-DD HH:MM:SS
};

// Whether a folder could be listed; a folder that is there and merely empty
// is listed. A missing folder is not told apart from an empty one.
struct ListingOutcome {
    bool listed = true;
    std::uint32_t systemError = 0;
    std::string systemText;  // the system's own words for it

    explicit operator bool() const { return listed; }
};

// Lines to put in front of a file: for each name, `blankLinesBefore` empty
// lines, then the name and its columns; every line ends in CR LF. A control
// character in a name would break its line, so it is written as "?"; the
// columns are the program's own text and are written as they stand.
struct LineBlock {
    std::vector<std::string> names;
    std::int32_t blankLinesBefore = 0;
    std::vector<std::string> columns{};  // one for each name, or none at all

    std::string_view ColumnsOf(std::size_t name) const {
        return name < columns.size() ? std::string_view(columns[name]) : std::string_view();
    }
};

// How a text file stores its characters, as its byte-order mark tells; ANSI
// (the system's code page) without one.
enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be, Utf32Le, Utf32Be };

// Why a write did not happen, told apart as far as the user can act on it.
enum class WriteFault {
    None,
    AlreadyExists,  // CreateNewFile: the file was there, and is left untouched
    Held,           // the system reports the file held by another program
    ReadOnly,
    DiskFull,          // bytesNeeded and bytesFree say by how much
    FolderUnwritable,  // the folder is missing or refuses new files
    OtherCopyWriting,  // another copy of this program kept its turn at the file too long
    KeptChanging,      // another program changed the file again and again while it was written
    BrokenUtf16,       // the file is marked as UTF-16 but cannot be, and is left as it is
    BrokenUtf32,       // the same for UTF-32
    DayFileIsFolder,   // a folder stands where the file should be
    ClaimNameTaken,    // something else bears the name of the copies' claim file: `path`, `pathIsFolder`
    Other,             // systemText says what
};

struct WriteOutcome {
    WriteFault fault = WriteFault::None;
    std::uint32_t systemError = 0;  // the system's error code, 0 when it gave none
    std::string systemText;         // the system's own words for it
    std::uint64_t bytesNeeded = 0;
    std::uint64_t bytesFree = 0;
    // Names written with "?" for characters: those the ANSI code page lacks,
    // and control characters, which would break the name's line.
    int namesWithLostCharacters = 0;
    // What the fault is about where that is not the file written.
    std::string path{};
    bool pathIsFolder = false;

    bool Written() const { return fault == WriteFault::None; }
    explicit operator bool() const { return Written(); }
};

// What taking a block back did: removed it when `place` is AtStart and the
// write succeeded; otherwise the file is as it was.
struct BlockRemoval {
    BlockPlace place = BlockPlace::AtStart;
    WriteOutcome write;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Folder of the running executable, without a trailing backslash; known
    // from the start, so asking for it waits for nothing.
    virtual std::string ProgramFolder() const = 0;

    // True when the folder exists afterwards (an existing folder is no error).
    virtual bool CreateFolder(const std::string& path) = 0;

    virtual bool FileExists(const std::string& path) const = 0;
    virtual bool FolderExists(const std::string& path) const = 0;

    // Creates or replaces the file; true when it holds exactly `bytes`.
    virtual bool WriteWholeFile(const std::string& path, std::string_view bytes) = 0;

    // Creates the file with `bytes` only when no file of that name exists, so
    // one that another program made a moment earlier is never emptied. Takes
    // its turn at the file as InsertLine does.
    virtual WriteOutcome CreateNewFile(const std::string& path, std::string_view bytes) = 0;

    // Removes the program's own temporary and turn files that a crash or a
    // kill left in the folder; one that a running program holds open stays.
    virtual void RemoveLeftoverTemporaryFiles(const std::string& folder) = 0;

    // Written() when a file can be created in the folder, else why not;
    // leaves nothing behind.
    virtual WriteOutcome CanWriteInFolder(const std::string& folder) = 0;

    // Puts the block in front of an existing file's content, all or nothing:
    // the file is unchanged unless the outcome says written. Never creates the
    // file. Copies of this program, on this computer or another, take turns
    // at the file: one waits while another writes, up to 30 seconds. Another
    // program's writes to the file meanwhile are kept behind the block; a
    // link leads to the file written, and owner, access list and attributes
    // stay. A file that begins with a byte-order mark (UTF-8, UTF-16 or
    // UTF-32, LE or BE) gets the block in its encoding right after the mark;
    // any other gets it in the system's ANSI code page in front of
    // everything. Control characters in a name are written as "?".
    virtual WriteOutcome InsertLine(const std::string& path, const LineBlock& block) = 0;

    // Takes out the block that InsertLine put in front of the file, only
    // when the content after the byte-order mark still begins with the
    // block's bytes in the file's encoding; under the same turns, all or
    // nothing, as InsertLine.
    virtual BlockRemoval RemoveLeadingBlock(const std::string& path, const LineBlock& block) = 0;

    // The encoding InsertLine writes the file in; nothing when it cannot be read.
    virtual std::optional<TextEncoding> FileEncoding(const std::string& path) = 0;
    // The bytes InsertLine writes for the block into a file of that encoding.
    virtual std::uint64_t EncodedBytes(const LineBlock& block, TextEncoding encoding) = 0;

    // One text and CR LF in front of the file's content.
    WriteOutcome InsertLine(const std::string& path, const std::string& text) {
        LineBlock line;
        line.names.push_back(text);
        return InsertLine(path, line);
    }

    // Every entry of the folder, in the order the file system yields them,
    // "." and ".." included when it yields them, each folder with its
    // identity, until `visit` answers false.
    virtual ListingOutcome FindFiles(const std::string& folder,
                                     const std::function<bool(const FoundEntry&)>& visit) = 0;

    // Two paths of one folder give the same text, also through a link the
    // system does not mark as one (a share's server following a link, a bind
    // mount), and two folders of one volume never do; the empty text when
    // the system cannot tell.
    virtual std::string FolderIdentity(const std::string& path) = 0;

    // Size and last write of the file as it is now; nothing when it is gone.
    virtual std::optional<FileDetails> DescribeFile(const std::string& path) = 0;

    // The path under which the private-profile functions, which take no path
    // longer than MAX_PATH, reach the file: its own, or one through the short
    // names of its folders; empty when none is short enough. Read and write
    // below never touch a file that has no such path.
    virtual std::string ProfilePath(const std::string& file) = 0;

    // The stored value; `fallback` when the file, section or key is missing.
    virtual std::string ReadIniText(const std::string& file, const std::string& section,
                                    const std::string& key, const std::string& fallback) = 0;
    virtual bool WriteIniText(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& value) = 0;

    // `path` is key path + "\" + value name; the empty text when missing.
    virtual std::string ReadRegistryText(RegistryRoot root, const std::string& path) = 0;
};

}  // namespace quillory

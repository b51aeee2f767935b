#pragma once
// The system services the logic uses. Realised with the Win32 API in
// platform/win32 and in memory in platform/fake for the native tests.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/name_list.h"

namespace quillory {

// A native window handle as a number, so the logic stays free of <windows.h>.
using NativeHandle = std::uintptr_t;

// The title of every message the program shows.
inline constexpr const char* kMessageTitle = "Velkor工作室提醒您";

enum class RegistryRoot { LocalMachine, CurrentUser };

struct FoundEntry {
    std::string name;  // without its folder
    bool isFolder = false;
    bool isHidden = false;
    bool isSystem = false;
    std::uint64_t modified = 0;  // last write, in 100-ns steps since 1601 (UTC)
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
// lines, then the name; every line ends in CR LF.
struct LineBlock {
    std::vector<std::string> names;
    std::int32_t blankLinesBefore = 0;
};

// Why a write did not happen, told apart as far as the user can act on it.
enum class WriteFault {
    None,
    AlreadyExists,  // CreateNewFile: the file was there, and is left untouched
    Held,           // another program holds the file, or changed it meanwhile
    ReadOnly,
    DiskFull,          // bytesNeeded and bytesFree say by how much
    FolderUnwritable,  // the folder is missing or refuses new files
    Other,             // systemText says what
};

struct WriteOutcome {
    WriteFault fault = WriteFault::None;
    std::uint32_t systemError = 0;  // the system's error code, 0 when it gave none
    std::string systemText;         // the system's own words for it
    std::uint64_t bytesNeeded = 0;
    std::uint64_t bytesFree = 0;
    // Names written in the ANSI code page with "?" for characters it lacks.
    int namesWithLostCharacters = 0;

    bool Written() const { return fault == WriteFault::None; }
    explicit operator bool() const { return Written(); }
};

class Services {
public:
    virtual ~Services() = default;

    // Folder of the running executable, without a trailing backslash.
    virtual std::string ProgramFolder() const = 0;

    // True when the folder exists afterwards (an existing folder is no error).
    virtual bool CreateFolder(const std::string& path) = 0;

    virtual bool FileExists(const std::string& path) const = 0;
    virtual bool FolderExists(const std::string& path) const = 0;

    // Creates or replaces the file; true when it holds exactly `bytes`.
    virtual bool WriteWholeFile(const std::string& path, std::string_view bytes) = 0;

    // Creates the file with `bytes` only when no file of that name exists, so
    // one that another program made a moment earlier is never emptied.
    virtual WriteOutcome CreateNewFile(const std::string& path, std::string_view bytes) = 0;

    // Removes the program's own temporary files that a crash or a kill left
    // in the folder; one that a running program holds open stays.
    virtual void RemoveLeftoverTemporaryFiles(const std::string& folder) = 0;

    // True when a file can be created in the folder; leaves nothing behind.
    virtual bool CanWriteInFolder(const std::string& folder) = 0;

    // Puts the block in front of an existing file's content, all or nothing:
    // the file is unchanged unless the outcome says written. Never creates the
    // file. A file that begins with the UTF-8 byte-order mark gets the block
    // in UTF-8 right after the mark; any other gets it in the system's ANSI
    // code page in front of everything.
    virtual WriteOutcome InsertLine(const std::string& path, const LineBlock& block) = 0;

    // One text and CR LF in front of the file's content.
    WriteOutcome InsertLine(const std::string& path, const std::string& text) {
        return InsertLine(path, LineBlock{{text}, 0});
    }

    // Every entry matching the pattern ("C:\dir\*.*"), in the order the file
    // system yields them, "." and ".." included when it yields them, until
    // `visit` answers false. Safe on any thread.
    virtual ListingOutcome FindFiles(const std::string& pattern,
                                     const std::function<bool(const FoundEntry&)>& visit) = 0;

    // The positions of the names in the order the file manager sorts them
    // (natural order: "f2" before "f10"). Safe on any thread.
    virtual std::vector<std::uint32_t> NaturalOrder(const NameList& names) = 0;
    // Whether `left` comes before `right` in that order.
    virtual bool NaturallyBefore(std::string_view left, std::string_view right) = 0;

    // Replaces what the clipboard holds with the text, for other programs.
    virtual void PutTextOnClipboard(const std::string& text) = 0;

    // The stored value; `fallback` when the file, section or key is missing.
    virtual std::string ReadIniText(const std::string& file, const std::string& section,
                                    const std::string& key, const std::string& fallback) = 0;
    virtual bool WriteIniText(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& value) = 0;

    // `path` is key path + "\" + value name; the empty text when missing.
    virtual std::string ReadRegistryText(RegistryRoot root, const std::string& path) = 0;

    // Modal, one OK button, no icon.
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
    // Modal, the warning icon, one OK button.
    virtual void ShowWarning(const std::string& text, const std::string& title) = 0;
    // Modal question with the warning icon and the buttons Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;

    // Today's local date as YYYY-MM-DD.
    virtual std::string TodayText() = 0;

    // Hands the address to the default browser; does not wait.
    virtual void OpenUrl(const std::string& address) = 0;

    // The shell's folder dialog; the chosen file-system folder, or the empty
    // text on cancel or for a folder without a file-system path.
    virtual std::string BrowseForFolder(NativeHandle owner, const std::string& title,
                                        const std::string& startFolder, std::uint32_t flags) = 0;

    // A file handed to the desktop; neither waits for what it starts.
    // The system's handler for the file's type opens it, Notepad where none is registered.
    virtual void OpenFile(const std::string& path) = 0;
    // The file manager shows the file's folder with the file selected, or the
    // folder alone where it cannot select.
    virtual void ShowInFolder(const std::string& path) = 0;
};

}  // namespace quillory
